#include "core/floor_field.h"
#include "core/game_flow.h"
#include "core/game_tick.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// The field and everything else, but not the redraw marks.
std::vector<std::int64_t> FieldsWithoutDirty(GameState state) {
    for (FloorSlot& slot : state.floors) {
        slot.dirty = 0;
    }
    return coretest::PlayFields(state);
}

// ------------------------------------------------------------------ NewGame

TEST(NewGame, CallsInOrder) {
    GameState state = MakeTitleState(1);
    NewGame(state);
    EXPECT_EQ(recording::Calls(),
              (Strings{"DestroyStartPanel", "SwitchMenuToPlayState", "RedrawMenuBar",
                       "DrawFloorCounter", "DrawJumpGauge 0", "PlayMusic"}));

    state = MakeTitleState(1);
    state.showJumpCount = 1;
    state.speedUp = 1;
    state.musicOn = 0;
    state.jumpCount = 31;
    NewGame(state);
    EXPECT_EQ(recording::Calls(), (Strings{"DestroyStartPanel", "SwitchMenuToPlayState",
                                           "RedrawMenuBar", "DrawFloorCounter", "DrawJumpGauge 0",
                                           "DrawJumpCount 0", "DrawPartialFrame"}));
}

TEST(NewGame, PutsTheCharacterOnTheGroundAndResetsTheCounters) {
    GameState state = MakeTitleState(1);
    state.playerX = 200;
    state.playerY = 352;
    state.facing = -1;
    state.verticalSpeed = 7;
    state.standingFloor = 4;
    state.jumpPower = 9;
    state.charging = 1;
    state.airborne = 1;
    state.animFrame = 5;
    state.jumpHeld = 1;
    state.scrollPhase = 99;
    state.patternIndex = 3;
    state.shownFloor = 40;
    state.floorCount = 42;
    state.rollPhase = 6;
    state.jumpCount = 17;
    state.difficulty = 3;
    state.floorFlags = 6;
    NewGame(state);
    EXPECT_EQ(state.mode, GameMode::Playing);
    EXPECT_EQ(state.playerX, 0);
    EXPECT_EQ(state.playerY, 288);
    EXPECT_EQ(state.facing, 1);
    EXPECT_EQ(state.verticalSpeed, 7) << "a new game keeps the vertical speed";
    EXPECT_EQ(state.standingFloor, groundSlot);
    EXPECT_EQ(state.jumpPower, 0);
    EXPECT_EQ(state.charging, 0);
    EXPECT_EQ(state.airborne, 0);
    EXPECT_EQ(state.animFrame, 0);
    EXPECT_EQ(state.jumpHeld, 0);
    EXPECT_EQ(state.scrollPhase, 0);
    EXPECT_EQ(state.patternIndex, 0);
    EXPECT_EQ(state.shownFloor, 1);
    EXPECT_EQ(state.floorCount, 1);
    EXPECT_EQ(state.rollPhase, 0);
    EXPECT_EQ(state.jumpCount, 0);
    EXPECT_EQ(state.difficulty, 3);
    EXPECT_EQ(state.floorFlags, 6);
    EXPECT_EQ(state.floors[11].kind, FloorKind::Ground);
    EXPECT_EQ(state.floors[11].y, 320);
}

TEST(NewGame, LaysOutTheFieldForTheFloorCountTheLastGameEndedWith) {
    GameState state = MakeTitleState(1);
    state.floorCount = 150; // Normal at 150 floors is level 4
    GameState atOneFifty = state;
    GameState atOne = state;
    atOne.floorCount = 1;
    SeedRandom(77);
    LayOutField(atOneFifty);
    SeedRandom(77);
    LayOutField(atOne);
    SeedRandom(77);
    NewGame(state);
    int differences = 0;
    for (int i = 0; i < floorSlotCount; ++i) {
        EXPECT_EQ(state.floors[i].kind, atOneFifty.floors[i].kind) << "slot " << i;
        EXPECT_EQ(state.floors[i].x, atOneFifty.floors[i].x) << "slot " << i;
        EXPECT_EQ(state.floors[i].y, atOneFifty.floors[i].y) << "slot " << i;
        differences +=
            state.floors[i].x != atOne.floors[i].x || state.floors[i].kind != atOne.floors[i].kind;
    }
    EXPECT_GT(differences, 0);
    EXPECT_EQ(state.floorCount, 1);
}

