// Whole games in the SpeedUp mode, every partial frame checked against the
// state composed from scratch. The games are the climber's, committed beside
// this file (60 floors each); VARNISK_PARTIAL_GAMES=folder plays the scripts
// of the same names from there instead, for longer runs by hand. The figures
// are printed either way.

#include "tests/render/partial_game_check.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>

namespace {

struct Case {
    const char* name; // the script's name
    std::uint32_t seed;
};

class PartialGame : public ::testing::TestWithParam<Case> {};

TEST_P(PartialGame, EveryFrameIsTheCompositionButWhereARuleOfTheRedrawSaysOtherwise) {
    const char* folder = std::getenv("VARNISK_PARTIAL_GAMES");
    const std::string path =
        (folder != nullptr ? std::string(folder)
                           : std::string(VARNISK_SOURCE_DIR) + "/tests/render/partial_games") +
        "/" + GetParam().name + ".script";
    std::ifstream file(path);
    ASSERT_TRUE(file) << path;
    std::ostringstream script;
    script << file.rdbuf();
    const std::string text = script.str();
    // "# Played by varnisk-climber --seed 22: floor 60 with ..."
    const std::size_t at = text.find(": floor ");
    ASSERT_NE(at, std::string::npos);
    const std::int32_t goal = std::atoi(text.c_str() + at + 8);

    const PartialGameFigures f = CheckPartialGame(text, GetParam().seed, 150);
    EXPECT_EQ(f.floors, goal) << "the replayed game went astray";
    EXPECT_GE(f.pauses, 10);
    std::cout << GetParam().name << ": " << f.ticks << " ticks, " << f.frames
              << " partial frames, floor " << f.floors << ", " << f.pauses << " pauses; "
              << f.framesDiffering << " frames differ from the composition\n";
    for (const auto& [rule, count] : f.byRule) {
        std::cout << "  " << rule << ": " << count.pixels << " pixels in " << count.frames
                  << " frames\n";
    }
    EXPECT_EQ(f.faults, 0) << f.firstFault;
}

INSTANTIATE_TEST_SUITE_P(EachDifficulty, PartialGame,
                         ::testing::Values(Case{"easy", 22}, Case{"normal", 33}, Case{"hard", 11}),
                         [](const ::testing::TestParamInfo<Case>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
