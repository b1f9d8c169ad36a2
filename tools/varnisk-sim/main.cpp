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

int Fail(const std::string& message) {
    std::cerr << "varnisk-sim: " << message << "\n"
              << "usage: varnisk-sim [--seed N] [--ticks N] [--settings FILE] [--save FILE]\n"
              << "                   [--screen T:FILE.bmp]... SCRIPT\n";
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
    if (!options.screens.empty()) {
        return Fail("--screen: this build has no screen to save yet");
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
