// When each frame and the counter are drawn relative to the changes of the
// same step: what the player sees in that frame.

#include "core/floor_counter.h"
#include "core/game_flow.h"
#include "core/game_tick.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>

using recording::Draws;

TEST(DrawOrder, TheFrameShowsTheCharacterPastTheWallBeforeItTurns) {
    GameState state = coretest::PlayingOnGround(348); // walks to 352, the right wall
    GameTick(state);
    ASSERT_EQ(Draws().size(), 1u);
    EXPECT_EQ(Draws()[0].call, "DrawFullFrame");
    EXPECT_EQ(Draws()[0].playerX, 352);
    EXPECT_EQ(state.playerX, 352);
    EXPECT_EQ(state.facing, -1);

    state = coretest::PlayingOnGround(350);
    state.floors[groundSlot].kind = FloorKind::Normal; // leave the ground to a belt below
    state.floors[0] = coretest::Slot(FloorKind::ConveyorRight, 300, 320);
    coretest::StandOn(state, 0);
    GameTick(state);
    ASSERT_EQ(Draws().size(), 1u);
    EXPECT_EQ(Draws()[0].playerX, 356); // 350 + 4 walking + 2 carried, drawn there
    EXPECT_EQ(state.playerX, 352);
}

TEST(DrawOrder, TheGameOverFrameIsDrawnAtTheBottomWhileStillPlaying) {
    GameState state = coretest::PlayingOnGround();
    state.airborne = 1;
    state.verticalSpeed = -10;
    state.playerY = 340;
    state.floors[groundSlot].y = 4000; // nothing to land on
    GameTick(state);
    ASSERT_EQ(Draws().size(), 2u);
    EXPECT_EQ(Draws()[0].mode, GameMode::Playing);
    EXPECT_EQ(Draws()[0].playerY, 352);
    EXPECT_EQ(Draws()[1].mode, GameMode::Title); // the tick's own frame, after the abort
}

TEST(DrawOrder, PausingDrawsAFrameThatAlreadyShowsThePause) {
    GameState state = coretest::PlayingOnGround();
    TogglePause(state);
    ASSERT_EQ(Draws().size(), 1u);
    EXPECT_EQ(Draws()[0].mode, GameMode::Paused);
}

TEST(DrawOrder, TheCounterIsDrawnBeforeItsRollAdvances) {
    GameState state = coretest::PlayingOnGround();
    state.floorCount = 3;
    state.shownFloor = 2;
    state.rollPhase = 8;
    RollFloorCounter(state);
    ASSERT_EQ(Draws().size(), 1u);
    EXPECT_EQ(Draws()[0].rollPhase, 8);
    EXPECT_EQ(Draws()[0].shownFloor, 2);
    EXPECT_EQ(state.rollPhase, 0);
    EXPECT_EQ(state.shownFloor, 3);
}
