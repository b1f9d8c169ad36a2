#include "tools/varnisk-sim/script.h"

#include "tools/varnisk-sim/parse_number.h"

#include <limits>
#include <sstream>
#include <string_view>

namespace {

constexpr std::string_view blanks = " \t";

std::string_view TrimLeft(std::string_view s) {
    const auto start = s.find_first_not_of(blanks);
    return start == std::string_view::npos ? std::string_view{} : s.substr(start);
}

// Splits off the next blank-separated word.
std::string_view NextWord(std::string_view& rest) {
    rest = TrimLeft(rest);
    const auto end = rest.find_first_of(blanks);
    const std::string_view word = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
    return word;
}

struct LineParser {
    std::string_view rest;
    std::string problem;

    bool Int32(const char* what, std::int32_t& value, std::int32_t low, std::int32_t high) {
        const std::string_view word = NextWord(rest);
        if (word.empty()) {
            problem = std::string("missing ") + what;
            return false;
        }
        if (!ParseNumber(word, value) || value < low || value > high) {
            problem = std::string("bad ") + what + " '" + std::string(word) + "'";
            return false;
        }
        return true;
    }

    bool End() {
        const std::string_view extra = TrimLeft(rest);
        if (!extra.empty()) {
            problem = "unexpected '" + std::string(extra) + "'";
            return false;
        }
        return true;
    }
};

constexpr std::int32_t int16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t int16Max = std::numeric_limits<std::int16_t>::max();

bool ParseArguments(ScriptEvent& event, std::string_view verb, LineParser& p) {
    if (verb == "command") {
        event.verb = ScriptVerb::Command;
        return p.Int32("command id", event.value, 0, 65535) && p.End();
    }
    if (verb == "key-down" || verb == "key-up") {
        event.verb = verb == "key-down" ? ScriptVerb::KeyDown : ScriptVerb::KeyUp;
        return p.Int32("virtual-key code", event.value, 0, 255) && p.End();
    }
    if (verb == "lbutton-down") {
        event.verb = ScriptVerb::LeftButtonDown;
        event.hasPoint = true;
        return p.Int32("x", event.x, int16Min, int16Max) &&
               p.Int32("y", event.y, int16Min, int16Max) && p.End();
    }
    if (verb == "lbutton-up") {
        event.verb = ScriptVerb::LeftButtonUp;
        if (TrimLeft(p.rest).empty()) {
            return true; // released where it was pressed
        }
        event.hasPoint = true;
        return p.Int32("x", event.x, int16Min, int16Max) &&
               p.Int32("y", event.y, int16Min, int16Max) && p.End();
    }
    if (verb == "name") {
        event.verb = ScriptVerb::EntryName;
        // The rest of the line after the one blank that ends the verb, so a
        // name may begin or end with blanks.
        event.text = std::string(p.rest.empty() ? p.rest : p.rest.substr(1));
        return true;
    }
    if (verb == "clear-choice") {
        event.verb = ScriptVerb::ClearChoice;
        return p.Int32("choice", event.value, 0, 4) && p.End();
    }
    p.problem = "unknown verb '" + std::string(verb) + "'";
    return false;
}

} // namespace

ScriptResult ParseScript(std::istream& in) {
    ScriptResult result;
    std::string raw;
    int lineNumber = 0;
    std::int64_t lastTick = 0;
    while (std::getline(in, raw)) {
        ++lineNumber;
        std::string_view line = raw;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string_view content = TrimLeft(line);
        if (content.empty() || content.front() == '#') {
            continue;
        }
        LineParser p{content, {}};
        ScriptEvent event{};
        event.line = lineNumber;
        const std::string_view tickWord = NextWord(p.rest);
        const std::string_view verb = NextWord(p.rest);
        if (!ParseNumber(tickWord, event.tick) || event.tick < 0) {
            p.problem = "bad tick '" + std::string(tickWord) + "'";
        } else if (event.tick < lastTick) {
            p.problem = "tick " + std::to_string(event.tick) + " comes before tick " +
                        std::to_string(lastTick);
        } else if (verb.empty()) {
            p.problem = "missing verb";
        } else {
            ParseArguments(event, verb, p);
        }
        if (!p.problem.empty()) {
            result.error = "line " + std::to_string(lineNumber) + ": " + p.problem;
            result.events.clear();
            return result;
        }
        lastTick = event.tick;
        result.events.push_back(std::move(event));
    }
    return result;
}
