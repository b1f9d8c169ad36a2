// The data files of the Windows game: a portable install, everything beside
// VARNISK.EXE wherever the player unpacked it.

#include "data_files.h"

#include <system_error>
#include <windows.h>

std::filesystem::path ProgramFolder() {
    // The path may be longer than MAX_PATH: the buffer grows until it fits.
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
        if (length == 0) {
            std::error_code error;
            return std::filesystem::current_path(error);
        }
        if (length < program.size()) {
            program.resize(length);
            return std::filesystem::path(program).parent_path();
        }
        program.resize(program.size() * 2);
    }
}

std::optional<std::filesystem::path> FindDataFile(std::string_view name) {
    const std::filesystem::path candidate = ProgramFolder() / Utf8Path(name);
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) {
        return candidate;
    }
    return std::nullopt;
}

std::string HelpPageUrl(const std::filesystem::path& page) {
    // ShellExecuteW hands a file:/// address to whatever shows web pages.
    const std::u8string path = std::filesystem::absolute(page).generic_u8string();
    return FileUrl(std::string(path.begin(), path.end()));
}
