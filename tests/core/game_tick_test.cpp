#include "core/floor_counter.h"
#include "core/game_tick.h"
#include "tests/core/core_test_support.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using namespace coretest;
using recording::Draws;
using recording::Effects;

int Mode(GameMode mode) {
    return static_cast<int>(mode);
}

TEST(Gauge, StepsOneToTwelveAndAroundWithOneTonePerTick) {
    GameState state = PlayingOnGround();
    state.jumpHeld = 1;
    Ints powers;
    for (int t = 0; t < 14; ++t) {
        GameTick(state);
        powers.push_back(state.jumpPower);
    }
    EXPECT_EQ(powers, (Ints{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}));
    EXPECT_EQ(Effects(),
              (Ints{143, 144, 145, 146, 147, 148, 149, 150, 151, 152, 153, 154, 143, 144}));
    EXPECT_EQ(recording::CallsStartingWith("DrawJumpGauge")[11], "DrawJumpGauge 12");
    EXPECT_EQ((Ints{state.charging, state.airborne, state.playerY}), (Ints{1, 0, 288}));
}

TEST(Gauge, LettingGoLaunchesAtThePowerLastShown) {
    for (std::int32_t shown : {0, 1}) {
        GameState state = PlayingOnGround();
        state.showJumpCount = shown;
        state.jumpHeld = 1;
        RunTicks(state, 14);
        recording::Clear();
        state.jumpHeld = 0;
        GameTick(state);
        // The gauge keeps showing the power until the landing; the launch
        // tick does not move the character up yet.
        EXPECT_EQ((Ints{state.airborne, state.verticalSpeed, state.jumpPower, state.charging,
                        state.jumpCount, state.playerY}),
                  (Ints{1, 2, 2, 0, 1, 288}));
        EXPECT_EQ(recording::Calls(),
                  shown ? (Strings{"DrawJumpCount 1", "PlayEffect 141", "DrawFullFrame"})
                        : (Strings{"PlayEffect 141", "DrawFullFrame"}));
    }
}

TEST(Jump, PowerPRisesPTimesPPlusOneAndLandsAfterTwoPPlusOneTicks) {
    for (std::int32_t p = 1; p <= 12; ++p) {
        GameState state = PlayingOnGround();
        state.soundOn = p == 12 ? 0 : 1; // the last one silent
        state.jumpHeld = 1;
        RunTicks(state, p);
        state.jumpHeld = 0;
        GameTick(state);
        Ints heights;
        while (state.airborne == 1 && heights.size() < 100) {
            GameTick(state);
            heights.push_back(288 - state.playerY);
        }
        ASSERT_EQ(heights.size(), static_cast<std::size_t>(2 * p + 1)) << "power " << p;
        EXPECT_EQ(*std::max_element(heights.begin(), heights.end()), p * (p + 1)) << "power " << p;
        EXPECT_EQ((Ints{heights[p - 1], heights[p]}), (Ints{p * (p + 1), p * (p + 1)}))
            << "the top comes p ticks after the launch and the next tick moves 0";
        EXPECT_EQ((Ints{state.playerY, state.standingFloor, state.jumpPower, state.verticalSpeed}),
                  (Ints{288, groundSlot, 0, 0}));
        EXPECT_EQ(Effects().empty() ? 0 : Effects().back(), state.soundOn ? 142 : 0);
        EXPECT_EQ(recording::CallsStartingWith("DrawJumpGauge").back(), "DrawJumpGauge 0");
    }
}

