#include "core/floor_field.h"
#include "core/game_tick.h"
#include "tests/core/core_test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

using coretest::NextDrawIs;
using coretest::NextDrawsAre;
using coretest::Slot;

void ExpectRect(const Rect& r, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height) {
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, width);
    EXPECT_EQ(r.height, height);
}

// ---------------------------------------------------------------- the level

TEST(FloorLevel, StartsByDifficultyAndClimbsEveryFiftyFloorsToFour) {
    EXPECT_EQ(FloorLevel(1, 1), 0);
    EXPECT_EQ(FloorLevel(2, 1), 1);
    EXPECT_EQ(FloorLevel(3, 1), 2);
    EXPECT_EQ(FloorLevel(1, 49), 0);
    EXPECT_EQ(FloorLevel(1, 50), 1);
    EXPECT_EQ(FloorLevel(2, 99), 2);
    EXPECT_EQ(FloorLevel(2, 100), 3);
    EXPECT_EQ(FloorLevel(3, 100), 4);
    EXPECT_EQ(FloorLevel(2, 150), 4);
    EXPECT_EQ(FloorLevel(1, 1000), 4);
    EXPECT_EQ(FloorLevel(3, 5000), 4);
}

// ---------------------------------------------------------- ChooseFloorKind

FloorKind KindFor(std::int32_t draw, std::int32_t difficulty, std::int32_t floorCount,
                  std::int32_t flags = allFloorFlags) {
    NextDrawIs(draw);
    return ChooseFloorKind(difficulty, floorCount, flags);
}

TEST(ChooseFloorKind, BandsOnNormal) {
    // Level 1: r = draw mod 24.
    EXPECT_EQ(KindFor(0, 2, 1), FloorKind::ConveyorRight);
    EXPECT_EQ(KindFor(1, 2, 1), FloorKind::ConveyorLeft);
    EXPECT_EQ(KindFor(2, 2, 1), FloorKind::MovingLR);
    EXPECT_EQ(KindFor(3, 2, 1), FloorKind::MovingLR);
    EXPECT_EQ(KindFor(4, 2, 1), FloorKind::MovingUD);
    EXPECT_EQ(KindFor(5, 2, 1), FloorKind::MovingUD);
    EXPECT_EQ(KindFor(6, 2, 1), FloorKind::Spring);
    EXPECT_EQ(KindFor(7, 2, 1), FloorKind::Spring);
    for (std::int32_t r = 8; r < 24; ++r) {
        EXPECT_EQ(KindFor(r, 2, 1), FloorKind::Normal) << "r " << r;
    }
    EXPECT_EQ(KindFor(24, 2, 1), FloorKind::ConveyorRight);
    EXPECT_EQ(KindFor(32767, 2, 1), FloorKind::Spring); // 32767 mod 24 = 7
}

TEST(ChooseFloorKind, SpringBandFollowsTheDifficultyNotTheLevel) {
    // Easy: r 6..8; Normal: 6..7; Hard: the single value 6.
    EXPECT_EQ(KindFor(6, 1, 1), FloorKind::Spring);
    EXPECT_EQ(KindFor(8, 1, 1), FloorKind::Spring);
    EXPECT_EQ(KindFor(9, 1, 1), FloorKind::Normal);
    EXPECT_EQ(KindFor(6, 3, 1), FloorKind::Spring);
    EXPECT_EQ(KindFor(7, 3, 1), FloorKind::Normal);
    EXPECT_EQ(KindFor(6, 3, 50), FloorKind::Spring); // Hard at level 3
    EXPECT_EQ(KindFor(7, 3, 50), FloorKind::Normal);
    // Easy at level 2 (100 floors) keeps Easy's three spring values.
    EXPECT_EQ(KindFor(8, 1, 100), FloorKind::Spring);
    EXPECT_EQ(KindFor(9, 1, 100), FloorKind::Normal);
    EXPECT_EQ(KindFor(7, 2, 100), FloorKind::Spring); // Normal at level 3
}

TEST(ChooseFloorKind, ModulusShrinksWithTheLevel) {
    // The same draw, 24, falls on a different r at every level.
    EXPECT_EQ(KindFor(24, 1, 1), FloorKind::Normal);         // level 0: r 24
    EXPECT_EQ(KindFor(24, 2, 1), FloorKind::ConveyorRight);  // level 1: r 0
    EXPECT_EQ(KindFor(24, 2, 50), FloorKind::Spring);        // level 2: r 6
    EXPECT_EQ(KindFor(25, 2, 100), FloorKind::ConveyorLeft); // level 3: r 1
    EXPECT_EQ(KindFor(10, 2, 150), FloorKind::MovingUD);     // level 4: r 4
}

