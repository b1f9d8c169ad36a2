// Values worked out by hand from the game's rules, for a few whole sequences:
// the generator, the Easy field of seed 1, the title scroll and a first jump.
//
// From seed 1 the generator gives 16838, 5758, 10113, 17515, 31051, 5627,
// 23010, 7419, 16212, 4086, 2749, 12767, 9084, 12060, 32225, 17543, 25089,
// 21183, 25137, 25566, 26966, 4978, then 20495, 10311, ... Slot i of a
// fresh field takes its kind from draw 2i + 1 (r = draw mod (30 - 6 level))
// and its x from draw 2i + 2 (row 12 - i, plus 16 * (draw mod (level + 2))).

#include "core/floor_field.h"
#include "core/game_flow.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace coretest;

TEST(Golden, RandomDrawsKeepBitsSixteenToThirty) {
    Random random{};
    SeedRandom(random, 1);
    const Ints draws{NextRandom(random), NextRandom(random), NextRandom(random)};
    EXPECT_EQ(draws, (Ints{16838, 5758, 10113}));
    SeedRandom(random, 7); // the next state is 0xCC6C5534, whose bit 31 is not drawn
    EXPECT_EQ(NextRandom(random), 19564);
}

TEST(Golden, FirstFieldOfSeedOneOnEasy) {
    // Level 0: r = draw mod 30 gives 8 (a spring on Easy), 3, 1, 0, 12, 19,
    // 24, 5, 9, 27, 26; x = row base + 16 * (draw mod 2).
    Game state;
    state.difficulty = 1;
    for (FloorSlot& slot : state.floors) {
        slot = Slot(K::Spring, 777, 777, 9, 9); // the layout leaves nothing of these
    }
    SeedRandom(state.random, 1);
    LayOutField(state);
    const K kinds[] = {K::Spring, K::MovingLR, K::ConveyorLeft, K::ConveyorRight,
                       K::Normal, K::Normal,   K::Normal,       K::MovingUD,
                       K::Normal, K::Normal,   K::Normal};
    const int xs[] = {16, 304, 128, 208, 16, 304, 112, 208, 32, 288, 112};
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(Named(state.floors[i]), Named(Slot(kinds[i], xs[i], 32 * i - 32, 0, 25, 1)))
            << "slot " << i;
    }
    EXPECT_FIELDS(state, "slot11.kind", K::Ground, "slot11.x", 16, "slot11.y", 320, "slot12.kind",
                  K::Wall, "slot12.x", 0, "slot12.y", 0, "slot13.x", 400, "slot13.y", 0);
    // A fresh window stands "on" slot 0: the hidden character presses the spring.
    AttractTick(state);
    EXPECT_FIELDS(state, "slot0.phase", 4, "slot0.velocity", 0, "playerY", 356, "slot1.phase", 24,
                  "slot7.phase", 24);
}

TEST(Golden, TitleScrollRecyclesTheGroundOnTheSixteenthTick) {
    // The ground at 320 reaches 352 after 16 ticks of 2 pixels and comes back
    // at -32 as row 1: draw 23 (20495 mod 24 = 23, Normal), draw 24 (10311
    // mod 3 = 0, x 16 + 176).
    Game state;
    for (int t = 0; t < 15; ++t) {
        AttractTick(state);
    }
    EXPECT_FIELDS(state, "slot11.y", 350, "patternIndex", 0);
    AttractTick(state);
    EXPECT_EQ(Named(state.floors[groundSlot]), Named(Slot(K::Normal, 192, -32, 0, 25, 1)));
    EXPECT_FIELDS(state, "patternIndex", 1, "slot10.y", 320, "slot12.y", 0, "scrollPhase", 16,
                  "animFrame", 0, "floorCount", 1, "playerY", 352);
}

TEST(Golden, FirstJumpOfTheFirstGameLandsOnTheFloorAbove) {
    // The first game's field takes draws 23..44, going on from the title's:
    // its slot 10 is a plain floor at x 96..191, row 288. Six ticks of
    // charging (x 24), the launch (x 28), six ticks up by 12, 10, 8, 6, 4, 2
    // to row 246 (x 52), one tick still (x 56), then down by 2, 4 and 6: at
    // x 68 the feet (88..111) sweep rows 284..290 and land.
    Game state;
    NewGame(state);
    state.rec.Clear();
    Ints ys;
    for (int t = 1; t <= 17; ++t) {
        state.jumpHeld = t < 7;
        GameTick(state);
        ys.push_back(state.playerY);
    }
    EXPECT_EQ(ys, (Ints{288, 288, 288, 288, 288, 288, 288, 276, 266, 258, 252, 248, 246, 246, 248,
                        252, 256}));
    EXPECT_FIELDS(state, "playerX", 68, "airborne", 0, "standingFloor", 10, "jumpCount", 1);
    EXPECT_EQ(state.rec.Effects(), (Ints{143, 144, 145, 146, 147, 148, 141, 142}));
}

} // namespace