TEST(Jump, ASpringIsPressedAfterTheLandingAndAddsFiveToTheJump) {
    GameState state = PlayingOnGround();
    FallOntoSlotFive(state, Slot(K::Spring, 100, 200));
    GameTick(state);
    EXPECT_EQ((Ints{state.airborne, state.playerY, state.standingFloor}), (Ints{0, 168, 5}));
    state.jumpHeld = 1;
    GameTick(state);
    EXPECT_EQ((Ints{state.floors[5].phase, state.playerY}), (Ints{4, 172})) << "the tick after";
    GameTick(state);
    GameTick(state);
    state.jumpHeld = 0;
    GameTick(state);
    EXPECT_EQ(
        (Ints{state.verticalSpeed, state.jumpPower, state.floors[5].velocity, state.jumpCount}),
        (Ints{3 + 5, 3, -12, 1}));
    EXPECT_EQ(Effects(), (Ints{156, 143, 144, 145, 155}));
    Ints rebound;
    for (int t = 0; t < 6; ++t) {
        GameTick(state);
        rebound.push_back(state.floors[5].phase);
    }
    EXPECT_EQ(rebound, (Ints{-8, -6, -4, -2, 0, 0}));
    EXPECT_EQ(state.floors[5].velocity, 0);
    EXPECT_EQ(state.playerY, 172 - 2 * (8 + 7 + 6 + 5 + 4 + 3));
}

TEST(Landing, PutsTheFeetOnTheSlotsRowWithTheSoundOfItsKind) {
    struct Case {
        FloorKind kind;
        std::int32_t phase, velocity, y;
        int sound;
    };
    const Case cases[] = {{K::Normal, 0, 0, 168, 142},
                          {K::ConveyorLeft, 0, 0, 168, 157},
                          {K::ConveyorRight, 0, 0, 168, 157},
                          {K::MovingLR, 100, 0, 168, 142}, // x is left alone
                          {K::MovingUD, -57, 0, 163, 142}, // phase -56 this tick: 5 rows up
                          {K::Spring, 0, 0, 168, 156},
                          {K::Spring, -6, 2, 168, 156}}; // mid-rebound: its rest row
    for (const Case& c : cases) {
        GameState state = PlayingOnGround();
        FallOntoSlotFive(state, Slot(c.kind, 100, 200, c.phase, c.velocity));
        state.jumpPower = 7;
        GameTick(state);
        EXPECT_EQ((Ints{state.airborne, state.standingFloor, state.playerX, state.playerY,
                        state.jumpPower, state.verticalSpeed}),
                  (Ints{0, 5, 100, c.y, 0, 0}))
            << static_cast<int>(c.kind) << " phase " << c.phase;
        EXPECT_EQ(Effects(), (Ints{c.sound}));
        EXPECT_EQ(recording::CallsStartingWith("DrawJumpGauge"), (Strings{"DrawJumpGauge 0"}));
    }
}

// A floor at row 200: rising, the feet pass its line without landing; at the
// top (speed 0) they may rest exactly on it, and the landing comes a tick later.
TEST(Landing, OnlyWhileFalling) {
    struct Case {
        std::int32_t y, speed;
        Ints trace; // playerY and airborne after each tick
    };
    const Case cases[] = {{174, 2, {170, 1, 168, 1, 168, 1, 168, 0}},
                          {178, 3, {172, 1, 168, 1, 166, 1, 166, 1, 168, 0}}};
    for (const Case& c : cases) {
        GameState state = PlayingOnGround(92);
        state.floors[5] = Slot(K::Normal, 100, 200);
        state.airborne = 1;
        state.verticalSpeed = c.speed;
        state.playerY = c.y;
        Ints trace;
        while (trace.size() < c.trace.size()) {
            GameTick(state);
            trace.insert(trace.end(), {state.playerY, state.airborne});
        }
        EXPECT_EQ(trace, c.trace);
        EXPECT_EQ(Effects(), (Ints{142}));
    }
}

TEST(Landing, AFastFallMeetingTwoFloorsTakesTheLowerNumberedSlot) {
    GameState state = PlayingOnGround(96);
    state.floors[2] = Slot(K::ConveyorLeft, 100, 230);
    state.floors[6] = Slot(K::Normal, 100, 210);
    state.airborne = 1;
    state.verticalSpeed = -10;
    state.playerY = 178; // the feet sweep rows 210..230
    GameTick(state);
    EXPECT_EQ((Ints{state.airborne, state.standingFloor, state.playerY}), (Ints{0, 2, 198}));
    EXPECT_EQ(Effects(), (Ints{157}));
}

