// Whole games played by the scripted climber, replayed through the runner and
// its settings file.

#include "tests/sim/run_script.h"
#include "tools/varnisk-climber/climber.h"
#include "tools/varnisk-sim/runner.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Replay {
    std::vector<std::string> lines;
    std::string final;
};

Replay RunScript(const std::string& script, std::int64_t ticks, std::uint32_t seed,
                 const std::filesystem::path& settings, const std::filesystem::path& save) {
    SimOptions options;
    options.seed = seed;
    options.ticks = ticks;
    options.settings = settings;
    options.save = save;
    Replay replay{RunScriptLines(script, options), {}};
    replay.final = replay.lines.back();
    replay.lines.pop_back();
    return replay;
}

std::string Field(const std::string& line, const std::string& key) {
    const std::size_t at = line.find("\"" + key + "\":");
    const std::size_t start = at + key.size() + 3;
    return line.substr(start, line.find_first_of(",}", start) - start);
}

class TempFolder {
  public:
    TempFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("varnisk-sim-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

struct Case {
    int command;
    int table;
    std::uint32_t seed;
};

class WholeGame : public ::testing::TestWithParam<Case> {};

} // namespace

TEST_P(WholeGame, ClimbsHundredsOfFloorsFallsOutAndKeepsTheRecord) {
    const Case c = GetParam();
    const ClimbResult climb =
        ClimbAndFall(c.seed, c.command, 300, "Climber Nº" + std::to_string(c.table), 400000);
    ASSERT_TRUE(climb.ended) << "the game did not end; floors " << climb.floors;
    EXPECT_GE(climb.floors, 300);

    TempFolder folder;
    const auto saved = folder.path() / "varnisk.ini";
    const Replay replay = RunScript(climb.script, climb.ticks + 5, c.seed, {}, saved);
    ASSERT_EQ(replay.lines.size(), static_cast<std::size_t>(climb.ticks + 5));

    // The replay ends the game in the same tick, at the bottom of the field,
    // with the same floor count, and comes back to the title.
    const std::string& last = replay.lines[static_cast<std::size_t>(climb.ticks - 1)];
    EXPECT_EQ(Field(last, "mode"), "1");
    EXPECT_EQ(Field(last, "playerY"), "352");
    EXPECT_EQ(Field(last, "floorCount"), std::to_string(climb.floors));
    EXPECT_EQ(Field(replay.lines[static_cast<std::size_t>(climb.ticks - 2)], "mode"), "0");
    EXPECT_NE(last.find("\"sounds\":[160,158]"), std::string::npos) << last;
    EXPECT_NE(last.find("\"music\":[\"stop\",\"stop\"]"), std::string::npos) << last;

    // The game tops its table, under the name it was given.
    const std::string entry = "{\"name\":\"Climber Nº" + std::to_string(c.table) +
                              "\",\"score\":" + std::to_string(climb.floors) +
                              ",\"jumps\":" + std::to_string(climb.jumps) + "}";
    EXPECT_NE(replay.final.find("[" + entry), std::string::npos) << replay.final;

    // The next run reads it back from the saved file.
    const Replay next = RunScript("", 1, 7, saved, {});
    EXPECT_NE(next.final.find("[" + entry), std::string::npos) << next.final;
    EXPECT_NE(next.final.find("\"lastInputName\":\"Climber Nº" + std::to_string(c.table) + "\""),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(EachDifficulty, WholeGame,
                         ::testing::Values(Case{40006, 0, 22}, Case{40007, 1, 33},
                                           Case{40008, 2, 11}),
                         [](const ::testing::TestParamInfo<Case>& param) {
                             return std::string(param.param.table == 0   ? "Easy"
                                                : param.param.table == 1 ? "Normal"
                                                                         : "Hard");
                         });
