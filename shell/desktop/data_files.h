#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Files the game keeps beside it rather than inside it (the help page, the
// music): looked up beside the program, then in the installed data folder.

// The folder the running program was started from.
std::filesystem::path ProgramFolder();
// The first of: beside the program, the data folder where the install puts
// it relative to the program's folder (../share/varnisk from bin, or
// ../share/games/varnisk from games in the Debian package), the data folder
// the build was configured for.
std::optional<std::filesystem::path> FindDataFile(std::string_view name);

// The help page found there, as an address for the browser.
std::string HelpPageUrl(const std::filesystem::path& page);
inline constexpr std::string_view helpPageName = "varnisk.html";
