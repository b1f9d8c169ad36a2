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

TEST(NewGame, TellsThePanelMenuStatusPanelAndMusicInOrder) {
    RecordingPorts ports;
    const auto check = [&](std::int32_t showJumpCount, std::int32_t speedUp, std::int32_t musicOn,
                           const Strings& last) {
        GameState state = MakeTitleState(ports, 1);
        state.showJumpCount = showJumpCount;
        state.speedUp = speedUp;
        state.musicOn = musicOn;
        state.jumpCount = 31;
        NewGame(state);
        Strings expected = {"DestroyStartPanel", "SwitchMenuToPlayState", "RedrawMenuBar",
                            "DrawFloorCounter", "DrawJumpGauge 0"};
        expected.insert(expected.end(), last.begin(), last.end());
        EXPECT_EQ(ports.calls, expected);
    };
    check(0, 0, 1, {"PlayMusic"});
    check(1, 1, 0, {"DrawJumpCount 0", "DrawPartialFrame"});
}

// NewGame lays out the field before it resets the counters, so the first
// floors are chosen for the floor count the last game ended with. It leaves
// the vertical speed alone: after an abort mid-jump the first tick's probe is
// empty, the character walks off the ground and lands on it again next tick.
TEST(NewGame, StartsOnTheGroundWithAFieldForTheLastFloorCount) {
    RecordingPorts ports;
    GameState state = MakeTitleState(ports, 1);
    state.playerX = state.playerY = state.facing = state.verticalSpeed = state.standingFloor =
        state.jumpPower = state.charging = state.airborne = state.animFrame = state.jumpHeld =
            state.patternIndex = state.scrollPhase = state.rollPhase = state.shownFloor =
                state.jumpCount = state.difficulty = state.floorFlags = 3;
    state.floorCount = 150; // level 4 on Hard, where 1 floor is level 2
    GameState expected = state;
    SeedRandom(expected.random, 77);
    LayOutField(expected);
    SeedRandom(state.random, 77);
    NewGame(state);
    const std::vector<std::int64_t> fields = PlayFields(state);
    const std::vector<std::int64_t> laidOut = PlayFields(expected);
    // The character, counters and settings, as PlayFields lists them; then the floors.
    EXPECT_EQ(std::vector(fields.begin(), fields.begin() + 21),
              (std::vector<std::int64_t>{0, 0, 288, 1, 3, groundSlot, 0, 0, 0, 0, 0,
                                         0, 0, 0,   1, 1, 0,          3, 3, 0, 0}));
    EXPECT_EQ(std::vector(fields.begin() + 21, fields.end()),
              std::vector(laidOut.begin() + 21, laidOut.end()));
    ports.Clear();
    GameTick(state);
    EXPECT_EQ((Ints{state.airborne, state.verticalSpeed, state.playerY}), (Ints{1, -1, 288}));
    GameTick(state);
    EXPECT_EQ((Ints{state.airborne, state.standingFloor, state.playerY}),
              (Ints{0, groundSlot, 288}));
    EXPECT_EQ(ports.Effects(), (Ints{142}));
}

// Practice plays Normal with plain floors and no Difficulty check marks, the
// saved difficulty's included; aborting it puts back exactly what was there.
TEST(StartPractice, PlaysNormalWithPlainFloorsUntilTheAbortPutsTheSettingsBack) {
    RecordingPorts ports;
    for (const auto& [difficulty, flags, savedItem] :
         {std::tuple{3, 13, "CheckMenuItem 40008 0"}, std::tuple{2, 0, "CheckMenuItem 40007 0"}}) {
        GameState state = MakeTitleState(ports, 1);
        state.difficulty = difficulty;
        state.floorFlags = flags;
        StartPractice(state);
        EXPECT_EQ(ports.calls,
                  (Strings{"DrawDifficultyAndBest", savedItem, "CheckMenuItem 40009 0",
                           "CheckMenuItem 40010 0", "CheckMenuItem 40011 0",
                           "CheckMenuItem 40012 0", "DestroyStartPanel", "SwitchMenuToPlayState",
                           "RedrawMenuBar", "DrawFloorCounter", "DrawJumpGauge 0", "PlayMusic"}));
        EXPECT_EQ((Ints{state.difficulty, state.floorFlags, state.practiceDifficulty,
                        state.practiceFloorFlags}),
                  (Ints{2, 0, difficulty, flags}));
        for (int i = 0; i <= 10; ++i) {
            EXPECT_EQ(state.floors[i].kind, K::Normal) << "slot " << i;
        }
        ports.Clear();
        AbortGame(state);
        EXPECT_EQ((Ints{state.difficulty, state.floorFlags, state.practiceDifficulty,
                        state.practiceFloorFlags}),
                  (Ints{difficulty, flags, 0, 0}));
        EXPECT_EQ(ports.calls,
                  (Strings{"StopMusic", "SwitchMenuToTitleState", "DrawDifficultyAndBest",
                           "UpdateMenuChecks", "RedrawMenuBar", "CreateStartPanel"}));
    }
}

