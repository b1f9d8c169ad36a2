// VARNISK: the program entry on the desktop.

#include "persist/settings_file.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_backend.h"
#include "shell/desktop/program.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace {

// The status a shell expects for a command line the program cannot use.
constexpr int badCommandLine = 2;

constexpr std::string_view usage = "usage: varnisk [--help] [--version]";

// The name the program was started by, for its messages, as other commands
// name themselves: the last part of the path.
std::string ProgramName(const char* argv0) {
    const std::string_view called = argv0 != nullptr ? argv0 : "";
    const std::string_view name = called.substr(called.find_last_of('/') + 1);
    return name.empty() ? std::string("varnisk") : std::string(name);
}

void PrintHelp() {
    std::cout << usage << "\n\n"
              << "Climb the endless shaft, one jump at a time: hold Space or the left mouse\n"
                 "button to charge a jump, let go to jump. Esc pauses, F1 opens the help;\n"
                 "every other choice is in the game's menus.\n\n"
                 "  -h, --help     show this text and exit\n"
                 "      --version  show the version and exit\n\n"
                 "The settings and the Best5 records are kept in\n"
              << SettingsFilePath().string() << "\n";
}

// What the command line asks of the program before the game: nothing (run
// the game), or an exit status once it has been answered.
std::optional<int> AnswerCommandLine(int argc, char** argv) {
    const std::string program = ProgramName(argc > 0 ? argv[0] : nullptr);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            PrintHelp();
            return 0;
        }
        if (arg == "--version") {
            std::cout << "varnisk " << VARNISK_VERSION << "\n";
            return 0;
        }
        // The game takes no values and no files: anything else is a mistake
        // the player should hear about rather than a game that ignores it.
        const std::string_view name = arg.substr(0, arg.find('='));
        std::string problem;
        if (name == "--help" || name == "--version") {
            problem = "option '" + std::string(name) + "' takes no value";
        } else if (arg.starts_with('-') && arg != "-") {
            problem = "unknown option '" + std::string(arg) + "'";
        } else {
            problem = "unexpected argument '" + std::string(arg) + "'";
        }
        std::cerr << program << ": " << problem << "; " << usage << "\n";
        return badCommandLine;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> answered = AnswerCommandLine(argc, argv)) {
        return *answered;
    }
    SdlBackend backend;
    if (!backend.Initialised()) {
        return 1; // it has said why
    }
    const int exitCode = PlayOnDesktop(
        backend, [&backend](std::int32_t zoom) { backend.RequestZoom(zoom); },
        [&backend](bool fullscreen) { backend.RequestFullscreen(fullscreen); },
        [&backend] { return backend.Fullscreen(); });
    // The records are saved and the game's windows are gone. The sound
    // device is closed in order, so that whatever it was playing reaches
    // the driver; the rest (the music's renderer, perhaps still loading its
    // soundfont, the display connection and the libraries' own teardown)
    // the system takes back at once when the process ends, where tearing
    // it down by hand would keep a closed game running for a moment longer.
    backend.Audio().CloseDevice();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