TEST(ChooseFloorKind, NoSpringsAtLevelFour) {
    const FloorKind expected[6] = {FloorKind::ConveyorRight, FloorKind::ConveyorLeft,
                                   FloorKind::MovingLR,      FloorKind::MovingLR,
                                   FloorKind::MovingUD,      FloorKind::MovingUD};
    for (std::int32_t difficulty = 1; difficulty <= 3; ++difficulty) {
        const std::int32_t floorCount = 250;
        for (std::int32_t draw = 0; draw < 60; ++draw) {
            EXPECT_EQ(KindFor(draw, difficulty, floorCount), expected[draw % 6])
                << "difficulty " << difficulty << " draw " << draw;
        }
    }
}

TEST(ChooseFloorKind, EachFlagBitGatesItsKinds) {
    EXPECT_EQ(KindFor(0, 2, 1, 15 & ~1), FloorKind::Normal);
    EXPECT_EQ(KindFor(1, 2, 1, 15 & ~1), FloorKind::Normal);
    EXPECT_EQ(KindFor(3, 2, 1, 15 & ~2), FloorKind::Normal);
    EXPECT_EQ(KindFor(5, 2, 1, 15 & ~4), FloorKind::Normal);
    EXPECT_EQ(KindFor(7, 2, 1, 15 & ~8), FloorKind::Normal);
    // One bit alone allows its own kinds and no others.
    EXPECT_EQ(KindFor(0, 2, 1, 1), FloorKind::ConveyorRight);
    EXPECT_EQ(KindFor(2, 2, 1, 1), FloorKind::Normal);
    EXPECT_EQ(KindFor(2, 2, 1, 2), FloorKind::MovingLR);
    EXPECT_EQ(KindFor(4, 2, 1, 2), FloorKind::Normal);
    EXPECT_EQ(KindFor(4, 2, 1, 4), FloorKind::MovingUD);
    EXPECT_EQ(KindFor(6, 2, 1, 4), FloorKind::Normal);
    EXPECT_EQ(KindFor(6, 2, 1, 8), FloorKind::Spring);
    EXPECT_EQ(KindFor(0, 2, 1, 8), FloorKind::Normal);
    for (std::int32_t r = 0; r < 30; ++r) {
        EXPECT_EQ(KindFor(r, 1, 1, 0), FloorKind::Normal) << "r " << r;
    }
}

TEST(ChooseFloorKind, DrawsExactlyOneNumber) {
    SeedRandom(1);
    ChooseFloorKind(2, 1, allFloorFlags);
    EXPECT_EQ(NextRandom(), 5758);
}

// ------------------------------------------------------------- ChooseFloorX

struct XRange {
    std::int32_t difficulty;
    std::int32_t floorCount;
    std::int32_t low[4];
    std::int32_t high[4];
};

TEST(ChooseFloorX, RangesByLevelAndRow) {
    const XRange levels[5] = {
        {1, 1, {16, 192, 112, 288}, {32, 208, 128, 304}},
        {2, 1, {16, 192, 96, 272}, {48, 224, 128, 304}},
        {3, 1, {16, 176, 96, 256}, {64, 224, 144, 304}},
        {3, 50, {16, 160, 96, 240}, {80, 224, 160, 304}},
        {3, 100, {16, 160, 80, 224}, {96, 240, 160, 304}},
    };
    for (int level = 0; level < 5; ++level) {
        const XRange& range = levels[level];
        const std::int32_t choices = level + 2;
        for (std::int32_t row = 0; row < 13; ++row) {
            const int m = row % 4;
            NextDrawIs(0);
            EXPECT_EQ(ChooseFloorX(range.difficulty, range.floorCount, row), range.low[m])
                << "level " << level << " row " << row;
            NextDrawIs(choices - 1);
            EXPECT_EQ(ChooseFloorX(range.difficulty, range.floorCount, row), range.high[m])
                << "level " << level << " row " << row;
            // The step is 16 pixels and the draw is taken modulo the choices.
            NextDrawIs(choices * 1000 + 1);
            EXPECT_EQ(ChooseFloorX(range.difficulty, range.floorCount, row), range.low[m] + 16);
        }
    }
}

