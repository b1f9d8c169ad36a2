#pragma once

// Runs a script text through the runner in this process, as the command line
// would, and returns its output lines (the trace, then the final line); and
// what the runner's tests share to read those lines and keep their files.

#include "tests/assets/asset_readers.h"
#include "tools/varnisk-sim/runner.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
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

// The text of a trace line's number or string field, as written.
inline std::string Field(const std::string& line, const std::string& key) {
    const std::size_t start = line.find("\"" + key + "\":") + key.size() + 3;
    return line.substr(start, line.find_first_of(",}", start) - start);
}

// A folder of the test's own (each test runs in a process of its own),
// removed with it.
class TempFolder {
  public:
    TempFolder() { std::filesystem::create_directories(path); }
    ~TempFolder() { std::filesystem::remove_all(path); }
    // A screen the runner saved here.
    asset_readers::Bitmap Screen(const std::string& name) const {
        return asset_readers::LoadBmpFile(path / name);
    }
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("varnisk-sim-" + std::to_string(getpid()) + "-" + std::to_string(++made_));

  private:
    static inline int made_ = 0;
};