// Slot 5 covers x 100..195: walking from 172 the feet start at 196 and leave
// it, from 168 the last foot still stands on it.
TEST(WalkOff, FallsAtSpeedMinusOneUnlessTheSameTickLaunches) {
    struct Case {
        FloorKind kind;
        std::int32_t x, phase, held, charging, power;
        std::int32_t airborne, speed, powerAfter, jumps;
        Ints effects;
    };
    const Case cases[] = {
        {K::Normal, 168, 0, 0, 0, 0, 0, 0, 0, 0, {}},
        {K::Normal, 172, 0, 0, 0, 0, 1, -1, 0, 0, {}},
        {K::Normal, 172, 0, 0, 1, 7, 1, 7, 7, 1, {141}},  // letting go in that tick: a full jump
        {K::Normal, 172, 0, 1, 0, 0, 1, -1, 1, 0, {143}}, // the gauge still steps
        {K::Spring, 172, 4, 0, 0, 0, 1, -1, 0, 0, {}}};   // the spring comes back up
    for (const Case& c : cases) {
        GameState state = PlayingOnGround();
        state.floors[5] = Slot(c.kind, 100, 200, c.phase);
        StandOn(state, 5);
        const std::int32_t y = state.playerY;
        state.playerX = c.x;
        state.jumpHeld = c.held;
        state.charging = c.charging;
        state.jumpPower = c.power;
        GameTick(state);
        EXPECT_EQ((Ints{state.airborne, state.playerY - y, state.verticalSpeed, state.jumpPower,
                        state.jumpCount, state.floors[5].phase, state.floors[5].dirty}),
                  (Ints{c.airborne, 0, c.speed, c.powerAfter, c.jumps, 0, c.phase != 0}))
            << "from x " << c.x << " held " << c.held << " charging " << c.charging;
        EXPECT_EQ(Effects(), c.effects);
    }
}

// Walking off with the input held and letting go in the air: the landing
// empties the gauge but keeps the charge, so the next tick launches a jump of
// speed 0 (5 from a spring). Still holding, the gauge starts again from 1.
TEST(WalkOff, ChargingSurvivesALanding) {
    struct Case {
        FloorKind kind;
        std::int32_t held, airborne, speed, power;
        Ints effects;
    };
    const Case cases[] = {{K::Normal, 0, 1, 0, 0, {142, 141}},
                          {K::Spring, 0, 1, 5, 0, {156, 155}},
                          {K::Normal, 1, 0, 0, 1, {142, 143}}};
    for (const Case& c : cases) {
        GameState state = PlayingOnGround();
        FallOntoSlotFive(state, Slot(c.kind, 100, 200));
        state.charging = 1;
        state.jumpPower = 9;
        state.jumpHeld = c.held;
        RunTicks(state, 2);
        EXPECT_EQ((Ints{state.airborne, state.verticalSpeed, state.jumpPower, state.jumpCount}),
                  (Ints{c.airborne, c.speed, c.power, c.airborne}))
            << static_cast<int>(c.kind) << " held " << c.held;
        EXPECT_EQ(Effects(), c.effects);
    }
}