TEST(ChooseFloorX, DrawsExactlyOneNumber) {
    SeedRandom(1);
    ChooseFloorX(2, 1, 5);
    EXPECT_EQ(NextRandom(), 5758);
}

// -------------------------------------------------------------- LayOutField

TEST(LayOutField, PlacesElevenFloorsTheGroundAndTheWalls) {
    GameState state = MakeTitleState(5);
    for (FloorSlot& slot : state.floors) {
        slot = Slot(FloorKind::Spring, 777, 777, 9, 9);
    }
    state.patternIndex = 3;
    LayOutField(state);
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(state.floors[i].y, 32 * i - 32) << "slot " << i;
        EXPECT_EQ(state.floors[i].phase, 0);
        EXPECT_EQ(state.floors[i].velocity, 25);
        EXPECT_EQ(state.floors[i].dirty, 1);
        EXPECT_NE(state.floors[i].kind, FloorKind::Ground);
        EXPECT_NE(state.floors[i].kind, FloorKind::Wall);
    }
    EXPECT_EQ(state.floors[11].kind, FloorKind::Ground);
    EXPECT_EQ(state.floors[11].x, 16);
    EXPECT_EQ(state.floors[11].y, 320);
    EXPECT_EQ(state.floors[11].dirty, 1);
    EXPECT_EQ(state.floors[12].kind, FloorKind::Wall);
    EXPECT_EQ(state.floors[12].x, 0);
    EXPECT_EQ(state.floors[12].y, 0);
    EXPECT_EQ(state.floors[12].dirty, 1);
    EXPECT_EQ(state.floors[13].kind, FloorKind::Wall);
    EXPECT_EQ(state.floors[13].x, 400);
    EXPECT_EQ(state.floors[13].y, 0);
    EXPECT_EQ(state.floors[13].dirty, 1);
    EXPECT_EQ(state.patternIndex, 3);
}

TEST(LayOutField, DrawsKindThenXForEachSlotFromRowTwelveDown) {
    // First draw 1: ConveyorLeft on Normal. The second draw is 2 mod 3 and
    // at least 8 mod 24, so that drawing x first would give a Normal floor at
    // x 32 instead of a ConveyorLeft at 48 (row 12 is 0 mod 4).
    GameState state = MakeTitleState(1);
    NextDrawsAre(1, [](std::int32_t v) { return v % 3 == 2 && v % 24 >= 8; });
    LayOutField(state);
    EXPECT_EQ(state.floors[0].kind, FloorKind::ConveyorLeft);
    EXPECT_EQ(state.floors[0].x, 48);
    // Slot 1 is row 11 (3 mod 4): 272..304 on Normal, where row 1 would be 192..224.
    EXPECT_GE(state.floors[1].x, 272);
    EXPECT_LE(state.floors[1].x, 304);
}

TEST(LayOutField, DrawsTwentyTwoNumbers) {
    SeedRandom(1);
    for (int i = 0; i < 22; ++i) {
        NextRandom();
    }
    const std::int32_t twentyThird = NextRandom();
    GameState state = MakeTitleState(1);
    EXPECT_EQ(NextRandom(), twentyThird);
    (void)state;
}

TEST(LayOutField, NoFloorFlagsMeansOnlyNormalFloors) {
    GameState state = MakeTitleState(1);
    state.floorFlags = 0;
    for (std::uint32_t seed = 1; seed <= 50; ++seed) {
        SeedRandom(seed);
        LayOutField(state);
        for (int i = 0; i <= 10; ++i) {
            ASSERT_EQ(state.floors[i].kind, FloorKind::Normal) << "seed " << seed;
        }
    }
}

TEST(LayOutField, UsesTheFloorCountItFinds) {
    // At 150 floors Normal plays at level 4: no springs, and row 12 reaches x 96.
    GameState state = MakeTitleState(1);
    state.floorCount = 150;
    bool sawWideX = false;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SeedRandom(seed);
        LayOutField(state);
        for (int i = 0; i <= 10; ++i) {
            ASSERT_NE(state.floors[i].kind, FloorKind::Spring);
        }
        sawWideX = sawWideX || state.floors[0].x > 48;
    }
    EXPECT_TRUE(sawWideX);
}

// -------------------------------------------------------------- ScrollField

