#pragma once

// Runs a script text through the runner in this process, as the command line
// would, and returns its output lines (the trace, then the final line).

#include "tools/varnisk-sim/runner.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> RunScriptLines(const std::string& script,
                                               const SimOptions& options) {
    std::istringstream in(script);
    const ScriptResult parsed = ParseScript(in);
    EXPECT_FALSE(parsed.error) << *parsed.error;
    std::ostringstream out;
    EXPECT_EQ(RunSimulation(options, parsed.events, out), 0);
    std::vector<std::string> lines;
    std::istringstream all(out.str());
    for (std::string line; std::getline(all, line);)
        lines.push_back(line);
    return lines;
}
