#include "shell/desktop/music_file.h"

#include "audio/audio.h"
#include "data_files.h"

#include <filesystem>
#include <system_error>

std::string LocateMusicFile() {
    const std::filesystem::path bare{musicFileName};
    std::error_code error;
    if (std::filesystem::is_regular_file(bare, error)) {
        return bare.string();
    }
    if (const std::optional<std::filesystem::path> found = FindDataFile(musicFileName)) {
        return found->string();
    }
    return bare.string();
}
