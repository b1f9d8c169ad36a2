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

// A file:// address for an absolute path in UTF-8 with forward slashes
// ("/usr/share/..." or "C:/Games/..."): everything but the unreserved
// characters, the slashes and a drive's colon spelt out.
inline std::string FileUrl(std::string_view path) {
    static constexpr char hex[] = "0123456789ABCDEF";
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
    std::string url = drive ? "file:///" : "file://";
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~' || (drive && i == 1);
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

// The help page found there, as an address for the browser.
std::string HelpPageUrl(const std::filesystem::path& page);
inline constexpr std::string_view helpPageName = "varnisk.html";