TEST(ScrollField, WallsWrapEveryThirtyTwoRows) {
    GameState state = MakeTitleState(1);
    coretest::ParkFloors(state);
    state.floors[11].y = -1000;
    const auto wallYAfter = [&](std::int32_t y, std::int32_t dy) {
        state.floors[12].y = y;
        state.floors[13].y = y;
        ScrollField(state, dy);
        EXPECT_EQ(state.floors[12].y, state.floors[13].y);
        return state.floors[12].y;
    };
    EXPECT_EQ(wallYAfter(0, 34), 2); // a full spring jump: once, not back into -31..0
    EXPECT_EQ(wallYAfter(0, 2), -30);
    EXPECT_EQ(wallYAfter(-31, 32), -31);
    EXPECT_EQ(wallYAfter(-1, 1), 0); // 0 is not above 0
    EXPECT_EQ(wallYAfter(-5, 0), -5);
    EXPECT_EQ(state.floors[12].x, 0);
    EXPECT_EQ(state.floors[13].x, 400);
    EXPECT_EQ(state.floors[12].kind, FloorKind::Wall);
    EXPECT_EQ(state.patternIndex, 0);
}

TEST(ScrollField, ZeroDistanceOnlyMarksEverySlotDirty) {
    GameState state = MakeTitleState(1);
    state.floors[4].y = 351; // as low as a floor can stand after a scroll
    state.patternIndex = 2;
    for (FloorSlot& slot : state.floors) {
        slot.dirty = 0;
    }
    GameState expected = state;
    for (FloorSlot& slot : expected.floors) {
        slot.dirty = 1;
    }
    SeedRandom(1);
    ScrollField(state, 0);
    EXPECT_EQ(coretest::PlayFields(state), coretest::PlayFields(expected));
    EXPECT_EQ(NextRandom(), 16838) << "nothing may be drawn";
}

TEST(ScrollField, MovesFloorsDownAndMarksThemDirty) {
    GameState state = MakeTitleState(1);
    for (FloorSlot& slot : state.floors) {
        slot.dirty = 0;
    }
    ScrollField(state, 6);
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(state.floors[i].y, 32 * i - 26);
        EXPECT_EQ(state.floors[i].dirty, 1);
    }
    EXPECT_EQ(state.floors[11].y, 326);
    EXPECT_EQ(state.floors[12].dirty, 1);
    EXPECT_EQ(state.floors[13].dirty, 1);
}

TEST(ScrollField, RecyclesAFloorThatReachesRowThreeFiftyTwo) {
    GameState state = MakeTitleState(1);
    state.floors[4] = Slot(FloorKind::Normal, 112, 350, 0, 0);
    state.floors[6] = Slot(FloorKind::MovingUD, 112, 347, 123, -7);
    // Recycling draws the kind (3: MovingLR on Normal), then x for row 1
    // (the new patternIndex): 16 + 176 + 16 * 1 = 208.
    NextDrawsAre(3, [](std::int32_t v) { return v % 3 == 1; });
    ScrollField(state, 4);
    const FloorSlot& recycled = state.floors[4];
    EXPECT_EQ(recycled.y, -30);
    EXPECT_EQ(recycled.kind, FloorKind::MovingLR);
    EXPECT_EQ(recycled.x, 208);
    EXPECT_EQ(recycled.phase, 0);
    EXPECT_EQ(recycled.velocity, 25);
    EXPECT_EQ(recycled.dirty, 1);
    EXPECT_EQ(state.patternIndex, 1);
    // 347 + 4 = 351 is still inside the field and keeps its motion.
    EXPECT_EQ(state.floors[6].y, 351);
    EXPECT_EQ(state.floors[6].kind, FloorKind::MovingUD);
    EXPECT_EQ(state.floors[6].phase, 123);
    EXPECT_EQ(state.floors[6].velocity, -7);
}

TEST(ScrollField, ExactlyThreeFiftyTwoIsOut) {
    GameState state = MakeTitleState(1);
    state.floors[2] = Slot(FloorKind::Normal, 112, 348);
    ScrollField(state, 4);
    EXPECT_EQ(state.floors[2].y, -32);
    EXPECT_EQ(state.patternIndex, 1);
}

TEST(ScrollField, PatternIndexWrapsAfterRowThree) {
    GameState state = MakeTitleState(1);
    state.patternIndex = 3;
    state.floors[2] = Slot(FloorKind::Normal, 112, 340);
    NextDrawsAre(10, [](std::int32_t v) { return v % 3 == 2; });
    ScrollField(state, 20);
    EXPECT_EQ(state.patternIndex, 0);
    EXPECT_EQ(state.floors[2].x, 48); // row 0 on Normal
    EXPECT_EQ(state.floors[2].y, -24);
}

