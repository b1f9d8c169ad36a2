// varnisk-sim: plays the real game without a screen, a sound card or a
// person, driven by a script of timed input, and prints a trace line per tick.

#include "tools/varnisk-sim/runner.h"
#include "tools/varnisk-sim/script.h"
#include "tools/varnisk-sim/sim_options.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>
#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr int badInput = 2;

constexpr const char* usage =
    "usage: varnisk-sim [--seed N] [--ticks N] [--settings FILE] [--save FILE]\n"
    "                   [--screen T:FILE.bmp]... SCRIPT\n";

constexpr const char* help =
    "Plays the game headless, driven by SCRIPT ('-' for standard input), and prints\n"
    "one JSON line per game tick and a final line with the Best5 tables.\n"
    "  --seed N          the random seed in place of the tick count (default 1)\n"
    "  --ticks N         how many game ticks of 40 ms to run (default 1000)\n"
    "  --settings FILE   the settings and records file to start from (default: none)\n"
    "  --save FILE       where the settings and records are saved at the end\n"
    "  --screen T:FILE   save the screen after tick T as an 8-bit BMP\n"
    "Script lines: '<tick> <verb> [arguments]' with the verbs command ID,\n"
    "key-down VK, key-up VK, lbutton-down X Y, lbutton-up [X Y], name TEXT,\n"
    "clear-choice 0..4; '#' starts a comment line.\n"
    "Keys and clicks take the game's own roads: in the title the start panel's\n"
    "buttons have the focus (Tab, Enter, space, Escape = Exit), a click on its\n"
    "picture shows the next page; its pages turn every 50 ms of the same virtual\n"
    "clock, 40 ms a tick. The dialogs are the real ones, answered by keys at\n"
    "once, so no tick passes while one is open: the name entry with the\n"
    "'name' given before it (Backspace, the text, Enter) or as preset (Enter);\n"
    "Clear Best5 with the 'clear-choice' given before it (Tab, Tab, Down to the\n"
    "choice, Enter; Escape for 0) or as opened (Enter: 1); About with Enter. A\n"
    "--screen for a tick in which a dialog opens shows that dialog with its\n"
    "answer entered, just before it is confirmed.\n"
    "Alt, F10 and Alt with a letter open the menu bar from the keyboard, as in\n"
    "the game: the open menu takes the same tick's later events (arrows, Enter,\n"
    "letters, Escape), and is closed with Escape when they run out, before the\n"
    "tick's timer message.\n"
    "Exit status: 0 after a run, 2 for a bad command line, a bad script line, a\n"
    "script that cannot be read, or a --screen or --save file that cannot be\n"
    "written. Files are checked before the run (nothing is printed then); a\n"
    "screen whose writing still fails is named after the trace.\n";

int Fail(const std::string& message) {
    std::cerr << "varnisk-sim: " << message << "\n" << usage;
    return badInput;
}

std::string Reason() {
    return std::strerror(errno);
}

// Whether this user may write the file, or create files in the folder.
bool MayWrite(const std::filesystem::path& path, bool folder) {
#ifdef _WIN32
    static_cast<void>(folder);
    return ::_waccess(path.c_str(), 2) == 0; // wide, so that any name works
#else
    return ::access(path.c_str(), folder ? W_OK | X_OK : W_OK) == 0;
#endif
}

// Why file could not be made or replaced, as far as can be told without
// writing it; nothing when it can. The settings are saved through a new file
// beside the old one, so their folder must take new files even when the
// file itself exists.
std::optional<std::string> WhyUnwritable(const std::filesystem::path& file, bool replacedByRename) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (std::filesystem::is_directory(status)) {
        return "it is a folder";
    }
    if (std::filesystem::exists(status) && !replacedByRename) {
        return MayWrite(file, false) ? std::nullopt : std::optional(Reason());
    }
    const std::filesystem::path folder =
        file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    if (!std::filesystem::is_directory(folder, error)) {
        return "there is no folder '" + folder.string() + "'";
    }
    return MayWrite(folder, true) ? std::nullopt : std::optional(Reason());
}

std::optional<std::string> CheckOutputFiles(const SimOptions& options) {
    for (const ScreenRequest& screen : options.screens) {
        if (const auto why = WhyUnwritable(screen.file, false)) {
            return "cannot write the screen '" + screen.file.string() + "': " + *why;
        }
    }
    if (!options.save.empty()) {
        if (const auto why = WhyUnwritable(options.save, true)) {
            return "cannot save to '" + options.save.string() + "': " + *why;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The trace is the same bytes on every system: no carriage returns.
    ::_setmode(::_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    const OptionsResult parsed = ParseCommandLine(args);
    if (parsed.error) {
        return Fail(*parsed.error);
    }
    const SimOptions& options = parsed.options;
    if (options.help) {
        std::cout << usage << help;
        return 0;
    }
    ScriptResult script;
    if (options.script == "-") {
        script = ParseScript(std::cin);
    } else {
        // A folder opens like a file and reads as nothing: an empty script
        // that runs is worse than a refusal.
        std::error_code error;
        if (std::filesystem::is_directory(options.script, error)) {
            return Fail("the script '" + options.script + "' is a folder");
        }
        std::ifstream file(options.script);
        if (!file) {
            return Fail("cannot read the script '" + options.script + "': " + Reason());
        }
        script = ParseScript(file);
        if (file.bad()) {
            return Fail("cannot read the script '" + options.script + "'");
        }
    }
    if (script.error) {
        std::cerr << "varnisk-sim: " << options.script << ": " << *script.error << "\n";
        return badInput;
    }
    if (const std::optional<std::string> problem = CheckOutputFiles(options)) {
        return Fail(*problem);
    }
    return RunSimulation(options, script.events, std::cout);
}
