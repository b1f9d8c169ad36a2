#include "core/floor_field.h"
#include "core/slot_rects.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

using namespace coretest;

// r = draw mod (30 - 6 level): 0 right belt, 1 left belt, 2..3 sliding, 4..5
// up-down, 6 up to 9 - difficulty springs, each only with its flag bit; the
// spring band follows the difficulty, not the level.
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

TEST(ScrollField, FloorsThatReachRowThreeFiftyTwoComeBackAtTheTopInSlotOrder) {
    // Easy from seed 1: 16838 mod 30 = 8 (a spring), 5758 mod 2 = 0, then
    // 10113 mod 30 = 3 (sliding), 17515 mod 2 = 1. The zigzag wraps from row
    // 3 to row 0 for slot 4, then row 1 for slot 9.
    Game state;
    ParkFloors(state);
    state.difficulty = 1;
    state.patternIndex = 3;
    state.floors[4] = Slot(K::Normal, 112, 348);
    state.floors[6] = Slot(K::MovingUD, 112, 347, 123, -7);
    state.floors[9] = Slot(K::MovingLR, 16, 350, -55, 3);
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