TEST(ScrollField, TwoFloorsLeavingAreRecycledInSlotOrder) {
    // Easy, from seed 1: 16838 mod 30 = 8 (Spring), 5758 mod 2 = 0,
    // 10113 mod 30 = 3 (MovingLR), 17515 mod 2 = 1. Slot 2 comes first and
    // takes row 2, slot 9 then row 3.
    GameState state = MakeTitleState(1);
    state.difficulty = 1;
    state.patternIndex = 1;
    state.floors[2] = Slot(FloorKind::Normal, 16, 340);
    state.floors[9] = Slot(FloorKind::Normal, 16, 345);
    SeedRandom(1);
    ScrollField(state, 20);
    EXPECT_EQ(state.floors[2].kind, FloorKind::Spring);
    EXPECT_EQ(state.floors[2].x, 112);
    EXPECT_EQ(state.floors[2].y, -24);
    EXPECT_EQ(state.floors[9].kind, FloorKind::MovingLR);
    EXPECT_EQ(state.floors[9].x, 304);
    EXPECT_EQ(state.floors[9].y, -19);
    EXPECT_EQ(state.patternIndex, 3);
}

TEST(ScrollField, TheGroundIsRecycledLikeAnyFloor) {
    GameState state = MakeTitleState(1);
    NextDrawIs(9); // Normal
    ScrollField(state, 32);
    EXPECT_EQ(state.floors[11].kind, FloorKind::Normal);
    EXPECT_EQ(state.floors[11].y, -32);
    EXPECT_EQ(state.patternIndex, 1);
}

// --------------------------------------------------------------- MoveFloors

TEST(MoveFloors, SlidingFloorsSwingWithAPeriodOfHundredTicks) {
    for (FloorKind kind : {FloorKind::MovingLR, FloorKind::MovingUD}) {
        GameState state = MakeTitleState(1);
        coretest::ParkFloors(state);
        state.standingFloor = 0; // parked and not this floor
        state.floors[5] = Slot(kind, 112, 160, 0, 25);
        std::vector<std::int32_t> phases;
        std::int32_t lowest = 0;
        std::int32_t highest = 0;
        for (int tick = 1; tick <= 100; ++tick) {
            state.floors[5].dirty = 0;
            MoveFloors(state);
            phases.push_back(state.floors[5].phase);
            lowest = std::min(lowest, state.floors[5].phase);
            highest = std::max(highest, state.floors[5].phase);
            ASSERT_EQ(state.floors[5].dirty, 1);
        }
        EXPECT_EQ(std::vector<std::int32_t>(phases.begin(), phases.begin() + 5),
                  (std::vector<std::int32_t>{24, 47, 69, 90, 110}));
        EXPECT_EQ(phases[23], 300); // after 24 ticks
        EXPECT_EQ(phases[48], 0);
        EXPECT_EQ(phases[49], -25);
        EXPECT_EQ(lowest, -325);
        EXPECT_EQ(highest, 300);
        EXPECT_EQ(state.floors[5].phase, 0);
        EXPECT_EQ(state.floors[5].velocity, 25);
        EXPECT_EQ(state.floors[5].x, 112);
        EXPECT_EQ(state.floors[5].y, 160);
    }
}

TEST(MoveFloors, RecycledSpringComesToRestInItsFirstTick) {
    GameState state = MakeTitleState(1);
    coretest::ParkFloors(state);
    state.floors[3] = Slot(FloorKind::Spring, 112, 64, 0, 25);
    MoveFloors(state);
    EXPECT_EQ(state.floors[3].phase, 0);
    EXPECT_EQ(state.floors[3].velocity, 0);
    EXPECT_EQ(state.floors[3].dirty, 1);
    state.floors[3].dirty = 0;
    MoveFloors(state);
    EXPECT_EQ(state.floors[3].dirty, 0) << "a spring at rest is left alone";
}

