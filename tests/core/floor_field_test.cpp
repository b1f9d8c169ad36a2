#include "core/floor_field.h"
#include "core/slot_rects.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

using namespace coretest;

// r = draw mod (30 - 6 level): 0 right belt, 1 left belt, 2..3 sliding, 4..5
// up-down, 6 up to 9 - difficulty springs, each only with its flag bit. The
// rows below: the bands on Normal (level 1, r = draw mod 24); the spring band
// following the difficulty, not the level; the same draw falling on another r
// at every level, and no springs at level 4; each flag bit gating its kinds.
TEST(ChooseFloorKind, BandsByLevelDifficultyAndFlags) {
    const std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t, FloorKind> cases[] = {
        {2, 1, 15, 0, K::ConveyorRight},   {2, 1, 15, 1, K::ConveyorLeft},
        {2, 1, 15, 3, K::MovingLR},        {2, 1, 15, 4, K::MovingUD},
        {2, 1, 15, 7, K::Spring},          {2, 1, 15, 8, K::Normal},
        {2, 1, 15, 24, K::ConveyorRight},  {1, 1, 15, 8, K::Spring},
        {1, 1, 15, 9, K::Normal},          {3, 1, 15, 6, K::Spring},
        {3, 50, 15, 7, K::Normal},         {1, 100, 15, 8, K::Spring},
        {1, 1, 15, 24, K::Normal},         {2, 50, 15, 24, K::Spring},
        {2, 100, 15, 25, K::ConveyorLeft}, {2, 150, 15, 10, K::MovingUD},
        {1, 250, 15, 6, K::ConveyorRight}, {2, 1, 14, 0, K::Normal},
        {2, 1, 14, 1, K::Normal},          {2, 1, 13, 3, K::Normal},
        {2, 1, 11, 5, K::Normal},          {2, 1, 7, 7, K::Normal},
        {2, 1, 1, 0, K::ConveyorRight},    {2, 1, 2, 2, K::MovingLR},
        {2, 1, 2, 4, K::Normal},           {2, 1, 4, 4, K::MovingUD},
        {2, 1, 8, 6, K::Spring},           {1, 1, 0, 6, K::Normal}};
    Random random{};
    for (const auto& [difficulty, floorCount, flags, draw, kind] : cases) {
        NextDrawIs(random, draw);
        Random once = random;
        NextRandom(once);
        EXPECT_EQ(ChooseFloorKind(random, difficulty, floorCount, flags), kind)
            << difficulty << "/" << floorCount << " flags " << flags << " draw " << draw;
        EXPECT_EQ(random.state, once.state) << "one draw per kind";
    }
}

// The level is the difficulty's start (Easy 0, Normal 1, Hard 2) plus one per
// 50 floors, at most 4; it sets how wide the rows zigzag.
TEST(ChooseFloorX, RangesByLevelAndRowInStepsOfSixteen) {
    struct Level {
        std::int32_t difficulty, floorCount, low[4], high[4];
    };
    const Level levels[5] = {{1, 49, {16, 192, 112, 288}, {32, 208, 128, 304}},
                             {1, 50, {16, 192, 96, 272}, {48, 224, 128, 304}},
                             {2, 50, {16, 176, 96, 256}, {64, 224, 144, 304}},
                             {2, 100, {16, 160, 96, 240}, {80, 224, 160, 304}},
                             {3, 150, {16, 160, 80, 224}, {96, 240, 160, 304}}};
    Random random{};
    for (int level = 0; level < 5; ++level) {
        const Level& l = levels[level];
        EXPECT_EQ(FloorLevel(l.difficulty, l.floorCount), level);
        for (std::int32_t row = 0; row < 13; ++row) {
            SCOPED_TRACE("level " + std::to_string(level) + " row " + std::to_string(row));
            const auto x = [&](std::int32_t draw) {
                NextDrawIs(random, draw);
                return ChooseFloorX(random, l.difficulty, l.floorCount, row);
            };
            EXPECT_EQ(x(0), l.low[row % 4]) << "the lowest draw";
            EXPECT_EQ(x(level + 1), l.high[row % 4]) << "the highest draw";
            EXPECT_EQ(x((level + 2) * 1000 + 1), l.low[row % 4] + 16) << "modulo the choices";
        }
    }
}