TEST(NewGame, AfterAnAbortMidJumpTheFirstTicksDropOntoTheGround) {
    GameState state = MakeTitleState(1);
    NewGame(state);
    state.airborne = 1;
    state.verticalSpeed = 5;
    state.playerY = 150;
    AbortGame(state);
    NewGame(state);
    EXPECT_EQ(state.verticalSpeed, 5);
    recording::Clear();
    GameTick(state); // the probe is empty while the speed is positive
    EXPECT_EQ(state.airborne, 1);
    EXPECT_EQ(state.verticalSpeed, -1);
    EXPECT_EQ(state.playerY, 288);
    GameTick(state);
    EXPECT_EQ(state.airborne, 0);
    EXPECT_EQ(state.standingFloor, groundSlot);
    EXPECT_EQ(state.playerY, 288);
    EXPECT_EQ(recording::Effects(), (std::vector<int>{142}));
    EXPECT_EQ(state.jumpCount, 0);
}

// ------------------------------------------------------------ StartPractice

TEST(StartPractice, PlaysNormalWithPlainFloorsAndClearsTheChecks) {
    GameState state = MakeTitleState(1);
    state.difficulty = 3;
    state.floorFlags = 13;
    StartPractice(state);
    EXPECT_EQ(recording::Calls(),
              (Strings{"DrawDifficultyAndBest", "CheckMenuItem 40008 0", "CheckMenuItem 40009 0",
                       "CheckMenuItem 40010 0", "CheckMenuItem 40011 0", "CheckMenuItem 40012 0",
                       "DestroyStartPanel", "SwitchMenuToPlayState", "RedrawMenuBar",
                       "DrawFloorCounter", "DrawJumpGauge 0", "PlayMusic"}));
    EXPECT_EQ(state.mode, GameMode::Playing);
    EXPECT_EQ(state.difficulty, 2);
    EXPECT_EQ(state.floorFlags, 0);
    EXPECT_EQ(state.practiceDifficulty, 3);
    EXPECT_EQ(state.practiceFloorFlags, 13);
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(state.floors[i].kind, FloorKind::Normal) << "slot " << i;
    }
}

TEST(StartPractice, OnNormalTheNormalCheckIsClearedToo) {
    GameState state = MakeTitleState(1);
    StartPractice(state);
    EXPECT_EQ(recording::CallsStartingWith("CheckMenuItem"),
              (Strings{"CheckMenuItem 40007 0", "CheckMenuItem 40009 0", "CheckMenuItem 40010 0",
                       "CheckMenuItem 40011 0", "CheckMenuItem 40012 0"}));
}

TEST(StartPractice, AbortPutsBackTheSettingsExactly) {
    for (std::int32_t flags : {0, 13, 15}) {
        GameState state = MakeTitleState(1);
        state.difficulty = 1;
        state.floorFlags = flags;
        StartPractice(state);
        recording::Clear();
        AbortGame(state);
        EXPECT_EQ(state.difficulty, 1);
        EXPECT_EQ(state.floorFlags, flags);
        EXPECT_EQ(state.practiceDifficulty, 0);
        EXPECT_EQ(state.practiceFloorFlags, 0);
        EXPECT_EQ(recording::Calls(),
                  (Strings{"StopMusic", "SwitchMenuToTitleState", "DrawDifficultyAndBest",
                           "UpdateMenuChecks", "RedrawMenuBar", "CreateStartPanel"}));
    }
}

// --------------------------------------------------------------- AbortGame