TEST(AbortGame, ReturnsToTheTitleLeavingTheLastGamesFiguresShown) {
    RecordingPorts ports;
    GameState state = PlayingOnGround(ports);
    state.floorCount = 23;
    state.shownFloor = 21;
    state.jumpCount = 40;
    state.playerY = 100;
    AbortGame(state);
    EXPECT_EQ(ports.calls, (Strings{"StopMusic", "SwitchMenuToTitleState", "RedrawMenuBar",
                                    "CreateStartPanel"}));
    EXPECT_EQ(state.mode, title);
    EXPECT_EQ((Ints{state.playerY, state.floorCount, state.shownFloor, state.jumpCount}),
              (Ints{352, 23, 21, 40}));
    // Paused in partial redraw: "&Pause" goes back on the item, and a frame is drawn.
    state.mode = paused;
    state.speedUp = 1;
    ports.Clear();
    AbortGame(state);
    EXPECT_EQ(ports.calls,
              (Strings{"StopMusic", "SetPauseItemLabel Pause", "SwitchMenuToTitleState",
                       "RedrawMenuBar", "CreateStartPanel", "DrawPartialFrame"}));
}

TEST(ExitGame, StopsTheMusicAndSendsTheDestroyMessage) {
    RecordingPorts ports;
    GameState state = PlayingOnGround(ports);
    ExitGame(state);
    EXPECT_EQ(ports.calls, (Strings{"StopMusic", "SendDestroyMessage"}));
}

// Pausing shows the sign in its frame and stops the music; resuming starts the
// music from the beginning and, in partial redraw, blackens where the sign
// stood and marks every slot for the next frame. Effects and music only when on.
TEST(TogglePause, PausesWithTheSignShownAndResumesTheMusicFromTheStart) {
    RecordingPorts ports;
    const auto check = [&](std::int32_t on, std::int32_t speedUp, const Strings& pause,
                           const Strings& resume) {
        GameState state = PlayingOnGround(ports);
        state.soundOn = state.musicOn = on;
        state.speedUp = speedUp;
        GameState expected = state;
        for (FloorSlot& slot : expected.floors) {
            slot.dirty = speedUp;
        }
        TogglePause(state);
        EXPECT_EQ(state.mode, paused);
        EXPECT_EQ(ports.calls, pause);
        EXPECT_EQ(ports.draws.at(0).mode, paused);
        ports.Clear();
        TogglePause(state);
        EXPECT_EQ(ports.calls, resume);
        EXPECT_EQ(PlayFields(state), PlayFields(expected));
    };
    check(1, 0, {"SetPauseItemLabel Resume", "DrawFullFrame", "StopMusic", "PlayEffect 159"},
          {"SetPauseItemLabel Pause", "PlayEffect 159", "PlayMusic"});
    check(0, 0, {"SetPauseItemLabel Resume", "DrawFullFrame", "StopMusic"},
          {"SetPauseItemLabel Pause"});
    check(1, 1, {"SetPauseItemLabel Resume", "DrawPartialFrame", "StopMusic", "PlayEffect 159"},
          {"SetPauseItemLabel Pause", "PlayEffect 159", "PlayMusic",
           "FillWindowRectBlack 168 208 296 256"});
}

