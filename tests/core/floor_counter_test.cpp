#include "core/floor_counter.h"
#include "core/game_tick.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(RollFloorCounter, DoesNothingWhenCaughtUp) {
    GameState state = MakeTitleState(1);
    state.shownFloor = 7;
    state.floorCount = 7;
    RollFloorCounter(state);
    EXPECT_TRUE(recording::Calls().empty());
    EXPECT_EQ(state.rollPhase, 0);
    EXPECT_EQ(state.shownFloor, 7);
}

TEST(RollFloorCounter, RollsOneFloorInNineDrawnSteps) {
    GameState state = MakeTitleState(1);
    state.shownFloor = 9;
    state.floorCount = 10;
    for (std::int32_t step = 0; step < 9; ++step) {
        EXPECT_EQ(state.rollPhase, step);
        EXPECT_EQ(state.shownFloor, 9);
        RollFloorCounter(state);
    }
    EXPECT_EQ(state.shownFloor, 10);
    EXPECT_EQ(state.rollPhase, 0);
    EXPECT_EQ(recording::Calls().size(), 9u);
    EXPECT_EQ(recording::Calls().front(), "DrawFloorCounter");
    RollFloorCounter(state);
    EXPECT_EQ(recording::Calls().size(), 9u);
}

TEST(RollFloorCounter, CatchesUpThroughEveryFloorInTurn) {
    GameState state = MakeTitleState(1);
    state.shownFloor = 1;
    state.floorCount = 4;
    int ticks = 0;
    while (state.shownFloor != state.floorCount && ticks < 100) {
        RollFloorCounter(state);
        ++ticks;
    }
    EXPECT_EQ(ticks, 27);
    EXPECT_EQ(recording::Calls().size(), 27u);
}

TEST(RollFloorCounter, OnlyTheGameTickRollsIt) {
    GameState state = MakeTitleState(1);
    state.shownFloor = 2;
    state.floorCount = 3;
    AttractTick(state);
    EXPECT_EQ(state.rollPhase, 0);
    state = coretest::PlayingOnGround();
    state.floorCount = 3;
    GameTick(state);
    EXPECT_EQ(state.rollPhase, 1);
    EXPECT_EQ(recording::Calls(), (std::vector<std::string>{"DrawFullFrame", "DrawFloorCounter"}));
}

} // namespace