TEST(AbortGame, ReturnsToTheTitleLeavingTheGameFiguresShown) {
    GameState state = MakeTitleState(1);
    NewGame(state);
    state.floorCount = 23;
    state.shownFloor = 21;
    state.jumpCount = 40;
    state.playerY = 100;
    state.floors[4].x = 999;
    recording::Clear();
    AbortGame(state);
    EXPECT_EQ(recording::Calls(), (Strings{"StopMusic", "SwitchMenuToTitleState", "RedrawMenuBar",
                                           "CreateStartPanel"}));
    EXPECT_EQ(state.mode, GameMode::Title);
    EXPECT_EQ(state.playerY, 352);
    EXPECT_EQ(state.floorCount, 23);
    EXPECT_EQ(state.shownFloor, 21);
    EXPECT_EQ(state.jumpCount, 40);
    EXPECT_EQ(state.floors[4].x, 999);
}

TEST(AbortGame, WhilePausedPutsThePauseLabelBack) {
    GameState state = coretest::PlayingOnGround();
    state.mode = GameMode::Paused;
    state.speedUp = 1;
    AbortGame(state);
    EXPECT_EQ(recording::Calls(),
              (Strings{"StopMusic", "SetPauseItemLabel Pause", "SwitchMenuToTitleState",
                       "RedrawMenuBar", "CreateStartPanel", "DrawPartialFrame"}));
    EXPECT_EQ(state.mode, GameMode::Title);
}

TEST(ExitGame, StopsTheMusicAndSendsTheDestroyMessage) {
    GameState state = coretest::PlayingOnGround();
    ExitGame(state);
    EXPECT_EQ(recording::Calls(), (Strings{"StopMusic", "SendDestroyMessage"}));
}

// ------------------------------------------------------------- TogglePause

TEST(TogglePause, PausingAndResuming) {
    GameState state = coretest::PlayingOnGround();
    const auto before = coretest::PlayFields(state);
    TogglePause(state);
    EXPECT_EQ(state.mode, GameMode::Paused);
    EXPECT_EQ(recording::Calls(), (Strings{"SetPauseItemLabel Resume", "DrawFullFrame", "StopMusic",
                                           "PlayEffect 159"}));
    recording::Clear();
    TogglePause(state);
    EXPECT_EQ(state.mode, GameMode::Playing);
    EXPECT_EQ(recording::Calls(),
              (Strings{"SetPauseItemLabel Pause", "PlayEffect 159", "PlayMusic"}));
    EXPECT_EQ(coretest::PlayFields(state), before);
}

TEST(TogglePause, WithoutSoundOrMusic) {
    GameState state = coretest::PlayingOnGround();
    state.soundOn = 0;
    state.musicOn = 0;
    TogglePause(state);
    EXPECT_EQ(recording::Calls(),
              (Strings{"SetPauseItemLabel Resume", "DrawFullFrame", "StopMusic"}));
    recording::Clear();
    TogglePause(state);
    EXPECT_EQ(recording::Calls(), (Strings{"SetPauseItemLabel Pause"}));
}

TEST(TogglePause, PartialRedrawBlackensThePauseSignAndMarksEverySlot) {
    GameState state = coretest::PlayingOnGround();
    state.speedUp = 1;
    TogglePause(state);
    EXPECT_EQ(recording::Calls(), (Strings{"SetPauseItemLabel Resume", "DrawPartialFrame",
                                           "StopMusic", "PlayEffect 159"}));
    recording::Clear();
    const auto before = FieldsWithoutDirty(state);
    TogglePause(state);
    EXPECT_EQ(recording::Calls(), (Strings{"SetPauseItemLabel Pause", "PlayEffect 159", "PlayMusic",
                                           "FillWindowRectBlack 168 208 296 256"}));
    for (const FloorSlot& slot : state.floors) {
        EXPECT_EQ(slot.dirty, 1);
    }
    GameState paused = state;
    paused.mode = GameMode::Paused;
    EXPECT_EQ(FieldsWithoutDirty(paused), before) << "the zero scroll moves nothing";
}