// High in the shaft and rising, the field comes down instead of the
// character going up; scrollPhase climbs by the speed, and a floor counts
// when it passes 64 and when it wraps at 128.
TEST(Scroll, AtRowSixtyEightAndAboveTheFieldScrollsAndCountsFloors) {
    struct Case {
        std::int32_t y, phase, speed, yAfter, phaseAfter, counted, groundY;
    };
    const Case cases[] = {
        {60, 60, 10, 60, 70, 1, 340}, {60, 120, 10, 60, 2, 1, 340}, {60, 63, 1, 60, 64, 1, 322},
        {60, 64, 1, 60, 65, 0, 322},  {60, 127, 1, 60, 0, 1, 322},  {60, 50, 14, 60, 64, 1, 348},
        {68, 0, 1, 68, 1, 0, 322},    {69, 0, 1, 67, 0, 0, 320},    {50, 0, 0, 50, 0, 0, 320}};
    for (const Case& c : cases) {
        GameState state = PlayingOnGround();
        state.airborne = 1;
        state.playerY = c.y;
        state.scrollPhase = c.phase;
        state.verticalSpeed = c.speed;
        state.floorCount = 5;
        GameTick(state);
        EXPECT_EQ((Ints{state.playerY, state.scrollPhase, state.floorCount - 5, state.verticalSpeed,
                        state.floors[groundSlot].y}),
                  (Ints{c.yAfter, c.phaseAfter, c.counted, c.speed - 1, c.groundY}))
            << "y " << c.y << " phase " << c.phase << " speed " << c.speed;
    }
}

TEST(Scroll, FloorsRecycledInATickAreChosenForTheCountBeforeIt) {
    // 49 floors on Normal is level 1; the 50th, counted in this tick, makes
    // it level 2. Draw 56 is a plain floor at level 1 (56 mod 24 = 8) but a
    // sliding one at level 2 (56 mod 18 = 2).
    GameState state = PlayingOnGround();
    state.airborne = 1;
    state.playerY = 60;
    state.floorCount = 49;
    state.scrollPhase = 60;
    state.verticalSpeed = 4;
    state.floors[3] = Slot(K::Normal, 112, 348);
    NextDrawIs(56);
    GameTick(state);
    EXPECT_EQ((Ints{state.floorCount, state.floors[3].y}), (Ints{50, -28}));
    EXPECT_EQ(state.floors[3].kind, K::Normal);
}

// The frame shows where the walk (and a belt) took the character; the turn
// at the walls comes after it.
TEST(WallTurn, AtZeroAndThreeFiftyTwoAfterTheFrameIsDrawn) {
    struct Case {
        std::int32_t x, facing;
        bool onBelt;
        std::int32_t drawnX, xAfter, facingAfter;
    };
    const Case cases[] = {{348, 1, false, 352, 352, -1}, {347, 1, false, 351, 351, 1},
                          {350, 1, true, 356, 352, -1},  {2, -1, false, -2, 0, 1},
                          {4, -1, false, 0, 0, 1},       {5, -1, false, 1, 1, -1}};
    for (const Case& c : cases) {
        GameState state = PlayingOnGround(c.x);
        state.facing = c.facing;
        if (c.onBelt) {
            state.floors[0] = Slot(K::ConveyorRight, 300, 320);
            StandOn(state, 0);
        }
        GameTick(state);
        ASSERT_EQ(Draws().size(), 1u);
        EXPECT_EQ((Ints{Draws()[0].playerX, state.playerX, state.facing}),
                  (Ints{c.drawnX, c.xAfter, c.facingAfter}))
            << "from x " << c.x;
    }
}

// Falling out at the bottom in this tick, from row 340 to 360.
GameState FallingOut() {
    GameState state = PlayingOnGround();
    state.airborne = 1;
    state.verticalSpeed = -10;
    state.playerY = 340;
    state.floorCount = state.shownFloor = 10;
    state.jumpCount = 4;
    recording::Answers().keepPreset = false;
    recording::Answers().name = "Ada";
    return state;
}