TEST(MoveFloors, SpringReboundAfterAJump) {
    // Pressed in (phase 4) and just jumped from (velocity -12).
    GameState state = MakeTitleState(1);
    coretest::ParkFloors(state);
    state.airborne = 1;
    state.floors[3] = Slot(FloorKind::Spring, 112, 64, 4, -12);
    const std::int32_t phases[] = {-8, -6, -4, -2, 0, 0};
    const std::int32_t velocities[] = {2, 2, 2, 2, 2, 0};
    for (int tick = 0; tick < 6; ++tick) {
        state.floors[3].dirty = 0;
        MoveFloors(state);
        EXPECT_EQ(state.floors[3].phase, phases[tick]) << "tick " << tick;
        EXPECT_EQ(state.floors[3].velocity, velocities[tick]) << "tick " << tick;
        EXPECT_EQ(state.floors[3].dirty, 1);
    }
}

TEST(MoveFloors, BeltsAreRedrawnEveryTickPlainFloorsAreNot) {
    GameState state = MakeTitleState(1);
    coretest::ParkFloors(state);
    state.floors[1] = Slot(FloorKind::ConveyorLeft, 16, 0);
    state.floors[2] = Slot(FloorKind::ConveyorRight, 16, 32);
    state.floors[3] = Slot(FloorKind::Normal, 16, 64, 0, 25);
    state.floors[12].dirty = 0;
    state.floors[13].dirty = 0;
    MoveFloors(state);
    EXPECT_EQ(state.floors[1].dirty, 1);
    EXPECT_EQ(state.floors[2].dirty, 1);
    EXPECT_EQ(state.floors[3].dirty, 0);
    EXPECT_EQ(state.floors[3].velocity, 25);
    EXPECT_EQ(state.floors[11].dirty, 0);
    EXPECT_EQ(state.floors[12].dirty, 0);
    EXPECT_EQ(state.floors[13].dirty, 0);
}

TEST(MoveFloors, TheGroundSlotMovesOnceItIsRecycledIntoAFloor) {
    GameState state = MakeTitleState(1);
    coretest::ParkFloors(state);
    state.floors[11] = Slot(FloorKind::MovingUD, 112, 100, 0, 25);
    MoveFloors(state);
    EXPECT_EQ(state.floors[11].phase, 24);
    state.floors[11] = Slot(FloorKind::ConveyorRight, 112, 100);
    state.standingFloor = 11;
    state.playerX = 120;
    MoveFloors(state);
    EXPECT_EQ(state.playerX, 122);
}

// Carrying the character who stands on a slot.
class Carry : public ::testing::Test {
  protected:
    void SetUp() override {
        state = coretest::PlayingOnGround(120);
        state.playerY = 128;
    }
    void StandOnSlot(FloorSlot slot) {
        state.floors[5] = slot;
        coretest::StandOn(state, 5);
    }
    GameState state{};
};

TEST_F(Carry, BeltsMoveTheCharacterTwoPixels) {
    StandOnSlot(Slot(FloorKind::ConveyorLeft, 112, 160));
    MoveFloors(state);
    EXPECT_EQ(state.playerX, 118);
    state.floors[5].kind = FloorKind::ConveyorRight;
    MoveFloors(state);
    MoveFloors(state);
    EXPECT_EQ(state.playerX, 122);
}

TEST_F(Carry, OnlyTheStandingSlotCarriesAndOnlyWhileStanding) {
    StandOnSlot(Slot(FloorKind::ConveyorLeft, 112, 160));
    state.floors[6] = Slot(FloorKind::ConveyorRight, 112, 192);
    state.airborne = 1;
    MoveFloors(state);
    EXPECT_EQ(state.playerX, 120);
    state.airborne = 0;
    state.standingFloor = 7;
    MoveFloors(state);
    EXPECT_EQ(state.playerX, 120);
}

TEST_F(Carry, SlidingFloorTakesTheCharacterAlongWholePixelByWholePixel) {
    StandOnSlot(Slot(FloorKind::MovingLR, 112, 160, 0, 25));
    MoveFloors(state);
    EXPECT_EQ(state.playerX, 122); // phase 24: the floor moved 2 pixels
    for (int tick = 2; tick <= 100; ++tick) {
        MoveFloors(state);
        ASSERT_EQ(state.playerX - FloorTopLine(state, 5).x, 120 - 112) << "tick " << tick;
    }
    EXPECT_EQ(state.playerX, 120);
}

TEST_F(Carry, SlidingStepTruncatesTowardZero) {
    // Phase 2 and velocity -5: velocity becomes -6 and phase -4; the floor's
    // whole-pixel place stays 0 (-4 / 10 is 0), so the character stays too.
    StandOnSlot(Slot(FloorKind::MovingLR, 112, 160, 2, -5));
    MoveFloors(state);
    EXPECT_EQ(state.floors[5].phase, -4);
    EXPECT_EQ(state.playerX, 120);
}

