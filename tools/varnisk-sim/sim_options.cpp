#include "tools/varnisk-sim/sim_options.h"

#include "tools/varnisk-sim/parse_number.h"

#include <string_view>

OptionsResult ParseCommandLine(const std::vector<std::string>& args) {
    OptionsResult result;
    SimOptions& o = result.options;
    bool haveScript = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::string value;
        bool valueInline = false;
        if (arg.rfind("--", 0) == 0) {
            if (const auto eq = arg.find('='); eq != std::string::npos) {
                value = arg.substr(eq + 1);
                arg.resize(eq);
                valueInline = true;
            }
        }
        const bool takesValue = arg == "--seed" || arg == "--ticks" || arg == "--settings" ||
                                arg == "--save" || arg == "--screen";
        if (takesValue && !valueInline) {
            if (i + 1 >= args.size()) {
                result.error = arg + " needs a value";
                return result;
            }
            value = args[++i];
        }
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            return result;
        }
        if (arg == "--seed") {
            if (!ParseNumber(value, o.seed)) {
                result.error = "bad --seed '" + value + "': expected 0..4294967295";
                return result;
            }
        } else if (arg == "--ticks") {
            if (!ParseNumber(value, o.ticks) || o.ticks < 0) {
                result.error = "bad --ticks '" + value + "': expected a count of 0 or more";
                return result;
            }
        } else if (arg == "--settings") {
            o.settings = value;
        } else if (arg == "--save") {
            o.save = value;
        } else if (arg == "--screen") {
            const auto colon = value.find(':');
            ScreenRequest request{};
            if (colon == std::string::npos ||
                !ParseNumber(std::string_view(value).substr(0, colon), request.tick) ||
                request.tick < 0 || colon + 1 == value.size()) {
                result.error = "bad --screen '" + value + "': expected TICK:FILE.bmp";
                return result;
            }
            request.file = value.substr(colon + 1);
            o.screens.push_back(request);
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            result.error = "unknown option '" + arg + "'";
            return result;
        } else if (haveScript) {
            result.error = "more than one script given ('" + o.script + "', '" + arg + "')";
            return result;
        } else {
            o.script = arg;
            haveScript = true;
        }
    }
    if (!haveScript) {
        result.error = "no script given";
    }
    return result;
}
