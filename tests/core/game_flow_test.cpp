#include "core/floor_field.h"
#include "core/game_flow.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

using namespace coretest;

constexpr GameMode playing = GameMode::Playing;
constexpr GameMode title = GameMode::Title;
constexpr GameMode paused = GameMode::Paused;
constexpr GameMode over = GameMode::GameOver;

// The field is laid out for the last game's floor count, before the reset.
// The vertical speed is left alone: after an abort mid-jump the character
// walks off the ground and lands on it again. A full frame waits for a tick.
TEST(NewGame, StartsOnTheGroundWithAFieldForTheLastFloorCount) {
    for (const auto& [shown, speedUp, music] : {std::tuple{0, 0, 1}, std::tuple{1, 1, 0}}) {
        Game state;
        state.playerX = state.playerY = state.facing = state.verticalSpeed = state.standingFloor =
            state.jumpPower = state.charging = state.airborne = state.animFrame = state.jumpHeld =
                state.patternIndex = state.scrollPhase = state.rollPhase = state.shownFloor =
                    state.jumpCount = state.difficulty = state.floorFlags = 3;
        state.floorCount = 150; // level 4 on Hard, where 1 floor is level 2
        state.showJumpCount = shown;
        state.speedUp = speedUp;
        state.musicOn = music;
        GameState expected = state;
        SeedRandom(expected.random, 77);
        LayOutField(expected);
        SeedRandom(state.random, 77);
        NewGame(state);
        EXPECT_FIELDS(state, "mode", playing, "playerX", 0, "playerY", 288, "facing", 1,
                      "verticalSpeed", 3, "standingFloor", groundSlot, "jumpPower", 0, "charging",
                      0, "airborne", 0, "animFrame", 0, "jumpHeld", 0, "patternIndex", 0,
                      "scrollPhase", 0, "rollPhase", 0, "shownFloor", 1, "floorCount", 1,
                      "jumpCount", 0, "difficulty", 3, "floorFlags", 3);
        for (int i = 0; i < floorSlotCount; ++i) {
            EXPECT_EQ(Named(state.floors[i]), Named(expected.floors[i])) << "slot " << i;
        }
        EXPECT_TRUE(Once(state.rec, "DestroyStartPanel", "SwitchMenuToPlayState", "RedrawMenuBar",
                         "DrawFloorCounter", "DrawJumpGauge 0"));
        EXPECT_EQ(state.rec.draws.at(0).shownFloor, 1) << "the counter drawn after the reset";
        EXPECT_EQ(state.rec.draws.size(), 1u + speedUp) << "the counter, and a partial frame";
        EXPECT_EQ(Count(state.rec, "DrawJumpCount 0"), shown);
        EXPECT_EQ(Count(state.rec, "PlayMusic"), music);
        state.rec.Clear();
        GameTick(state);
        EXPECT_FIELDS(state, "airborne", 1, "verticalSpeed", -1, "playerY", 288);
        GameTick(state);
        EXPECT_FIELDS(state, "airborne", 0, "standingFloor", groundSlot, "playerY", 288);
        EXPECT_EQ(state.rec.Effects(), (Ints{142}));
    }
}

// Practice plays Normal with plain floors and no Difficulty check marks, the
// saved difficulty's included; aborting it puts back exactly what was there,
// with its label and check marks.
TEST(StartPractice, PlaysNormalWithPlainFloorsUntilTheAbortPutsTheSettingsBack) {
    for (const auto& [difficulty, flags] : {std::tuple{3, 13}, std::tuple{2, 0}}) {
        Game state;
        state.difficulty = difficulty;
        state.floorFlags = flags;
        StartPractice(state);
        EXPECT_EQ(
            state.rec.CallsStartingWith("CheckMenuItem"),
            (std::vector<std::string>{"CheckMenuItem " + std::to_string(40005 + difficulty) + " 0",
                                      "CheckMenuItem 40009 0", "CheckMenuItem 40010 0",
                                      "CheckMenuItem 40011 0", "CheckMenuItem 40012 0"}));
        EXPECT_EQ(Count(state.rec, "DrawDifficultyAndBest"), 1) << "the practice label";
        EXPECT_FIELDS(state, "mode", playing, "difficulty", 2, "floorFlags", 0,
                      "practiceDifficulty", difficulty, "practiceFloorFlags", flags);
        for (int i = 0; i <= 10; ++i) {
            EXPECT_EQ(state.floors[i].kind, K::Normal) << "slot " << i;
        }
        state.rec.Clear();
        AbortGame(state);
        EXPECT_FIELDS(state, "difficulty", difficulty, "floorFlags", flags, "practiceDifficulty", 0,
                      "practiceFloorFlags", 0);
        EXPECT_EQ(Count(state.rec, "UpdateMenuChecks"), 1);
        EXPECT_EQ(Count(state.rec, "DrawDifficultyAndBest"), 1);
    }
}