TEST(GameOver, TheTickOfTheFallEndsTheGameAndOffersAPlace) {
    GameState state = FallingOut();
    std::vector<std::int64_t> inDialog;
    std::vector<std::int64_t> afterTicks;
    recording::OnNameDialog() = [&](GameState& s) {
        EXPECT_EQ((Ints{Mode(s.mode), s.playerY}), (Ints{Mode(GameMode::GameOver), 352}));
        inDialog = PlayFields(s);
        const std::size_t calls = recording::Calls().size();
        DispatchTick(s, s.tickTimer);
        afterTicks = PlayFields(s);
        EXPECT_EQ(recording::Calls().size(), calls) << "ticks during the dialog do nothing";
    };
    GameTick(state);
    EXPECT_EQ(inDialog, afterTicks);
    EXPECT_EQ(
        recording::Calls(),
        (Strings{"DrawFullFrame", "StopMusic", "PlayEffect 160", "PlayEffect 158",
                 "RunNameEntryDialog", "DrawDifficultyAndBest", "StopMusic",
                 "SwitchMenuToTitleState", "RedrawMenuBar", "CreateStartPanel", "DrawFullFrame"}));
    // The first frame shows the character at the bottom while still playing.
    EXPECT_EQ((Ints{Mode(Draws()[0].mode), Draws()[0].playerY}),
              (Ints{Mode(GameMode::Playing), 352}));
    EXPECT_EQ((Ints{Mode(state.mode), state.playerY, state.records[1][0].score,
                    state.records[1][0].jumps}),
              (Ints{Mode(GameMode::Title), 352, 10, 4}));
    EXPECT_EQ(NameText(state.records[1][0].name), "Ada");
}

TEST(GameOver, MusicStopsEvenWhenOffAndPartialRedrawDrawsPartialFrames) {
    GameState state = FallingOut();
    state.speedUp = 1;
    state.musicOn = 0;
    state.soundOn = 0;
    state.floorCount = state.shownFloor = 1; // no place in the table
    GameTick(state);
    EXPECT_EQ(recording::Calls(),
              (Strings{"DrawPartialFrame", "StopMusic", "DrawDifficultyAndBest", "StopMusic",
                       "SwitchMenuToTitleState", "RedrawMenuBar", "CreateStartPanel",
                       "DrawPartialFrame", "DrawPartialFrame"}));
}

TEST(GameOver, TheBottomRowIsThreeFiftyTwo) {
    for (const auto& [y, mode] :
         {std::pair{338, GameMode::Playing}, std::pair{340, GameMode::Title}}) {
        GameState state = PlayingOnGround();
        state.airborne = 1;
        state.verticalSpeed = -6;
        state.playerY = y;
        GameTick(state);
        EXPECT_EQ(state.mode, mode) << "from row " << y << " down by 12";
    }
}

TEST(DispatchTick, RunsTheTickOfTheModeAndOnlyForTheGameTimer) {
    struct Case {
        GameMode mode;
        std::uint32_t timer;
        std::int32_t xAfter, phaseAfter;
    };
    const Case cases[] = {{GameMode::Playing, 1, 44, 0}, {GameMode::Title, 1, 40, 1},
                          {GameMode::Paused, 1, 40, 0},  {GameMode::GameOver, 1, 40, 0},
                          {GameMode::Playing, 2, 40, 0}, {GameMode::Title, 0, 40, 0}};
    for (const Case& c : cases) {
        GameState state = PlayingOnGround();
        state.mode = c.mode;
        state.jumpHeld = 1;
        state.floors[3] = Slot(K::MovingLR, 112, 64, 0, 25);
        const auto before = PlayFields(state);
        DispatchTick(state, c.timer);
        EXPECT_EQ((Ints{state.playerX, state.scrollPhase}), (Ints{c.xAfter, c.phaseAfter}));
        const bool ticked = c.xAfter != 40 || c.phaseAfter != 0;
        EXPECT_EQ(PlayFields(state) != before, ticked) << "mode " << static_cast<int>(c.mode);
        EXPECT_EQ(recording::Calls().empty(), !ticked);
    }
}

TEST(AttractTick, ScrollsTheFieldByTwoWithoutCountingOrMovingTheCharacter) {
    GameState state = MakeTitleState(1);
    state.scrollPhase = 127;
    state.animFrame = 7;
    state.floorCount = 12;
    state.shownFloor = 3;
    state.playerX = 40;
    state.speedUp = 1;
    AttractTick(state);
    EXPECT_EQ((Ints{state.scrollPhase, state.animFrame, state.floorCount, state.shownFloor,
                    state.rollPhase, state.playerX, state.playerY, state.floors[5].y}),
              (Ints{0, 0, 12, 3, 0, 40, 352, 130}));
    EXPECT_EQ(recording::Calls(), (Strings{"DrawPartialFrame"}));
}

