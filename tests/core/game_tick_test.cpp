#include "core/floor_counter.h"
#include "core/game_tick.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace coretest;

// Holding runs the gauge 1..12 and around, a tone per step; letting go
// launches at the power last shown, which the gauge keeps showing until the
// landing. The launch tick does not move the character up yet.
TEST(Gauge, RunsWhileHeldAndLettingGoLaunchesAtThePowerShown) {
    RecordingPorts ports;
    for (std::int32_t shown : {0, 1}) {
        GameState state = PlayingOnGround(ports);
        state.showJumpCount = shown;
        state.jumpHeld = 1;
        Ints powers;
        for (int t = 0; t < 14; ++t) {
            GameTick(state);
            powers.push_back(state.jumpPower);
        }
        EXPECT_EQ(powers, (Ints{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}));
        EXPECT_EQ(ports.Effects(),
                  (Ints{143, 144, 145, 146, 147, 148, 149, 150, 151, 152, 153, 154, 143, 144}));
        EXPECT_EQ(ports.CallsStartingWith("DrawJumpGauge")[11], "DrawJumpGauge 12");
        EXPECT_EQ((Ints{state.charging, state.airborne, state.playerY}), (Ints{1, 0, 288}));
        ports.Clear();
        state.jumpHeld = 0;
        GameTick(state);
        EXPECT_EQ((Ints{state.airborne, state.verticalSpeed, state.jumpPower, state.charging,
                        state.jumpCount, state.playerY}),
                  (Ints{1, 2, 2, 0, 1, 288}));
        EXPECT_EQ(ports.calls, shown
                                   ? (Strings{"DrawJumpCount 1", "PlayEffect 141", "DrawFullFrame"})
                                   : (Strings{"PlayEffect 141", "DrawFullFrame"}));
    }
}

TEST(Landing, PutsTheFeetOnTheSlotsRowWithTheSoundOfItsKind) {
    RecordingPorts ports;
    struct Case {
        FloorKind kind;
        std::int32_t phase, velocity, y;
        int sound;
    };
    // Landing on a sliding floor leaves x alone; on an up-down floor at phase
    // -56 (this tick's) the feet are 5 rows up; a spring mid-rebound takes
    // the character at its rest row.
    const Case cases[] = {{K::Normal, 0, 0, 168, 142},        {K::ConveyorLeft, 0, 0, 168, 157},
                          {K::ConveyorRight, 0, 0, 168, 157}, {K::MovingLR, 100, 0, 168, 142},
                          {K::MovingUD, -57, 0, 163, 142},    {K::Spring, 0, 0, 168, 156},
                          {K::Spring, -6, 2, 168, 156}};
    for (const Case& c : cases) {
        GameState state = PlayingOnGround(ports);
        FallOntoSlotFive(state, Slot(c.kind, 100, 200, c.phase, c.velocity));
        state.jumpPower = 7;
        GameTick(state);
        EXPECT_EQ((Ints{state.airborne, state.standingFloor, state.playerX, state.playerY,
                        state.jumpPower, state.verticalSpeed}),
                  (Ints{0, 5, 100, c.y, 0, 0}))
            << static_cast<int>(c.kind) << " phase " << c.phase;
        EXPECT_EQ(ports.Effects(), (Ints{c.sound}));
        EXPECT_EQ(ports.CallsStartingWith("DrawJumpGauge"), (Strings{"DrawJumpGauge 0"}));
    }
}

// Rising, the feet pass a floor's line (row 208) without landing; at the top
// (speed 0) they rest exactly on another's (row 200), and the landing comes a
// tick later.
TEST(Landing, OnlyWhileFalling) {
    RecordingPorts ports;
    GameState state = PlayingOnGround(ports, 92);
    state.floors[5] = Slot(K::Normal, 100, 200);
    state.floors[6] = Slot(K::Normal, 100, 208);
    InTheAir(state, 180, 3);
    Ints trace; // playerY and airborne after each tick
    for (int t = 0; t < 5; ++t) {
        GameTick(state);
        trace.insert(trace.end(), {state.playerY, state.airborne});
    }
    EXPECT_EQ(trace, (Ints{174, 1, 170, 1, 168, 1, 168, 1, 168, 0}));
    EXPECT_EQ((Ints{state.standingFloor, state.verticalSpeed}), (Ints{5, 0}));
}