// Pausing shows the sign in its frame and stops the music; resuming starts the
// music from the beginning and, in partial redraw, blackens where the sign
// stood and marks every slot for the next frame. Effects and music only when on.
TEST(TogglePause, PausesWithTheSignShownAndResumesTheMusicFromTheStart) {
    for (const auto& [on, speedUp] : {std::tuple{1, 0}, std::tuple{0, 0}, std::tuple{1, 1}}) {
        Playing state;
        state.soundOn = state.musicOn = on;
        state.speedUp = speedUp;
        GameState expected = state;
        for (FloorSlot& slot : expected.floors) {
            slot.dirty = speedUp;
        }
        TogglePause(state);
        EXPECT_EQ(state.mode, paused);
        ASSERT_EQ(state.rec.draws.size(), 1u);
        EXPECT_EQ(state.rec.draws[0].mode, paused) << "the frame shows the sign";
        EXPECT_EQ(state.rec.draws[0].call, speedUp ? "DrawPartialFrame" : "DrawFullFrame");
        EXPECT_TRUE(Once(state.rec, "SetPauseItemLabel Resume", "StopMusic"));
        EXPECT_EQ(state.rec.Effects(), on ? Ints{159} : Ints{}) << "sound " << on;
        state.rec.Clear();
        TogglePause(state);
        EXPECT_EQ(Named(state), Named(expected));
        EXPECT_EQ(Count(state.rec, "SetPauseItemLabel Pause"), 1);
        EXPECT_EQ(Count(state.rec, "PlayMusic"), on);
        EXPECT_EQ(state.rec.Effects(), on ? Ints{159} : Ints{}) << "sound " << on;
        EXPECT_EQ(Count(state.rec, "FillWindowRectBlack 168 208 296 256"), speedUp);
        EXPECT_TRUE(state.rec.draws.empty()) << "the next tick draws";
    }
}

TEST(HandleKey, SpaceHoldsTheJumpAndResumesEscapeTogglesOnlyDuringAGame) {
    const std::tuple<GameMode, int, bool, GameMode, std::int32_t> cases[] = {
        {playing, vkSpace, true, playing, 1}, {playing, vkSpace, false, playing, 0},
        {paused, vkSpace, true, playing, 1},  {playing, vkEscape, true, paused, 0},
        {paused, vkEscape, true, playing, 0}, {paused, vkEscape, false, paused, 1},
        {title, vkEscape, true, title, 0},    {over, vkEscape, true, over, 0},
        {paused, 13, true, paused, 0},        {playing, 112, false, playing, 1}};
    for (const auto& [mode, key, down, modeAfter, held] : cases) {
        Playing state;
        state.mode = mode;
        state.jumpHeld = down ? 0 : 1;
        HandleKey(state, key, down);
        EXPECT_FIELDS(state, "mode", modeAfter, "jumpHeld", held)
            << "key " << key << (down ? " down" : " up") << " in mode " << static_cast<int>(mode);
    }
    // Space resumes, auto-repeat does not pause again, and the gauge runs on the next tick.
    Playing state;
    state.mode = paused;
    HandleKey(state, vkSpace, true);
    HandleKey(state, vkSpace, true);
    GameTick(state);
    EXPECT_FIELDS(state, "mode", playing, "jumpPower", 1);
}

// The pause spot covers x 522..549, y 304..335, the abort spot x 520..551,
// y 368..394: left and top edges belong to a spot, right and bottom do not.
// Paused, a click in the abort spot aborts, anywhere else it resumes. The
// button holds the jump like the space bar, and letting go of it ends it.
TEST(HandleLeftButton, ClicksPauseResumeOrAbortByModeAndSpot) {
    const std::tuple<GameMode, std::int32_t, std::int32_t, GameMode> cases[] = {
        {playing, 522, 304, paused},  {playing, 549, 335, paused},  {playing, 521, 310, playing},
        {playing, 530, 303, playing}, {playing, 550, 335, playing}, {playing, 549, 336, playing},
        {playing, 520, 368, title},   {paused, 551, 394, title},    {playing, 519, 380, playing},
        {playing, 530, 367, playing}, {playing, 552, 380, playing}, {playing, 530, 395, playing},
        {paused, 530, 320, playing},  {paused, 10, 10, playing},    {paused, 552, 394, playing},
        {title, 530, 320, title},     {title, 530, 380, title},     {over, 530, 380, over}};
    for (const auto& [mode, x, y, modeAfter] : cases) {
        Playing state;
        state.mode = mode;
        HandleLeftButtonDown(state, x, y);
        EXPECT_FIELDS(state, "mode", modeAfter, "jumpHeld", 1) << x << ", " << y;
        EXPECT_EQ(Count(state.rec, "CaptureMouse"), 1);
        EXPECT_EQ(state.rec.calls.size() == 1, mode == modeAfter) << x << ", " << y;
        HandleLeftButtonUp(state);
        EXPECT_EQ(Count(state.rec, "ReleaseMouseCapture"), 1);
        EXPECT_EQ(state.jumpHeld, 0);
    }
}

} // namespace