TEST(GameTick, WalksAnimatesMovesTheFloorsDrawsAndRollsTheCounter) {
    GameState state = PlayingOnGround();
    state.animFrame = 7;
    state.floorCount = 2;
    state.floors[3] = Slot(K::MovingLR, 112, 64, 0, 25);
    GameTick(state);
    EXPECT_EQ((Ints{state.playerX, state.animFrame, state.rollPhase, state.floors[3].phase}),
              (Ints{44, 0, 1, 24}));
    EXPECT_EQ(recording::Calls(), (Strings{"DrawFullFrame", "DrawFloorCounter"}));
    state.facing = -1;
    GameTick(state);
    EXPECT_EQ(state.playerX, 40);
}

TEST(RollFloorCounter, RollsOneFloorInNineDrawnStepsUntilCaughtUp) {
    GameState state = MakeTitleState(1);
    state.floorCount = 3;
    for (int i = 0; i < 20; ++i) {
        RollFloorCounter(state);
    }
    ASSERT_EQ(Draws().size(), 18u) << "nothing drawn once caught up";
    // Each step is drawn before the roll advances.
    EXPECT_EQ((Ints{Draws()[8].rollPhase, Draws()[8].shownFloor, Draws()[9].rollPhase,
                    Draws()[9].shownFloor}),
              (Ints{8, 1, 0, 2}));
    EXPECT_EQ((Ints{state.shownFloor, state.rollPhase}), (Ints{3, 0}));
}

// The feet (x + 20 .. x + 43) sweep the rows they passed in this tick, from
// y + 32 + 2 * speed down to y + 32; rising, they meet nothing. Slots are
// tried from 0 up; walls never.
TEST(ProbeLanding, FindsTheFirstSlotWhoseTopLineTheFeetMeet) {
    struct Case {
        std::int32_t x, y, speed;
        int slot;
    };
    const Case cases[] = {{40, 288, 0, groundSlot},  {40, 288, 1, -1},  {40, 289, 0, -1},
                          {40, 300, -8, groundSlot}, {40, 300, -5, -1}, {100, 68, 0, -1},
                          {101, 68, 0, 4},           {219, 68, 0, 4},   {220, 68, 0, -1},
                          {40, 168, 0, 7},           {0, -32, 0, -1}};
    GameState state = PlayingOnGround();
    state.floors[4] = Slot(K::Normal, 144, 100);
    state.floors[7] = state.floors[9] = Slot(K::Normal, 16, 200);
    for (const Case& c : cases) {
        state.playerX = c.x;
        state.playerY = c.y;
        state.verticalSpeed = c.speed;
        EXPECT_EQ(ProbeLanding(state), c.slot) << c.x << ", " << c.y << " at speed " << c.speed;
    }
}

TEST(ProbeLanding, InPartialRedrawMarksEverySlotUnderTheBody) {
    GameState state = PlayingOnGround(-4); // past the left wall, before the turn
    state.playerY = 180;
    state.floors[1] = Slot(K::Normal, 16, 212); // under the feet
    state.floors[5] = Slot(K::Normal, 16, 200); // behind the body
    state.floors[6] = Slot(K::Normal, 300, 200);
    EXPECT_EQ(ProbeLanding(state), 1);
    EXPECT_EQ(state.floors[5].dirty, 0) << "only in partial redraw";
    state.speedUp = 1;
    EXPECT_EQ(ProbeLanding(state), 1);
    Ints dirty;
    for (const FloorSlot& slot : state.floors) {
        dirty.push_back(slot.dirty);
    }
    EXPECT_EQ(dirty, (Ints{0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 2, 0}));
}

} // namespace
