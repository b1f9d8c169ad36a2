#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

// The runner's input: timed events, one a line: "<tick> <verb> [arguments]".
enum class ScriptVerb {
    Command,
    KeyDown,
    KeyUp,
    LeftButtonDown,
    LeftButtonUp,
    EntryName,
    ClearChoice,
};

struct ScriptEvent {
    std::int64_t tick;
    ScriptVerb verb;
    std::int32_t value; // command id, virtual key or Clear Best5 choice
    bool hasPoint;      // a button event that names its point
    std::int32_t x;
    std::int32_t y;
    std::string text; // the name
    int line;         // where it stood in the script, for messages
};

struct ScriptResult {
    std::vector<ScriptEvent> events;
    std::optional<std::string> error; // "line 7: ..." for the first bad line
};

ScriptResult ParseScript(std::istream& in);
