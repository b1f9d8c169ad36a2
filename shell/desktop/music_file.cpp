#include "shell/desktop/music_file.h"

#include "audio/audio.h"
#include "data_files.h"

#include <filesystem>
#include <system_error>

std::string LocateMusicFile() {
    const std::filesystem::path bare{musicFileName};
    std::error_code error;
    if (std::filesystem::is_regular_file(bare, error)) {
        return Utf8Of(bare);
    }
    if (const std::optional<std::filesystem::path> found = FindDataFile(musicFileName)) {
        return Utf8Of(*found);
    }
    return Utf8Of(bare);
}