// --------------------------------------------------------------- keyboard

TEST(HandleKey, SpaceHoldsTheJumpButNeverPauses) {
    GameState state = coretest::PlayingOnGround();
    HandleKey(state, vkSpace, true);
    EXPECT_EQ(state.jumpHeld, 1);
    HandleKey(state, vkSpace, true); // auto-repeat
    EXPECT_EQ(state.mode, GameMode::Playing);
    EXPECT_TRUE(recording::Calls().empty());
    HandleKey(state, vkSpace, false);
    EXPECT_EQ(state.jumpHeld, 0);
}

TEST(HandleKey, SpaceResumesAndTheGaugeStartsOnTheNextTick) {
    GameState state = coretest::PlayingOnGround();
    state.mode = GameMode::Paused;
    HandleKey(state, vkSpace, true);
    EXPECT_EQ(state.mode, GameMode::Playing);
    EXPECT_EQ(state.jumpHeld, 1);
    EXPECT_EQ(recording::Calls(),
              (Strings{"SetPauseItemLabel Pause", "PlayEffect 159", "PlayMusic"}));
    HandleKey(state, vkSpace, true); // auto-repeat does not pause again
    EXPECT_EQ(state.mode, GameMode::Playing);
    GameTick(state);
    EXPECT_EQ(state.jumpPower, 1);
}

TEST(HandleKey, EscapeTogglesOnlyDuringAGame) {
    GameState state = coretest::PlayingOnGround();
    HandleKey(state, vkEscape, true);
    EXPECT_EQ(state.mode, GameMode::Paused);
    HandleKey(state, vkEscape, false);
    EXPECT_EQ(state.mode, GameMode::Paused);
    HandleKey(state, vkEscape, true);
    EXPECT_EQ(state.mode, GameMode::Playing);
    EXPECT_EQ(state.jumpHeld, 0);
    for (GameMode mode : {GameMode::Title, GameMode::GameOver}) {
        state.mode = mode;
        recording::Clear();
        HandleKey(state, vkEscape, true);
        EXPECT_EQ(state.mode, mode);
        EXPECT_TRUE(recording::Calls().empty());
    }
}

TEST(HandleKey, OtherKeysAreIgnored) {
    GameState state = coretest::PlayingOnGround();
    const auto before = coretest::PlayFields(state);
    for (int key : {13, 112, 65, 37}) {
        HandleKey(state, key, true);
        HandleKey(state, key, false);
    }
    state.mode = GameMode::Paused;
    HandleKey(state, 13, true);
    state.mode = GameMode::Playing;
    EXPECT_EQ(coretest::PlayFields(state), before);
    EXPECT_TRUE(recording::Calls().empty());
}

// ------------------------------------------------------------------ mouse

TEST(HotSpots, LeftAndTopEdgesBelongRightAndBottomDoNot) {
    EXPECT_TRUE(InPauseHotSpot(522, 304));
    EXPECT_TRUE(InPauseHotSpot(549, 335));
    EXPECT_FALSE(InPauseHotSpot(521, 310));
    EXPECT_FALSE(InPauseHotSpot(530, 303));
    EXPECT_FALSE(InPauseHotSpot(550, 310));
    EXPECT_FALSE(InPauseHotSpot(530, 336));
    EXPECT_TRUE(InAbortHotSpot(520, 368));
    EXPECT_TRUE(InAbortHotSpot(551, 394));
    EXPECT_FALSE(InAbortHotSpot(519, 380));
    EXPECT_FALSE(InAbortHotSpot(530, 367));
    EXPECT_FALSE(InAbortHotSpot(552, 380));
    EXPECT_FALSE(InAbortHotSpot(530, 395));
}

