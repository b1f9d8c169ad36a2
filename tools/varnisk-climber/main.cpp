// varnisk-climber: plays a game headless, climbing to a goal, and prints what
// it did as a varnisk-sim script (how the demo game was made).
// usage: varnisk-climber [--seed N] [--difficulty easy|normal|hard] [--floors N] [--name TEXT]

#include "climber.h"
#include "tools/varnisk-sim/parse_number.h"

#include <iostream>
#include <string>
#include <string_view>

namespace {

int Usage() {
    std::cerr << "usage: varnisk-climber [--seed N] [--difficulty easy|normal|hard] "
                 "[--floors N] [--name TEXT]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::uint32_t seed = 1;
    int difficultyCommand = 40007;
    std::int32_t floors = 60;
    std::string name = "Climber";
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc) {
            return Usage();
        }
        const std::string_view value = argv[++i];
        bool understood = false;
        if (option == "--seed") {
            understood = ParseNumber(value, seed);
        } else if (option == "--floors") {
            understood = ParseNumber(value, floors) && floors > 0;
        } else if (option == "--name") {
            name = value;
            understood = true;
        } else if (option == "--difficulty") {
            understood = value == "easy" || value == "normal" || value == "hard";
            difficultyCommand = value == "easy" ? 40006 : value == "hard" ? 40008 : 40007;
        }
        if (!understood) {
            return Usage();
        }
    }
    const ClimbResult result = ClimbAndFall(seed, difficultyCommand, floors, name, 400000);
    std::cout << "# Played by varnisk-climber --seed " << seed << ": floor " << result.floors
              << " with " << result.jumps << " jumps in " << result.ticks << " ticks"
              << (result.ended ? ", then it fell out of the shaft" : "") << ".\n"
              << result.script;
    return result.ended ? 0 : 1;
}