TEST_F(Carry, UpDownFloorKeepsTheFeetOnItsDisplacedTopLine) {
    StandOnSlot(Slot(FloorKind::MovingUD, 112, 160, 0, 25));
    for (int tick = 1; tick <= 200; ++tick) {
        MoveFloors(state);
        ASSERT_EQ(state.playerY + 32, FloorTopLine(state, 5).y) << "tick " << tick;
    }
    EXPECT_EQ(state.playerY, 128);
    EXPECT_EQ(state.playerX, 120);
}

TEST_F(Carry, SpringIsPressedInOnceAndStaysPressed) {
    StandOnSlot(Slot(FloorKind::Spring, 112, 160, 0, 0));
    MoveFloors(state);
    EXPECT_EQ(state.floors[5].phase, 4);
    EXPECT_EQ(state.floors[5].dirty, 1);
    EXPECT_EQ(state.playerY, 132);
    for (int tick = 0; tick < 10; ++tick) {
        state.floors[5].dirty = 0;
        MoveFloors(state);
    }
    EXPECT_EQ(state.floors[5].phase, 4);
    EXPECT_EQ(state.floors[5].velocity, 0);
    EXPECT_EQ(state.floors[5].dirty, 0);
    EXPECT_EQ(state.playerY, 132);
}

TEST_F(Carry, FreshSpringSettlesThenIsPressedInTheSameTick) {
    StandOnSlot(Slot(FloorKind::Spring, 112, 160, 0, 25));
    MoveFloors(state);
    EXPECT_EQ(state.floors[5].velocity, 0);
    EXPECT_EQ(state.floors[5].phase, 4);
    EXPECT_EQ(state.playerY, 132);
}

TEST_F(Carry, ReboundingSpringIsNotPressed) {
    StandOnSlot(Slot(FloorKind::Spring, 112, 160, -6, 2));
    const std::int32_t y = state.playerY;
    MoveFloors(state);
    EXPECT_EQ(state.floors[5].phase, -4);
    EXPECT_EQ(state.playerY, y);
}

TEST(CarryInTitle, TheHiddenCharacterStillPressesASpring) {
    // Fresh window: standingFloor 0, airborne 0, playerY 352, mode Title.
    GameState state = MakeTitleState(1);
    state.floors[0] = Slot(FloorKind::Spring, 16, -32, 0, 25);
    AttractTick(state);
    EXPECT_EQ(state.floors[0].phase, 4);
    EXPECT_EQ(state.playerY, 356);
    EXPECT_EQ(state.floors[0].y, -30);
}

// ------------------------------------------------------------- FloorTopLine

TEST(FloorTopLine, ByKind) {
    GameState state = MakeTitleState(1);
    state.floors[0] = Slot(FloorKind::Normal, 48, 100, 7, 3);
    ExpectRect(FloorTopLine(state, 0), 48, 100, 96, 1);
    state.floors[0].kind = FloorKind::ConveyorLeft;
    ExpectRect(FloorTopLine(state, 0), 48, 100, 96, 1);
    state.floors[0].kind = FloorKind::ConveyorRight;
    ExpectRect(FloorTopLine(state, 0), 48, 100, 96, 1);
    state.floors[0] = Slot(FloorKind::MovingLR, 48, 100, -325, 0);
    ExpectRect(FloorTopLine(state, 0), 16, 100, 96, 1);
    state.floors[0].phase = 300;
    ExpectRect(FloorTopLine(state, 0), 78, 100, 96, 1);
    state.floors[0].phase = -9;
    ExpectRect(FloorTopLine(state, 0), 48, 100, 96, 1);
    state.floors[0] = Slot(FloorKind::MovingUD, 48, 100, -57, 0);
    ExpectRect(FloorTopLine(state, 0), 48, 95, 96, 5);
    state.floors[0] = Slot(FloorKind::Spring, 48, 100, -8, 0);
    ExpectRect(FloorTopLine(state, 0), 48, 92, 96, 1);
    state.floors[0].phase = 4;
    ExpectRect(FloorTopLine(state, 0), 48, 104, 96, 1);
    ExpectRect(FloorTopLine(state, 11), 16, 320, 384, 1);
}

} // namespace