TEST(HandleLeftButton, PauseSpotPausesAGame) {
    GameState state = coretest::PlayingOnGround();
    HandleLeftButtonDown(state, 549, 335);
    EXPECT_EQ(state.mode, GameMode::Paused);
    EXPECT_EQ(state.jumpHeld, 1);
    EXPECT_EQ(recording::Calls().front(), "CaptureMouse");
}

TEST(HandleLeftButton, JustOutsideThePauseSpotOnlyHoldsTheJump) {
    GameState state = coretest::PlayingOnGround();
    HandleLeftButtonDown(state, 550, 335);
    HandleLeftButtonDown(state, 549, 336);
    EXPECT_EQ(state.mode, GameMode::Playing);
    EXPECT_EQ(state.jumpHeld, 1);
    EXPECT_EQ(recording::Calls(), (Strings{"CaptureMouse", "CaptureMouse"}));
}

TEST(HandleLeftButton, AbortSpotAbortsAGame) {
    GameState state = coretest::PlayingOnGround();
    HandleLeftButtonDown(state, 520, 368);
    EXPECT_EQ(state.mode, GameMode::Title);
    EXPECT_EQ(state.playerY, 352);
}

TEST(HandleLeftButton, AbortSpotWhilePausedAbortsRatherThanResumes) {
    GameState state = coretest::PlayingOnGround();
    state.mode = GameMode::Paused;
    HandleLeftButtonDown(state, 551, 394);
    EXPECT_EQ(state.mode, GameMode::Title);
    EXPECT_EQ(recording::Calls(),
              (Strings{"CaptureMouse", "StopMusic", "SetPauseItemLabel Pause",
                       "SwitchMenuToTitleState", "RedrawMenuBar", "CreateStartPanel"}));
}

TEST(HandleLeftButton, AnyOtherClickWhilePausedResumes) {
    for (const auto& [x, y] : {std::pair{530, 320}, std::pair{10, 10}, std::pair{552, 394}}) {
        GameState state = coretest::PlayingOnGround();
        state.mode = GameMode::Paused;
        HandleLeftButtonDown(state, x, y);
        EXPECT_EQ(state.mode, GameMode::Playing) << x << "," << y;
        EXPECT_EQ(state.jumpHeld, 1);
    }
}

TEST(HandleLeftButton, InTheTitleOnlyTheJumpFlagIsSetAndNewGameClearsIt) {
    for (GameMode mode : {GameMode::Title, GameMode::GameOver}) {
        GameState state = MakeTitleState(1);
        state.mode = mode;
        HandleLeftButtonDown(state, 530, 320);
        HandleLeftButtonDown(state, 530, 380);
        EXPECT_EQ(state.mode, mode);
        EXPECT_EQ(state.jumpHeld, 1);
        EXPECT_EQ(recording::Calls(), (Strings{"CaptureMouse", "CaptureMouse"}));
    }
    GameState state = MakeTitleState(1);
    HandleLeftButtonDown(state, 530, 380);
    NewGame(state);
    EXPECT_EQ(state.jumpHeld, 0);
}

TEST(HandleLeftButton, ReleaseLetsGoOfTheCaptureAndTheJump) {
    GameState state = coretest::PlayingOnGround();
    HandleLeftButtonDown(state, 100, 100);
    recording::Clear();
    HandleLeftButtonUp(state);
    EXPECT_EQ(state.jumpHeld, 0);
    EXPECT_EQ(recording::Calls(), (Strings{"ReleaseMouseCapture"}));
}

TEST(HandleLeftButton, SpaceAndButtonShareOneJumpFlag) {
    GameState state = coretest::PlayingOnGround();
    HandleKey(state, vkSpace, true);
    GameTick(state);
    GameTick(state);
    HandleLeftButtonDown(state, 100, 100);
    HandleLeftButtonUp(state); // the space bar is still down
    EXPECT_EQ(state.jumpHeld, 0);
    GameTick(state);
    EXPECT_EQ(state.airborne, 1);
    EXPECT_EQ(state.verticalSpeed, 2);
}

} // namespace