// Slot 5 covers x 100..195: walking from 172 the feet start at 196 and leave
// it, from 168 the last foot still stands on it.
TEST(WalkOff, FallsAtSpeedMinusOneUnlessTheSameTickLaunches) {
    RecordingPorts ports;
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
        GameState state = PlayingOnGround(ports);
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
        EXPECT_EQ(ports.Effects(), c.effects);
    }
}

// Walking off with the input held and letting go in the air: the landing
// empties the gauge but keeps the charge, so the next tick launches a jump of
// speed 0 (5 from a spring, which it sets rebounding at -12, after pressing it
// in that tick). Still holding, the gauge starts again from 1.
TEST(WalkOff, ChargingSurvivesALanding) {
    RecordingPorts ports;
    struct Case {
        FloorKind kind;
        std::int32_t held, airborne, speed, power;
        Ints effects;
    };
    const Case cases[] = {{K::Normal, 0, 1, 0, 0, {142, 141}},
                          {K::Spring, 0, 1, 5, 0, {156, 155}},
                          {K::Normal, 1, 0, 0, 1, {142, 143}}};
    for (const Case& c : cases) {
        GameState state = PlayingOnGround(ports);
        FallOntoSlotFive(state, Slot(c.kind, 100, 200));
        state.charging = 1;
        state.jumpPower = 9;
        state.jumpHeld = c.held;
        GameTick(state);
        GameTick(state);
        const std::int32_t spring = c.kind == K::Spring;
        EXPECT_EQ((Ints{state.airborne, state.verticalSpeed, state.jumpPower, state.jumpCount,
                        state.floors[5].phase, state.floors[5].velocity}),
                  (Ints{c.airborne, c.speed, c.power, c.airborne, 4 * spring, -12 * spring}))
            << static_cast<int>(c.kind) << " held " << c.held;
        EXPECT_EQ(ports.Effects(), c.effects);
    }
}

// High in the shaft and rising, the field comes down instead of the
// character going up; scrollPhase climbs by the speed, and a floor counts
// when it passes 64 and when it wraps at 128. Floors recycled in that tick
// are chosen for the count before it: from 49 floors on Normal (level 1) draw
// 56 gives a plain floor, where level 2 would give a sliding one.
TEST(Scroll, AtRowSixtyEightAndAboveTheFieldScrollsAndCountsFloors) {
    RecordingPorts ports;
    const std::int32_t cases[][7] = {
        {60, 60, 10, 60, 70, 1, 340}, {60, 120, 10, 60, 2, 1, 340}, {60, 63, 1, 60, 64, 1, 322},
        {60, 64, 1, 60, 65, 0, 322},  {60, 127, 1, 60, 0, 1, 322},  {60, 50, 14, 60, 64, 1, 348},
        {68, 0, 1, 68, 1, 0, 322},    {69, 0, 1, 67, 0, 0, 320},    {50, 0, 0, 50, 0, 0, 320}};
    for (const auto& [y, phase, speed, yAfter, phaseAfter, counted, groundY] : cases) {
        GameState state = PlayingOnGround(ports);
        InTheAir(state, y, speed);
        state.scrollPhase = phase;
        state.floorCount = 49;
        state.floors[3] = Slot(K::Normal, 112, 348);
        NextDrawIs(state.random, 56);
        GameTick(state);
        EXPECT_EQ((Ints{state.playerY, state.scrollPhase, state.floorCount - 49,
                        state.verticalSpeed, state.floors[groundSlot].y}),
                  (Ints{yAfter, phaseAfter, counted, speed - 1, groundY}))
            << "y " << y << " phase " << phase << " speed " << speed;
        EXPECT_EQ(state.floors[3].kind, K::Normal);
    }
}

