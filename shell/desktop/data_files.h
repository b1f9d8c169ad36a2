#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Files the game keeps beside it rather than inside it (the help page, the
// music): looked up beside the program, then (on Linux) in the installed
// data folder.

// The folder the running program was started from.
std::filesystem::path ProgramFolder();
// On Windows only beside the program (a portable install). On Linux the
// first of: beside the program, the data folder where the install puts
// it relative to the program's folder (../share/varnisk from bin, or
// ../share/games/varnisk from games in the Debian package), the data folder
// the build was configured for.
std::optional<std::filesystem::path> FindDataFile(std::string_view name);

// Paths as the game's strings hold them, in UTF-8 whatever the system's own
// code page (on Windows, path::string() would give the ANSI one).
inline std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}
inline std::filesystem::path Utf8Path(std::string_view text) {
    return {std::u8string(text.begin(), text.end())};
}

// The help page found there, as an address for the browser.
std::string HelpPageUrl(const std::filesystem::path& page);
inline constexpr std::string_view helpPageName = "varnisk.html";
