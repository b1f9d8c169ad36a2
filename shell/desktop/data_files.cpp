#include "data_files.h"

#include <system_error>

#ifndef VARNISK_DATA_DIR
#define VARNISK_DATA_DIR "/usr/local/share/varnisk"
#endif
#ifndef VARNISK_DATA_FROM_PROGRAM
#define VARNISK_DATA_FROM_PROGRAM "../share/varnisk"
#endif

namespace {

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::filesystem::path ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : program.parent_path();
}

std::optional<std::filesystem::path> FindDataFile(std::string_view name) {
    const std::filesystem::path folder = ProgramFolder();
    const std::filesystem::path candidates[] = {
        folder / name,
        (folder / VARNISK_DATA_FROM_PROGRAM / name).lexically_normal(),
        std::filesystem::path(VARNISK_DATA_DIR) / name,
    };
    for (const std::filesystem::path& candidate : candidates) {
        if (IsFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::string HelpPageUrl(const std::filesystem::path& page) {
    return FileUrl(std::filesystem::absolute(page).string());
}