// The frame shows where the walk (and a belt) took the character; the turn
// at the walls comes after it.
TEST(WallTurn, AtZeroAndThreeFiftyTwoAfterTheFrameIsDrawn) {
    RecordingPorts ports;
    const std::int32_t cases[][6] = {{348, 1, 0, 352, 352, -1}, {347, 1, 0, 351, 351, 1},
                                     {350, 1, 1, 356, 352, -1}, {2, -1, 0, -2, 0, 1},
                                     {4, -1, 0, 0, 0, 1},       {5, -1, 0, 1, 1, -1}};
    for (const auto& [x, facing, onBelt, drawnX, xAfter, facingAfter] : cases) {
        GameState state = PlayingOnGround(ports, x);
        state.facing = facing;
        if (onBelt != 0) {
            state.floors[0] = Slot(K::ConveyorRight, 300, 320);
            StandOn(state, 0);
        }
        GameTick(state);
        ASSERT_EQ(ports.draws.size(), 1u);
        EXPECT_EQ((Ints{ports.draws[0].playerX, state.playerX, state.facing}),
                  (Ints{drawnX, xAfter, facingAfter}))
            << "from x " << x;
    }
}

// Falling out at the bottom in this tick, from row 340 to 360.
GameState FallingOut(RecordingPorts& ports) {
    GameState state = PlayingOnGround(ports);
    InTheAir(state, 340, -10);
    state.floorCount = state.shownFloor = 10;
    state.jumpCount = 4;
    ports.keepPreset = false;
    ports.name = "Ada";
    return state;
}

TEST(GameOver, TheTickOfTheFallEndsTheGameAndOffersAPlace) {
    RecordingPorts ports;
    GameState state = FallingOut(ports);
    ports.onNameDialog = [&](GameState& s) {
        EXPECT_EQ(s.mode, GameMode::GameOver);
        EXPECT_EQ(s.playerY, 352);
        const auto before = PlayFields(s);
        const std::size_t calls = ports.calls.size();
        DispatchTick(s, s.tickTimer);
        EXPECT_EQ(PlayFields(s), before) << "ticks during the dialog do nothing";
        EXPECT_EQ(ports.calls.size(), calls);
    };
    GameTick(state);
    EXPECT_EQ(ports.calls, (Strings{"DrawFullFrame", "StopMusic", "PlayEffect 160",
                                    "PlayEffect 158", "RunNameEntryDialog", "DrawDifficultyAndBest",
                                    "StopMusic", "SwitchMenuToTitleState", "RedrawMenuBar",
                                    "CreateStartPanel", "DrawFullFrame"}));
    // The first frame shows the character at the bottom while still playing.
    EXPECT_EQ(ports.draws[0].mode, GameMode::Playing);
    EXPECT_EQ(ports.draws[0].playerY, 352);
    EXPECT_EQ(state.mode, GameMode::Title);
    EXPECT_EQ((Ints{state.playerY, state.records[1][0].score, state.records[1][0].jumps}),
              (Ints{352, 10, 4}));
    EXPECT_EQ(NameText(state.records[1][0].name), "Ada");
}

TEST(GameOver, AtRowThreeFiftyTwoMusicStopsEvenWhenOffAndFramesFollowTheRedrawMode) {
    RecordingPorts ports;
    GameState state = FallingOut(ports);
    InTheAir(state, 342, -5); // reaches exactly 352
    state.speedUp = 1;
    state.musicOn = 0;
    state.soundOn = 0;
    state.floorCount = state.shownFloor = 1; // no place in the table
    GameTick(state);
    EXPECT_EQ(ports.calls, (Strings{"DrawPartialFrame", "StopMusic", "DrawDifficultyAndBest",
                                    "StopMusic", "SwitchMenuToTitleState", "RedrawMenuBar",
                                    "CreateStartPanel", "DrawPartialFrame", "DrawPartialFrame"}));
}

