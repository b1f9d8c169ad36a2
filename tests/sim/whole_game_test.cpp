// Whole games played by the scripted climber, replayed through the runner and
// its settings file.

#include "tests/sim/run_script.h"
#include "tools/varnisk-climber/climber.h"

namespace {

std::vector<std::string> Replay(const std::string& script, std::int64_t ticks, std::uint32_t seed,
                                const std::filesystem::path& settings,
                                const std::filesystem::path& save) {
    SimOptions options;
    options.seed = seed;
    options.ticks = ticks;
    options.settings = settings;
    options.save = save;
    return RunScriptLines(script, options);
}

struct Case {
    int command;
    int table;
    std::uint32_t seed;
};

class WholeGame : public ::testing::TestWithParam<Case> {};

} // namespace

TEST_P(WholeGame, ClimbsHundredsOfFloorsFallsOutAndKeepsTheRecord) {
    const Case c = GetParam();
    const std::string name = "Climber Nº" + std::to_string(c.table);
    const ClimbResult climb = ClimbAndFall(c.seed, c.command, 300, name, 400000);
    ASSERT_TRUE(climb.ended) << "the game did not end; floors " << climb.floors;
    EXPECT_GE(climb.floors, 300);

    TempFolder folder;
    const auto saved = folder.path / "varnisk.ini";
    const auto lines = Replay(climb.script, climb.ticks + 5, c.seed, {}, saved);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(climb.ticks + 5 + 1)) << "and the final line";

    // The replay ends the game in the same tick, at the bottom of the field,
    // with the same floor count, and comes back to the title.
    const std::string& last = lines[static_cast<std::size_t>(climb.ticks - 1)];
    EXPECT_EQ(Field(lines[static_cast<std::size_t>(climb.ticks - 2)], "mode"), "0");
    EXPECT_EQ(Field(last, "mode"), "1");
    EXPECT_EQ(Field(last, "playerY"), "352");
    EXPECT_EQ(Field(last, "floorCount"), std::to_string(climb.floors));
    EXPECT_NE(last.find("\"sounds\":[160,158]"), std::string::npos) << last;
    EXPECT_NE(last.find("\"music\":[\"stop\",\"stop\"]"), std::string::npos) << last;

    // The game tops its table, under the name it was given, and the next run
    // reads it back from the saved file.
    const std::string entry = "[{\"name\":\"" + name +
                              "\",\"score\":" + std::to_string(climb.floors) +
                              ",\"jumps\":" + std::to_string(climb.jumps) + "}";
    EXPECT_NE(lines.back().find(entry), std::string::npos) << lines.back();
    const std::string next = Replay("", 1, 7, saved, {}).back();
    EXPECT_NE(next.find(entry), std::string::npos) << next;
    EXPECT_EQ(Field(next, "lastInputName"), "\"" + name + "\"");
}

INSTANTIATE_TEST_SUITE_P(EachDifficulty, WholeGame,
                         ::testing::Values(Case{40006, 0, 22}, Case{40007, 1, 33},
                                           Case{40008, 2, 11}),
                         [](const ::testing::TestParamInfo<Case>& param) {
                             return std::string(param.param.table == 0   ? "Easy"
                                                : param.param.table == 1 ? "Normal"
                                                                         : "Hard");
                         });
