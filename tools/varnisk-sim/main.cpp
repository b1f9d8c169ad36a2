// varnisk-sim: plays the real game without a screen, a sound card or a
// person, driven by a script of timed input, and prints a trace line per tick.

#include "tools/varnisk-sim/runner.h"
#include "tools/varnisk-sim/script.h"
#include "tools/varnisk-sim/sim_options.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

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
    "answer entered, just before it is confirmed.\n";

int Fail(const std::string& message) {
    std::cerr << "varnisk-sim: " << message << "\n" << usage;
    return badInput;
}

} // namespace

int main(int argc, char** argv) {
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
        std::ifstream file(options.script);
        if (!file) {
            return Fail("cannot read the script '" + options.script + "'");
        }
        script = ParseScript(file);
    }
    if (script.error) {
        std::cerr << "varnisk-sim: " << options.script << ": " << *script.error << "\n";
        return badInput;
    }
    return RunSimulation(options, script.events, std::cout);
}