TEST(ScrollField, WallsWrapOnceEveryThirtyTwoRows) {
    Game state;
    ParkFloors(state);
    state.floors[groundSlot].y = -1000;
    const std::int32_t cases[][3] = {
        {0, 34, 2}, {0, 2, -30}, {-31, 32, -31}, {-1, 1, 0}, {-5, 0, -5}};
    for (const auto& [y, dy, after] : cases) {
        state.floors[leftWallSlot].y = state.floors[rightWallSlot].y = y;
        ScrollField(state, dy);
        EXPECT_FIELDS(state, "slot12.y", after, "slot13.y", after) << y << " by " << dy;
    }
}

TEST(ScrollField, FloorsThatReachRowThreeFiftyTwoComeBackAtTheTopInSlotOrder) {
    // Easy from seed 1: 16838 mod 30 = 8 (a spring), 5758 mod 2 = 0, then
    // 10113 mod 30 = 3 (sliding), 17515 mod 2 = 1. The zigzag wraps from row
    // 3 to row 0 for slot 4, then row 1 for slot 9.
    Game state;
    state.difficulty = 1;
    state.patternIndex = 3;
    state.floors[4] = Slot(K::Normal, 112, 348);
    state.floors[6] = Slot(K::MovingUD, 112, 347, 123, -7);
    state.floors[9] = Slot(K::MovingLR, 16, 350, -55, 3);
    for (FloorSlot& slot : state.floors) {
        slot.dirty = 0;
    }
    SeedRandom(state.random, 1);
    ScrollField(state, 4);
    EXPECT_EQ(Named(state.floors[4]), Named(Slot(K::Spring, 16, -32, 0, 25, 1)));
    EXPECT_EQ(Named(state.floors[9]), Named(Slot(K::MovingLR, 208, -30, 0, 25, 1)));
    EXPECT_EQ(Named(state.floors[6]), Named(Slot(K::MovingUD, 112, 351, 123, -7, 1)))
        << "still inside";
    EXPECT_FIELDS(state, "slot11.y", 324, "slot11.dirty", 1, "slot12.y", -28, "slot12.dirty", 1,
                  "patternIndex", 1);
    EXPECT_EQ(NextRandom(state.random), 31051) << "four draws, no more";
}

// One tick of a slot's own motion, in every slot from 0 to 11.
TEST(MoveFloors, SlidingSpringAndBeltSlotsMoveAndAskForARedraw) {
    const std::tuple<FloorKind, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                     std::int32_t>
        cases[] = {{K::MovingLR, 0, 25, 24, 24, 1},   {K::MovingUD, -3, 5, 3, 6, 1},
                   {K::MovingLR, 0, -5, -6, -6, 1},   {K::ConveyorLeft, 0, 0, 0, 0, 1},
                   {K::ConveyorRight, 0, 0, 0, 0, 1}, {K::Normal, 0, 25, 0, 25, 0},
                   {K::Spring, 0, 25, 0, 0, 1},       {K::Spring, 0, 0, 0, 0, 0},
                   {K::Spring, 4, -12, -8, 2, 1},     {K::Spring, -6, 2, -4, 2, 1},
                   {K::Spring, 0, 2, 0, 0, 1},        {K::Spring, -2, 2, 0, 2, 1}};
    int slot = 0;
    for (const auto& [kind, phase, velocity, phaseAfter, velocityAfter, dirty] : cases) {
        Game state;
        ParkFloors(state);
        state.airborne = 1;
        state.floors[slot] = Slot(kind, 112, 160, phase, velocity);
        MoveFloors(state);
        EXPECT_EQ(Named(state.floors[slot]),
                  Named(Slot(kind, 112, 160, phaseAfter, velocityAfter, dirty)))
            << "slot " << slot;
        ++slot;
    }
}

