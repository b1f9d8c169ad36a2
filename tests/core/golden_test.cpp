// Values worked out by hand from the game's rules, for a few whole sequences:
// the fields that seed 1 gives, the title scroll, and a first jump.
//
// From seed 1 the generator gives 16838, 5758, 10113, 17515, 31051, 5627,
// 23010, 7419, 16212, 4086, 2749, 12767, 9084, 12060, 32225, 17543, 25089,
// 21183, 25137, 25566, 26966, 4978, then 20495, 10311, ... Slot i of a
// fresh field takes its kind from draw 2i + 1 (r = draw mod (30 - 6 level))
// and its x from draw 2i + 2 (row 12 - i, plus 16 * (draw mod (level + 2))).

#include "core/floor_field.h"
#include "core/game_flow.h"
#include "core/game_tick.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using K = FloorKind;

struct Expected {
    FloorKind kind;
    std::int32_t x;
};

void ExpectField(const GameState& state, const std::vector<Expected>& floors) {
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(state.floors[i].kind, floors[i].kind) << "slot " << i;
        EXPECT_EQ(state.floors[i].x, floors[i].x) << "slot " << i;
        EXPECT_EQ(state.floors[i].y, 32 * i - 32) << "slot " << i;
    }
}

GameState TitleOn(std::int32_t difficulty) {
    GameState state = MakeTitleState(1);
    state.difficulty = difficulty;
    SeedRandom(1);
    LayOutField(state);
    return state;
}

TEST(Golden, FirstFieldOfSeedOneOnNormal) {
    // Level 1: r = draw mod 24, x = row base + 16 * (draw mod 3). The kind
    // draws give r 14, 9, 19, 18, 12, 13, 12, 17, 9, 9, 14: all plain floors.
    ExpectField(MakeTitleState(1), {{K::Normal, 32},
                                    {K::Normal, 288},
                                    {K::Normal, 128},
                                    {K::Normal, 192},
                                    {K::Normal, 16},
                                    {K::Normal, 304},
                                    {K::Normal, 96},
                                    {K::Normal, 224},
                                    {K::Normal, 16},
                                    {K::Normal, 272},
                                    {K::Normal, 112}});
}

TEST(Golden, FirstFieldOfSeedOneOnEasy) {
    // Level 0: r = draw mod 30 gives 8 (a spring on Easy), 3, 1, 0, 12, 19,
    // 24, 5, 9, 27, 26; x = row base + 16 * (draw mod 2).
    ExpectField(TitleOn(1), {{K::Spring, 16},
                             {K::MovingLR, 304},
                             {K::ConveyorLeft, 128},
                             {K::ConveyorRight, 208},
                             {K::Normal, 16},
                             {K::Normal, 304},
                             {K::Normal, 112},
                             {K::MovingUD, 208},
                             {K::Normal, 32},
                             {K::Normal, 288},
                             {K::Normal, 112}});
}

TEST(Golden, FirstFieldOfSeedOneOnHard) {
    // Level 2: r = draw mod 18 gives 8, 15, 1, 6 (Hard's only spring value),
    // 12, 13, 12, 5, 15, 9, 2; x = row base + 16 * (draw mod 4).
    ExpectField(TitleOn(3), {{K::Normal, 48},
                             {K::Normal, 304},
                             {K::ConveyorLeft, 144},
                             {K::Spring, 224},
                             {K::Normal, 48},
                             {K::Normal, 304},
                             {K::Normal, 96},
                             {K::MovingUD, 224},
                             {K::Normal, 64},
                             {K::Normal, 288},
                             {K::MovingLR, 128}});
}

TEST(Golden, FirstGameFieldContinuesTheSequence) {
    // Draws 23..44: 20495, 10311, 11367, 30054, ... on Normal.
    GameState state = MakeTitleState(1);
    NewGame(state);
    ExpectField(state, {{K::Normal, 16},
                        {K::Normal, 272},
                        {K::Normal, 128},
                        {K::Normal, 224},
                        {K::Normal, 48},
                        {K::MovingLR, 288},
                        {K::Normal, 128},
                        {K::Normal, 208},
                        {K::Normal, 16},
                        {K::Normal, 304},
                        {K::Normal, 96}});
}

TEST(Golden, TitleScrollRecyclesTheGroundOnTheSixteenthTick) {
    // The ground at 320 reaches 352 after 16 ticks of 2 pixels and comes back
    // at -32 as row 1: draw 23 (20495 mod 24 = 23, Normal), draw 24 (10311
    // mod 3 = 0, x 16 + 176).
    GameState state = MakeTitleState(1);
    for (int t = 0; t < 15; ++t) {
        AttractTick(state);
    }
    EXPECT_EQ(state.floors[11].kind, K::Ground);
    EXPECT_EQ(state.floors[11].y, 350);
    EXPECT_EQ(state.patternIndex, 0);
    AttractTick(state);
    EXPECT_EQ(state.floors[11].kind, K::Normal);
    EXPECT_EQ(state.floors[11].x, 192);
    EXPECT_EQ(state.floors[11].y, -32);
    EXPECT_EQ(state.floors[11].velocity, 25);
    EXPECT_EQ(state.patternIndex, 1);
    EXPECT_EQ(state.floors[10].y, 320);
    EXPECT_EQ(state.floors[12].y, 0); // -30, -28, ... back to 0
    EXPECT_EQ(state.scrollPhase, 16);
    EXPECT_EQ(state.animFrame, 0);
    EXPECT_EQ(state.floorCount, 1);
    EXPECT_EQ(state.playerY, 352);
}

TEST(Golden, EasyTitlePressesTheSpringInSlotZero) {
    // A fresh window stands "on" slot 0, which seed 1 on Easy makes a spring.
    GameState state = TitleOn(1);
    AttractTick(state);
    EXPECT_EQ(state.floors[0].phase, 4);
    EXPECT_EQ(state.floors[0].velocity, 0);
    EXPECT_EQ(state.playerY, 356);
    EXPECT_EQ(state.floors[1].phase, 24); // the sliding floor's first step
    EXPECT_EQ(state.floors[7].phase, 24);
}

TEST(Golden, FirstJumpOfTheFirstGameLandsOnTheFloorAbove) {
    // Slot 10 of the first game's field is a plain floor at x 96..191, row
    // 288. Six ticks of charging (x 24), the launch (x 28), six ticks up by
    // 12, 10, 8, 6, 4, 2 to row 246 (x 52), one tick still (x 56), then down
    // by 2, 4 and 6: at x 68 the feet (88..111) sweep rows 284..290 and land.
    GameState state = MakeTitleState(1);
    NewGame(state);
    recording::Clear();
    std::vector<std::int32_t> ys;
    state.jumpHeld = 1;
    for (int t = 1; t <= 17; ++t) {
        if (t == 7) {
            state.jumpHeld = 0;
        }
        GameTick(state);
        ys.push_back(state.playerY);
    }
    EXPECT_EQ(ys, (std::vector<std::int32_t>{288, 288, 288, 288, 288, 288, 288, 276, 266, 258, 252,
                                             248, 246, 246, 248, 252, 256}));
    EXPECT_EQ(state.playerX, 68);
    EXPECT_EQ(state.airborne, 0);
    EXPECT_EQ(state.standingFloor, 10);
    EXPECT_EQ(state.jumpCount, 1);
    EXPECT_EQ(recording::Effects(), (std::vector<int>{143, 144, 145, 146, 147, 148, 141, 142}));
}

} // namespace