// The game timer runs GameTick while playing (walk, animation, floors, the
// counter's roll) and AttractTick in the title (animation, floors, the field
// down by 2, the backdrop's phase wrapping at 128, but no counting or
// rolling); paused or over, and for any other timer, nothing changes.
TEST(DispatchTick, RunsTheTickOfTheModeAndOnlyForTheGameTimer) {
    RecordingPorts ports;
    struct Case {
        GameMode mode;
        std::uint32_t timer;
        std::int32_t x, scrollPhase, animFrame, rollPhase, groundY, floorPhase;
    };
    const Case cases[] = {{GameMode::Playing, 1, 44, 127, 0, 1, 320, 24},
                          {GameMode::Title, 1, 40, 0, 0, 0, 322, 24},
                          {GameMode::Paused, 1, 40, 127, 7, 0, 320, 0},
                          {GameMode::GameOver, 1, 40, 127, 7, 0, 320, 0},
                          {GameMode::Playing, 2, 40, 127, 7, 0, 320, 0},
                          {GameMode::Title, 0, 40, 127, 7, 0, 320, 0}};
    for (const Case& c : cases) {
        GameState state = PlayingOnGround(ports);
        state.mode = c.mode;
        state.jumpHeld = 1;
        state.scrollPhase = 127;
        state.animFrame = 7;
        state.floorCount = 2;
        state.floors[3] = Slot(K::MovingLR, 112, 64, 0, 25);
        const auto before = PlayFields(state);
        DispatchTick(state, c.timer);
        EXPECT_EQ((Ints{state.playerX, state.scrollPhase, state.animFrame, state.rollPhase,
                        state.floors[groundSlot].y, state.floors[3].phase, state.floorCount}),
                  (Ints{c.x, c.scrollPhase, c.animFrame, c.rollPhase, c.groundY, c.floorPhase, 2}))
            << "mode " << static_cast<int>(c.mode) << " timer " << c.timer;
        const bool ticked = c.animFrame == 0;
        EXPECT_EQ(PlayFields(state) != before, ticked);
        EXPECT_EQ(ports.calls.empty(), !ticked);
    }
}

TEST(RollFloorCounter, RollsOneFloorInNineDrawnStepsUntilCaughtUp) {
    RecordingPorts ports;
    GameState state = MakeTitleState(ports, 1);
    state.floorCount = 3;
    for (int i = 0; i < 20; ++i) {
        RollFloorCounter(state);
    }
    ASSERT_EQ(ports.draws.size(), 18u) << "nothing drawn once caught up";
    // Each step is drawn before the roll advances.
    EXPECT_EQ((Ints{ports.draws[8].rollPhase, ports.draws[8].shownFloor, ports.draws[9].rollPhase,
                    ports.draws[9].shownFloor}),
              (Ints{8, 1, 0, 2}));
    EXPECT_EQ((Ints{state.shownFloor, state.rollPhase}), (Ints{3, 0}));
}

// The feet (x + 20 .. x + 43) sweep the rows they passed in this tick, from
// y + 32 + 2 * speed down to y + 32; rising, they meet nothing. Slots are
// tried from 0 up, whichever is higher on screen; walls never.
TEST(ProbeLanding, FindsTheFirstSlotWhoseTopLineTheFeetMeet) {
    RecordingPorts ports;
    const std::int32_t cases[][4] = {{40, 288, 0, groundSlot},  {40, 288, 1, -1},  {40, 289, 0, -1},
                                     {40, 300, -8, groundSlot}, {40, 300, -5, -1}, {100, 68, 0, -1},
                                     {101, 68, 0, 4},           {219, 68, 0, 4},   {220, 68, 0, -1},
                                     {40, 178, -5, 7},          {40, 168, 0, 9},   {0, -32, 0, -1}};
    GameState state = PlayingOnGround(ports);
    state.floors[4] = Slot(K::Normal, 144, 100);
    state.floors[7] = Slot(K::Normal, 16, 210);
    state.floors[9] = Slot(K::Normal, 16, 200);
    for (const auto& [x, y, speed, slot] : cases) {
        state.playerX = x;
        state.playerY = y;
        state.verticalSpeed = speed;
        EXPECT_EQ(ProbeLanding(state), slot) << x << ", " << y << " at speed " << speed;
    }
}

TEST(ProbeLanding, InPartialRedrawMarksEverySlotUnderTheBody) {
    RecordingPorts ports;
    GameState state = PlayingOnGround(ports, -4); // past the left wall, before the turn
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