// A spring at rest gives under the character once and stays pressed; a fresh
// one settles first; a rebounding one is not pressed. Nothing carries a
// character in the air.
TEST(MoveFloors, CarriesTheCharacterStandingOnTheSlot) {
    const std::tuple<FloorKind, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                     std::int32_t>
        cases[] = {{K::ConveyorLeft, 0, 0, -2, 0, 0}, {K::ConveyorRight, 0, 0, 2, 0, 0},
                   {K::Normal, 0, 0, 0, 0, 0},        {K::MovingLR, 9, 3, 1, 0, 11},
                   {K::MovingLR, 2, -5, 0, 0, -4},    {K::MovingUD, 9, 3, 0, 1, 11},
                   {K::Spring, 0, 0, 0, 4, 4},        {K::Spring, 4, 0, 0, 0, 4},
                   {K::Spring, 0, 25, 0, 4, 4},       {K::Spring, -6, 2, 0, 0, -4}};
    for (const auto& [kind, phase, velocity, dx, dy, phaseAfter] : cases) {
        Playing state(120);
        state.floors[5] = Slot(kind, 112, 160, phase, velocity);
        StandOn(state, 5);
        const std::int32_t y = state.playerY;
        GameState flying = state;
        flying.airborne = 1;
        MoveFloors(flying);
        MoveFloors(state);
        EXPECT_FIELDS(state, "playerX", 120 + dx, "playerY", y + dy, "slot5.phase", phaseAfter)
            << static_cast<int>(kind) << " phase " << phase;
        EXPECT_FIELDS(flying, "playerX", 120, "playerY", y);
    }
}

// The line the feet must meet to land, where the slot is drawn and which part
// of the sprite sheet shows it.
TEST(SlotBoxes, TopLineDrawnBoxAndSheetImageByKind) {
    struct Case {
        FloorKind kind;
        std::int32_t x, y, phase, animFrame;
        Rect line, drawn, sheet;
    };
    const Case cases[] = {
        {K::Normal, 48, 100, 7, 0, {48, 100, 96, 1}, {48, 100, 96, 16}, {0, 160, 96, 16}},
        {K::ConveyorLeft, 48, 100, 0, 5, {48, 100, 96, 1}, {48, 100, 96, 16}, {0, 256, 96, 16}},
        {K::ConveyorRight, 48, 100, 0, 7, {48, 100, 96, 1}, {48, 100, 96, 16}, {0, 224, 96, 16}},
        {K::MovingLR, 48, 100, -325, 0, {16, 100, 96, 1}, {16, 100, 96, 16}, {0, 160, 96, 16}},
        {K::MovingUD, 48, 100, -57, 0, {48, 95, 96, 5}, {48, 95, 96, 16}, {0, 160, 96, 16}},
        // A spring keeps its base at y + 16 while its top moves with the phase.
        {K::Spring, 48, 100, 0, 0, {48, 100, 96, 1}, {48, 100, 96, 16}, {96, 256, 96, 16}},
        {K::Spring, 48, 100, 4, 0, {48, 104, 96, 1}, {48, 104, 96, 12}, {96, 304, 96, 12}},
        {K::Spring, 48, 100, -8, 0, {48, 92, 96, 1}, {48, 92, 96, 24}, {96, 160, 96, 24}},
        {K::Ground, 16, 320, 0, 0, {16, 320, 384, 1}, {16, 320, 384, 32}, {0, 400, 384, 32}},
        {K::Wall, 0, -7, 0, 0, {}, {0, -7, 16, 384}, {352, 0, 16, 384}}};
    Game state;
    for (const Case& c : cases) {
        SCOPED_TRACE("kind " + std::to_string(static_cast<int>(c.kind)));
        state.floors[3] = Slot(c.kind, c.x, c.y, c.phase, 3);
        state.animFrame = c.animFrame;
        if (c.kind != K::Wall) { // a wall's line is never tested
            EXPECT_EQ(Named(FloorTopLine(state, 3)), Named(c.line)) << "top line";
        }
        EXPECT_EQ(Named(SlotDrawRect(state, 3)), Named(c.drawn)) << "drawn";
        EXPECT_EQ(Named(SlotSheetRect(state, 3)), Named(c.sheet)) << "sheet";
    }
}

} // namespace