TEST(HandleKey, SpaceHoldsTheJumpAndResumesEscapeTogglesOnlyDuringAGame) {
    RecordingPorts ports;
    struct Case {
        GameMode mode;
        int key;
        bool down;
        GameMode modeAfter;
        std::int32_t held;
    };
    const Case cases[] = {
        {playing, vkSpace, true, playing, 1}, {playing, vkSpace, false, playing, 0},
        {paused, vkSpace, true, playing, 1},  {playing, vkEscape, true, paused, 0},
        {paused, vkEscape, true, playing, 0}, {paused, vkEscape, false, paused, 1},
        {title, vkEscape, true, title, 0},    {over, vkEscape, true, over, 0},
        {paused, 13, true, paused, 0},        {playing, 112, false, playing, 1}};
    for (const Case& c : cases) {
        GameState state = PlayingOnGround(ports);
        state.mode = c.mode;
        state.jumpHeld = c.down ? 0 : 1;
        HandleKey(state, c.key, c.down);
        EXPECT_EQ((Ints{static_cast<int>(state.mode), state.jumpHeld}),
                  (Ints{static_cast<int>(c.modeAfter), c.held}))
            << "key " << c.key << (c.down ? " down" : " up") << " in mode "
            << static_cast<int>(c.mode);
    }
    // Space resumes, auto-repeat does not pause again, and the gauge runs on the next tick.
    GameState state = PlayingOnGround(ports);
    state.mode = paused;
    HandleKey(state, vkSpace, true);
    HandleKey(state, vkSpace, true);
    GameTick(state);
    EXPECT_EQ((Ints{static_cast<int>(state.mode), state.jumpPower}), (Ints{0, 1}));
}

// The pause spot covers x 522..549, y 304..335, the abort spot x 520..551,
// y 368..394: left and top edges belong to a spot, right and bottom do not.
// Paused, a click in the abort spot aborts, anywhere else it resumes.
TEST(HandleLeftButton, ClicksPauseResumeOrAbortByModeAndSpot) {
    RecordingPorts ports;
    struct Case {
        GameMode mode;
        std::int32_t x, y;
        GameMode modeAfter;
    };
    const Case cases[] = {
        {playing, 522, 304, paused},  {playing, 549, 335, paused},  {playing, 521, 310, playing},
        {playing, 530, 303, playing}, {playing, 550, 335, playing}, {playing, 549, 336, playing},
        {playing, 520, 368, title},   {paused, 551, 394, title},    {playing, 519, 380, playing},
        {playing, 530, 367, playing}, {playing, 552, 380, playing}, {playing, 530, 395, playing},
        {paused, 530, 320, playing},  {paused, 10, 10, playing},    {paused, 552, 394, playing},
        {title, 530, 320, title},     {title, 530, 380, title},     {over, 530, 380, over}};
    for (const Case& c : cases) {
        GameState state = PlayingOnGround(ports);
        state.mode = c.mode;
        HandleLeftButtonDown(state, c.x, c.y);
        EXPECT_EQ(state.mode, c.modeAfter) << c.x << ", " << c.y;
        EXPECT_EQ(state.jumpHeld, 1);
        EXPECT_EQ(ports.calls.front(), "CaptureMouse");
        EXPECT_EQ(ports.calls.size() == 1, c.mode == c.modeAfter) << c.x << ", " << c.y;
    }
}

TEST(HandleLeftButton, ReleasingClearsTheJumpHeldBySpaceAndButtonAlike) {
    RecordingPorts ports;
    GameState state = PlayingOnGround(ports);
    HandleKey(state, vkSpace, true);
    GameTick(state);
    GameTick(state);
    HandleLeftButtonDown(state, 100, 100);
    ports.Clear();
    HandleLeftButtonUp(state); // the space bar is still down
    EXPECT_EQ(ports.calls, (Strings{"ReleaseMouseCapture"}));
    GameTick(state);
    EXPECT_EQ((Ints{state.jumpHeld, state.airborne, state.verticalSpeed}), (Ints{0, 1, 2}));
}

} // namespace
