#include "core/game_tick.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using coretest::Slot;
using Strings = std::vector<std::string>;
using Ints = std::vector<int>;

class Tick : public ::testing::Test {
  protected:
    void Run(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            GameTick(state);
        }
    }
    // Charges the gauge for `ticks` standing ticks, then lets go (the launch tick).
    void ChargeAndJump(int ticks) {
        state.jumpHeld = 1;
        Run(ticks);
        state.jumpHeld = 0;
        Run(1);
    }
    // Falling onto slot 5 at row 200, under feet at x 120..143 after this
    // tick's walk: the feet sweep rows 196..202.
    void FallOntoSlotFive(FloorSlot slot) {
        state.floors[5] = slot;
        state.airborne = 1;
        state.verticalSpeed = -3;
        state.playerX = 96;
        state.playerY = 164;
    }
    GameState state = coretest::PlayingOnGround(40);
};

// ------------------------------------------------------------------ gauge

TEST_F(Tick, GaugeStepsOnePerTickAndWrapsAfterTwelve) {
    state.jumpHeld = 1;
    Ints powers;
    for (int t = 0; t < 14; ++t) {
        GameTick(state);
        powers.push_back(state.jumpPower);
        EXPECT_EQ(state.charging, 1);
        EXPECT_EQ(state.airborne, 0);
        EXPECT_EQ(state.playerY, 288);
    }
    EXPECT_EQ(powers, (Ints{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}));
    EXPECT_EQ(recording::Effects(),
              (Ints{143, 144, 145, 146, 147, 148, 149, 150, 151, 152, 153, 154, 143, 144}));
    const Strings gauges = recording::CallsStartingWith("DrawJumpGauge");
    ASSERT_EQ(gauges.size(), 14u);
    EXPECT_EQ(gauges[11], "DrawJumpGauge 12");
    EXPECT_EQ(gauges[12], "DrawJumpGauge 1");
}

TEST_F(Tick, LettingGoLaunchesAtThePowerShown) {
    state.showJumpCount = 1;
    state.jumpHeld = 1;
    Run(14);
    recording::Clear();
    state.jumpHeld = 0;
    GameTick(state);
    EXPECT_EQ(state.airborne, 1);
    EXPECT_EQ(state.verticalSpeed, 2);
    EXPECT_EQ(state.jumpPower, 2) << "the gauge shows the power until the landing";
    EXPECT_EQ(state.charging, 0);
    EXPECT_EQ(state.jumpCount, 1);
    EXPECT_EQ(state.playerY, 288) << "the launch tick does not move the character up";
    EXPECT_EQ(recording::Effects(), (Ints{141}));
    EXPECT_EQ(recording::CallsStartingWith("DrawJumpCount"), (Strings{"DrawJumpCount 1"}));
    EXPECT_TRUE(recording::CallsStartingWith("DrawJumpGauge").empty());
}

TEST_F(Tick, NoJumpCounterDrawnWhenItIsHidden) {
    ChargeAndJump(3);
    EXPECT_EQ(state.jumpCount, 1);
    EXPECT_TRUE(recording::CallsStartingWith("DrawJumpCount").empty());
}

TEST_F(Tick, ReleasingWithoutChargingDoesNothing) {
    Run(3);
    EXPECT_EQ(state.airborne, 0);
    EXPECT_EQ(state.jumpCount, 0);
    EXPECT_TRUE(recording::Effects().empty());
}

TEST_F(Tick, SoundOffSilencesTheGaugeAndTheJump) {
    state.soundOn = 0;
    ChargeAndJump(4);
    EXPECT_EQ(state.verticalSpeed, 4);
    EXPECT_TRUE(recording::Effects().empty());
}

// ------------------------------------------------------------------ jumps

TEST_F(Tick, JumpOfPowerPRisesPTimesPPlusOneAndLandsAfterTwoPPlusOneTicks) {
    for (std::int32_t p = 1; p <= 12; ++p) {
        state = coretest::PlayingOnGround(40);
        ChargeAndJump(p);
        ASSERT_EQ(state.verticalSpeed, p);
        Ints heights;
        int ticks = 0;
        while (state.airborne == 1 && ticks < 100) {
            GameTick(state);
            ++ticks;
            heights.push_back(288 - state.playerY);
        }
        EXPECT_EQ(heights[static_cast<std::size_t>(p) - 1], p * (p + 1)) << "power " << p;
        EXPECT_EQ(*std::max_element(heights.begin(), heights.end()), p * (p + 1));
        EXPECT_EQ(heights[static_cast<std::size_t>(p)], p * (p + 1)) << "the top tick moves 0";
        EXPECT_EQ(ticks, 2 * p + 1) << "power " << p;
        EXPECT_EQ(state.playerY, 288);
        EXPECT_EQ(state.standingFloor, groundSlot);
        EXPECT_EQ(state.jumpPower, 0);
        EXPECT_EQ(state.verticalSpeed, 0);
        EXPECT_EQ(recording::Effects().back(), 142);
        EXPECT_EQ(recording::CallsStartingWith("DrawJumpGauge").back(), "DrawJumpGauge 0");
    }
}

TEST_F(Tick, SpringIsPressedOnLandingAndAddsFiveToTheJump) {
    state.playerX = 96;
    FallOntoSlotFive(Slot(FloorKind::Spring, 100, 200));
    Run(1);
    EXPECT_EQ(state.airborne, 0);
    EXPECT_EQ(state.playerY, 168) << "landed at the spring's rest row";
    EXPECT_EQ(state.standingFloor, 5);
    state.jumpHeld = 1;
    Run(1);
    EXPECT_EQ(state.floors[5].phase, 4) << "pressed in the tick after the landing";
    EXPECT_EQ(state.playerY, 172);
    EXPECT_EQ(state.airborne, 0);
    Run(2);
    state.jumpHeld = 0;
    Run(1);
    EXPECT_EQ(state.verticalSpeed, 3 + 5);
    EXPECT_EQ(state.jumpPower, 3);
    EXPECT_EQ(state.floors[5].velocity, -12);
    EXPECT_EQ(state.jumpCount, 1);
    EXPECT_EQ(recording::Effects(), (Ints{156, 143, 144, 145, 155}));
    Ints rebound;
    for (int t = 0; t < 5; ++t) {
        Run(1);
        rebound.push_back(state.floors[5].phase);
    }
    EXPECT_EQ(rebound, (Ints{-8, -6, -4, -2, 0}));
    Run(1);
    EXPECT_EQ(state.floors[5].velocity, 0);
    EXPECT_EQ(state.playerY, 172 - 2 * (8 + 7 + 6 + 5 + 4 + 3));
}

struct LandingCase {
    FloorKind kind;
    int sound;
};

TEST_F(Tick, LandingSoundByKind) {
    const LandingCase cases[] = {
        {FloorKind::Normal, 142},   {FloorKind::ConveyorLeft, 157}, {FloorKind::ConveyorRight, 157},
        {FloorKind::MovingLR, 142}, {FloorKind::MovingUD, 142},     {FloorKind::Spring, 156},
    };
    for (const LandingCase& c : cases) {
        state = coretest::PlayingOnGround(40);
        FallOntoSlotFive(Slot(c.kind, 100, 200));
        Run(1);
        EXPECT_EQ(state.airborne, 0) << static_cast<int>(c.kind);
        EXPECT_EQ(state.standingFloor, 5);
        EXPECT_EQ(recording::Effects(), (Ints{c.sound})) << static_cast<int>(c.kind);
        EXPECT_EQ(recording::CallsStartingWith("DrawJumpGauge"), (Strings{"DrawJumpGauge 0"}));
    }
    state = coretest::PlayingOnGround(40);
    state.airborne = 1;
    state.verticalSpeed = -3;
    state.playerY = 284;
    Run(1);
    EXPECT_EQ(state.standingFloor, groundSlot);
    EXPECT_EQ(state.playerY, 288);
    EXPECT_EQ(recording::Effects(), (Ints{142}));
}

TEST_F(Tick, LandingWithSoundOffIsSilent) {
    state.soundOn = 0;
    FallOntoSlotFive(Slot(FloorKind::Spring, 100, 200));
    Run(1);
    EXPECT_EQ(state.airborne, 0);
    EXPECT_TRUE(recording::Effects().empty());
}

TEST_F(Tick, LandingOnAnUpDownFloorPutsTheFeetOnItsDisplacedLine) {
    // Phase -57 moves to -56 in this tick: -5 whole pixels, truncated toward zero.
    FallOntoSlotFive(Slot(FloorKind::MovingUD, 100, 200, -57, 0));
    Run(1);
    ASSERT_EQ(state.airborne, 0);
    EXPECT_EQ(state.playerY, 200 - 32 - 5);
    // Phase 47 moves to 46: +4.
    state = coretest::PlayingOnGround(40);
    FallOntoSlotFive(Slot(FloorKind::MovingUD, 100, 200, 47, 0));
    state.verticalSpeed = -5;
    state.playerY = 164;
    Run(1);
    ASSERT_EQ(state.airborne, 0);
    EXPECT_EQ(state.playerY, 200 - 32 + 4);
}

TEST_F(Tick, LandingOnASlidingFloorLeavesXAlone) {
    FallOntoSlotFive(Slot(FloorKind::MovingLR, 100, 200, 100, 0));
    Run(1);
    ASSERT_EQ(state.airborne, 0);
    EXPECT_EQ(state.playerX, 100);
    EXPECT_EQ(state.playerY, 168);
}

TEST_F(Tick, LandingOnASpringMidReboundUsesItsRestRow) {
    // Phase -6 becomes -4 in this tick: the top line is at row 196, but the
    // character is put on row 200.
    FallOntoSlotFive(Slot(FloorKind::Spring, 100, 200, -6, 2));
    Run(1);
    ASSERT_EQ(state.airborne, 0);
    EXPECT_EQ(state.floors[5].phase, -4);
    EXPECT_EQ(state.playerY, 168);
    EXPECT_EQ(recording::Effects(), (Ints{156}));
}

TEST_F(Tick, ARisingCharacterPassesUpThroughFloors) {
    state.floors[10] = Slot(FloorKind::Normal, 16, 270);
    ChargeAndJump(12);
    Run(3);
    EXPECT_EQ(state.airborne, 1);
    EXPECT_LT(state.playerY + 32, 270);
}

TEST_F(Tick, AtTheTopOfAJumpTheLandingComesATickLater) {
    state.floors[5] = Slot(FloorKind::Normal, 100, 200);
    state.airborne = 1;
    state.verticalSpeed = 1;
    state.playerX = 96;
    state.playerY = 170;
    Run(1);
    EXPECT_EQ(state.playerY, 168);
    EXPECT_EQ(state.verticalSpeed, 0);
    Run(1); // feet exactly on the line, but not falling
    EXPECT_EQ(state.airborne, 1);
    EXPECT_EQ(state.playerY, 168);
    EXPECT_EQ(state.verticalSpeed, -1);
    EXPECT_TRUE(recording::Effects().empty());
    Run(1);
    EXPECT_EQ(state.airborne, 0);
    EXPECT_EQ(state.playerY, 168);
    EXPECT_EQ(state.standingFloor, 5);
    EXPECT_EQ(recording::Effects(), (Ints{142}));
}

TEST_F(Tick, AFastFallMeetingTwoFloorsLandsOnTheLowerNumberedSlot) {
    state.floors[2] = Slot(FloorKind::ConveyorLeft, 100, 230);
    state.floors[6] = Slot(FloorKind::Normal, 100, 210);
    state.airborne = 1;
    state.verticalSpeed = -10;
    state.playerX = 96;
    state.playerY = 178; // the feet sweep rows 210..230
    Run(1);
    EXPECT_EQ(state.airborne, 0);
    EXPECT_EQ(state.standingFloor, 2);
    EXPECT_EQ(state.playerY, 198);
    EXPECT_EQ(recording::Effects(), (Ints{157}));
}

// --------------------------------------------------------------- walking off

class WalkOff : public Tick {
  protected:
    void SetUp() override {
        // Slot 5 covers x 100..195; after this tick's walk the feet are at 196.
        state.floors[5] = Slot(FloorKind::Normal, 100, 200);
        coretest::StandOn(state, 5);
        state.playerX = 172;
    }
};

TEST_F(WalkOff, TheLastFootOnTheFloorStillStands) {
    state.playerX = 168;
    Run(1);
    EXPECT_EQ(state.airborne, 0);
}

TEST_F(WalkOff, StartsAFallAtSpeedMinusOne) {
    Run(1);
    EXPECT_EQ(state.airborne, 1);
    EXPECT_EQ(state.verticalSpeed, -1);
    EXPECT_EQ(state.playerY, 168);
    EXPECT_EQ(state.jumpCount, 0);
    EXPECT_TRUE(recording::Effects().empty());
    Run(1);
    EXPECT_EQ(state.playerY, 170);
    EXPECT_EQ(state.verticalSpeed, -2);
}

TEST_F(WalkOff, LeavingASpringLetsItUp) {
    state.floors[5] = Slot(FloorKind::Spring, 100, 200, 4, 0);
    coretest::StandOn(state, 5);
    state.playerX = 172;
    Run(1);
    EXPECT_EQ(state.airborne, 1);
    EXPECT_EQ(state.floors[5].phase, 0);
    EXPECT_EQ(state.floors[5].dirty, 1);
}

TEST_F(WalkOff, LettingGoInTheSameTickStillLaunchesAFullJump) {
    state.charging = 1;
    state.jumpPower = 7;
    Run(1);
    EXPECT_EQ(state.airborne, 1);
    EXPECT_EQ(state.verticalSpeed, 7);
    EXPECT_EQ(state.jumpCount, 1);
    EXPECT_EQ(state.charging, 0);
    EXPECT_EQ(recording::Effects(), (Ints{141}));
}

TEST_F(WalkOff, ChargingSurvivesTheLandingAndLaunchesASpeedZeroJump) {
    // Slot 5 covers x 16..111; the character walks off it holding the input.
    state.floors[5] = Slot(FloorKind::Normal, 16, 200);
    state.playerX = 88;
    state.jumpHeld = 1;
    Run(1);
    EXPECT_EQ(state.airborne, 1);
    EXPECT_EQ(state.jumpPower, 1) << "the walk-off tick still steps the gauge";
    EXPECT_EQ(state.charging, 1);
    Run(3);
    EXPECT_EQ(state.jumpPower, 1) << "the gauge does not run in the air";
    state.jumpHeld = 0;
    Run(7);
    EXPECT_EQ(state.airborne, 1);
    Run(1); // the eleventh tick in the air reaches the ground
    EXPECT_EQ(state.airborne, 0);
    EXPECT_EQ(state.standingFloor, groundSlot);
    EXPECT_EQ(state.jumpPower, 0);
    EXPECT_EQ(state.charging, 1);
    EXPECT_EQ(recording::Effects(), (Ints{143, 142}));
    Run(1);
    EXPECT_EQ(state.airborne, 1);
    EXPECT_EQ(state.verticalSpeed, 0);
    EXPECT_EQ(state.jumpCount, 1);
    EXPECT_EQ(state.charging, 0);
    EXPECT_EQ(recording::Effects().back(), 141);
    Run(1);
    EXPECT_EQ(state.airborne, 1);
    Run(1);
    EXPECT_EQ(state.airborne, 0);
    EXPECT_EQ(state.playerY, 288);
    EXPECT_EQ(recording::Effects(), (Ints{143, 142, 141, 142}));
}

TEST_F(Tick, ChargingSurvivingALandingOnASpringGivesSpeedFive) {
    FallOntoSlotFive(Slot(FloorKind::Spring, 100, 200));
    state.charging = 1;
    state.jumpPower = 9;
    Run(1);
    EXPECT_EQ(state.jumpPower, 0);
    Run(1);
    EXPECT_EQ(state.verticalSpeed, 5);
    EXPECT_EQ(recording::Effects(), (Ints{156, 155}));
}

TEST_F(Tick, HoldingThroughALandingRestartsTheGaugeFromOne) {
    FallOntoSlotFive(Slot(FloorKind::Normal, 100, 200));
    state.charging = 1;
    state.jumpPower = 9;
    state.jumpHeld = 1;
    Run(1);
    EXPECT_EQ(state.jumpPower, 0);
    Run(1);
    EXPECT_EQ(state.jumpPower, 1);
    EXPECT_EQ(recording::Effects(), (Ints{142, 143}));
}

// ---------------------------------------------------------- scroll and count

class Scroll : public Tick {
  protected:
    void SetUp() override {
        state.airborne = 1;
        state.playerY = 60;
    }
    void RiseOnce(std::int32_t phase, std::int32_t speed) {
        state.scrollPhase = phase;
        state.verticalSpeed = speed;
        state.floorCount = 5;
        Run(1);
    }
};

TEST_F(Scroll, HighAndRisingTheFieldComesDownInstead) {
    RiseOnce(60, 10);
    EXPECT_EQ(state.playerY, 60);
    EXPECT_EQ(state.verticalSpeed, 9);
    EXPECT_EQ(state.scrollPhase, 70);
    EXPECT_EQ(state.floorCount, 6);
    EXPECT_EQ(state.floors[11].y, 340);
    EXPECT_EQ(state.floors[0].y, -4000 + 20);
    EXPECT_EQ(state.floors[12].y, -12);
}

TEST_F(Scroll, FloorsCountedAtSixtyFourAndAtTheWrap) {
    RiseOnce(120, 10);
    EXPECT_EQ(state.scrollPhase, 2);
    EXPECT_EQ(state.floorCount, 6);
    RiseOnce(63, 1);
    EXPECT_EQ(state.floorCount, 6);
    RiseOnce(64, 1);
    EXPECT_EQ(state.floorCount, 5);
    RiseOnce(127, 1);
    EXPECT_EQ(state.scrollPhase, 0);
    EXPECT_EQ(state.floorCount, 6);
    RiseOnce(50, 17);
    EXPECT_EQ(state.scrollPhase, 67);
    EXPECT_EQ(state.floorCount, 6);
}

TEST_F(Scroll, OneFloorPerSixtyFourSteps) {
    state.scrollPhase = 0;
    state.verticalSpeed = 16;
    const std::int32_t count = state.floorCount;
    Run(16); // 16 + 15 + ... + 1 = 136 steps
    EXPECT_EQ(state.playerY, 60);
    EXPECT_EQ(state.verticalSpeed, 0);
    EXPECT_EQ(state.scrollPhase, 8);
    EXPECT_EQ(state.floorCount, count + 2);
}

TEST_F(Scroll, TheScrollLineIsRowSixtyEight) {
    state.playerY = 68;
    state.verticalSpeed = 1;
    Run(1);
    EXPECT_EQ(state.playerY, 68);
    EXPECT_EQ(state.scrollPhase, 1);
    state.playerY = 69;
    state.verticalSpeed = 1;
    Run(1);
    EXPECT_EQ(state.playerY, 67);
    EXPECT_EQ(state.scrollPhase, 1);
    state.playerY = 50;
    state.verticalSpeed = 0;
    Run(1);
    EXPECT_EQ(state.playerY, 50);
    EXPECT_EQ(state.scrollPhase, 1);
}

TEST_F(Scroll, FloorsRecycledInATickUseTheCountBeforeIt) {
    // 49 floors on Normal is level 1; the 50th, counted in this tick, would
    // make it level 2. Draw 56 is Normal at level 1 (56 mod 24 = 8) but
    // MovingLR at level 2 (56 mod 18 = 2).
    state.floorCount = 49;
    state.scrollPhase = 60;
    state.verticalSpeed = 4;
    state.floors[3] = Slot(FloorKind::Normal, 112, 348);
    coretest::NextDrawIs(56);
    Run(1);
    EXPECT_EQ(state.floorCount, 50);
    EXPECT_EQ(state.floors[3].y, -28);
    EXPECT_EQ(state.floors[3].kind, FloorKind::Normal);
}

// --------------------------------------------------------------- wall turn

TEST_F(Tick, TurnsAtTheRightWallAfterTheFrameIsDrawn) {
    state.speedUp = 1;
    state.floors[5] = Slot(FloorKind::ConveyorRight, 300, 200);
    coretest::StandOn(state, 5);
    state.playerX = 350;
    Run(1);
    // The body box at 356 reached into the right wall when the probe ran.
    EXPECT_EQ(state.floors[13].dirty, 2);
    EXPECT_EQ(state.playerX, 352);
    EXPECT_EQ(state.facing, -1);
    EXPECT_EQ(state.airborne, 0);
}

TEST_F(Tick, TurnsAtBothWallsOnTheBoundary) {
    state.playerX = 348;
    Run(1);
    EXPECT_EQ(state.playerX, 352);
    EXPECT_EQ(state.facing, -1);
    Run(1);
    EXPECT_EQ(state.playerX, 348);
    EXPECT_EQ(state.facing, -1);
    state.playerX = 2;
    Run(1);
    EXPECT_EQ(state.playerX, 0);
    EXPECT_EQ(state.facing, 1);
    Run(1);
    EXPECT_EQ(state.playerX, 4);
    state.facing = -1;
    Run(1); // exactly 0 counts as the left wall
    EXPECT_EQ(state.playerX, 0);
    EXPECT_EQ(state.facing, 1);
}

// --------------------------------------------------------------- game over

class GameOver : public Tick {
  protected:
    void SetUp() override {
        state.airborne = 1;
        state.verticalSpeed = -2;
        state.playerY = 348;
        state.floorCount = 10;
        state.shownFloor = 9;
        state.jumpCount = 4;
        recording::Answers().keepPreset = false;
        recording::Answers().name = "Ada";
    }
};

TEST_F(GameOver, EndsInTheTickOfTheFallInThisOrder) {
    GameMode modeInDialog = GameMode::Playing;
    std::int32_t yInDialog = 0;
    recording::OnNameDialog() = [&](GameState& s) {
        modeInDialog = s.mode;
        yInDialog = s.playerY;
    };
    Run(1);
    EXPECT_EQ(recording::Calls(),
              (Strings{"DrawFullFrame", "StopMusic", "PlayEffect 160", "PlayEffect 158",
                       "RunNameEntryDialog", "DrawDifficultyAndBest", "StopMusic",
                       "SwitchMenuToTitleState", "RedrawMenuBar", "CreateStartPanel",
                       "DrawFullFrame", "DrawFloorCounter"}));
    EXPECT_EQ(modeInDialog, GameMode::GameOver);
    EXPECT_EQ(yInDialog, 352);
    EXPECT_EQ(state.mode, GameMode::Title);
    EXPECT_EQ(state.playerY, 352);
    EXPECT_EQ(state.floorCount, 10);
    EXPECT_EQ(state.jumpCount, 4);
    const RecordEntry& best = state.records[1][0];
    EXPECT_EQ(NameText(best.name), "Ada");
    EXPECT_EQ(best.score, 10);
    EXPECT_EQ(best.jumps, 4);
}

TEST_F(GameOver, TicksDuringTheNameDialogDoNothing) {
    std::vector<std::int64_t> before;
    std::vector<std::int64_t> after;
    std::size_t callsBefore = 0;
    std::size_t callsAfter = 0;
    recording::OnNameDialog() = [&](GameState& s) {
        before = coretest::PlayFields(s);
        callsBefore = recording::Calls().size();
        DispatchTick(s, s.tickTimer);
        DispatchTick(s, s.tickTimer);
        after = coretest::PlayFields(s);
        callsAfter = recording::Calls().size();
    };
    Run(1);
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(before, after);
    EXPECT_EQ(callsBefore, callsAfter);
}

TEST_F(GameOver, PartialRedrawModeDrawsPartialFrames) {
    state.speedUp = 1;
    state.shownFloor = 10;
    Run(1);
    EXPECT_EQ(recording::Calls(),
              (Strings{"DrawPartialFrame", "StopMusic", "PlayEffect 160", "PlayEffect 158",
                       "RunNameEntryDialog", "DrawDifficultyAndBest", "StopMusic",
                       "SwitchMenuToTitleState", "RedrawMenuBar", "CreateStartPanel",
                       "DrawPartialFrame", "DrawPartialFrame"}));
}

TEST_F(GameOver, MusicIsStoppedEvenWhenOffAndSoundOffIsSilent) {
    state.musicOn = 0;
    state.soundOn = 0;
    state.floorCount = 1; // not good enough for the table
    state.shownFloor = 1;
    Run(1);
    EXPECT_EQ(recording::Calls(), (Strings{"DrawFullFrame", "StopMusic", "DrawDifficultyAndBest",
                                           "StopMusic", "SwitchMenuToTitleState", "RedrawMenuBar",
                                           "CreateStartPanel", "DrawFullFrame"}));
    EXPECT_EQ(state.mode, GameMode::Title);
}

TEST_F(GameOver, ALostPracticeGameOffersNothingAndPutsTheSettingsBack) {
    state.practiceDifficulty = 3;
    state.practiceFloorFlags = 5;
    state.difficulty = 2;
    state.floorFlags = 0;
    state.floorCount = 500;
    const RecordBook records = state.records;
    Run(1);
    EXPECT_TRUE(recording::CallsStartingWith("RunNameEntryDialog").empty());
    EXPECT_TRUE(recording::CallsStartingWith("PlayEffect 158").empty());
    EXPECT_EQ(recording::CallsStartingWith("UpdateMenuChecks").size(), 1u);
    for (int d = 0; d < 3; ++d) {
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(state.records[d][i].score, records[d][i].score);
        }
    }
    EXPECT_EQ(state.difficulty, 3);
    EXPECT_EQ(state.floorFlags, 5);
    EXPECT_EQ(state.practiceDifficulty, 0);
    EXPECT_EQ(state.practiceFloorFlags, 0);
}

TEST_F(GameOver, TheBottomRowIsThreeFiftyTwo) {
    state.playerY = 338;
    state.verticalSpeed = -6;
    Run(1);
    EXPECT_EQ(state.playerY, 350);
    EXPECT_EQ(state.mode, GameMode::Playing);
    state.playerY = 340;
    state.verticalSpeed = -6;
    Run(1);
    EXPECT_EQ(state.mode, GameMode::Title);
    EXPECT_EQ(state.playerY, 352);
}

// ----------------------------------------------------------- DispatchTick

TEST(DispatchTick, RunsTheTickTheModeCallsFor) {
    GameState state = coretest::PlayingOnGround(40);
    DispatchTick(state, 1);
    EXPECT_EQ(state.animFrame, 1);
    EXPECT_EQ(state.playerX, 44);

    state = MakeTitleState(1);
    DispatchTick(state, 1);
    EXPECT_EQ(state.scrollPhase, 1);
    EXPECT_EQ(state.floors[11].y, 322);
    EXPECT_EQ(recording::Calls(), (Strings{"DrawFullFrame"}));
}

TEST(DispatchTick, PausedAndGameOverChangeNothing) {
    for (GameMode mode : {GameMode::Paused, GameMode::GameOver}) {
        GameState state = coretest::PlayingOnGround(40);
        state.mode = mode;
        state.jumpHeld = 1;
        state.floors[3] = Slot(FloorKind::MovingLR, 112, 64, 0, 25);
        const auto before = coretest::PlayFields(state);
        for (int i = 0; i < 5; ++i) {
            DispatchTick(state, 1);
        }
        EXPECT_EQ(coretest::PlayFields(state), before);
        EXPECT_TRUE(recording::Calls().empty());
    }
}

TEST(DispatchTick, OtherTimersAreIgnored) {
    for (GameMode mode : {GameMode::Playing, GameMode::Title}) {
        GameState state = coretest::PlayingOnGround(40);
        state.mode = mode;
        const auto before = coretest::PlayFields(state);
        DispatchTick(state, 2);
        DispatchTick(state, 0);
        EXPECT_EQ(coretest::PlayFields(state), before);
        EXPECT_TRUE(recording::Calls().empty());
    }
}

// ------------------------------------------------------------ AttractTick

TEST(AttractTick, ScrollsTheFieldWithoutCountingOrMovingTheCharacter) {
    GameState state = MakeTitleState(1);
    state.scrollPhase = 127;
    state.animFrame = 7;
    state.floorCount = 12;
    state.shownFloor = 3;
    state.playerX = 40;
    state.speedUp = 1;
    AttractTick(state);
    EXPECT_EQ(state.scrollPhase, 0);
    EXPECT_EQ(state.animFrame, 0);
    EXPECT_EQ(state.floorCount, 12);
    EXPECT_EQ(state.shownFloor, 3);
    EXPECT_EQ(state.playerX, 40);
    EXPECT_EQ(state.playerY, 352);
    EXPECT_EQ(state.floors[5].y, 130);
    EXPECT_EQ(recording::Calls(), (Strings{"DrawPartialFrame"}));
}

// -------------------------------------------------------- a plain tick

TEST_F(Tick, APlainTickWalksAnimatesDrawsAndRollsTheCounter) {
    state.animFrame = 7;
    state.shownFloor = 1;
    state.floorCount = 2;
    Run(1);
    EXPECT_EQ(state.playerX, 44);
    EXPECT_EQ(state.animFrame, 0);
    EXPECT_EQ(state.rollPhase, 1);
    EXPECT_EQ(recording::Calls(), (Strings{"DrawFullFrame", "DrawFloorCounter"}));
    state.facing = -1;
    Run(1);
    EXPECT_EQ(state.playerX, 40);
}

// ---------------------------------------------------------- ProbeLanding

TEST_F(Tick, ProbeFindsNothingWhileRising) {
    state.verticalSpeed = 1;
    EXPECT_EQ(ProbeLanding(state), -1);
    state.verticalSpeed = 0;
    EXPECT_EQ(ProbeLanding(state), groundSlot);
}

TEST_F(Tick, ProbeTakesTheFirstSlotAndNeverTheWalls) {
    state.floors[7] = Slot(FloorKind::Normal, 16, 320);
    state.floors[9] = Slot(FloorKind::Normal, 16, 320);
    EXPECT_EQ(ProbeLanding(state), 7);
    // Feet on row 0 at x 20..43, where a wall's line would be if it were tested.
    state.playerX = 0;
    state.playerY = -32;
    EXPECT_EQ(ProbeLanding(state), -1);
    // The feet span 24 pixels: x + 20 .. x + 43.
    state.floors[4] = Slot(FloorKind::Normal, 144, 100);
    state.playerY = 68;
    state.playerX = 100;
    EXPECT_EQ(ProbeLanding(state), -1);
    state.playerX = 101;
    EXPECT_EQ(ProbeLanding(state), 4);
    state.playerX = 144 + 95 - 20;
    EXPECT_EQ(ProbeLanding(state), 4);
    state.playerX = 144 + 96 - 20;
    EXPECT_EQ(ProbeLanding(state), -1);
}

TEST_F(Tick, ProbeMarksTheSlotsUnderTheBodyOnlyInPartialRedraw) {
    state.floors[1] = Slot(FloorKind::Normal, 100, 212); // under the feet
    state.floors[5] = Slot(FloorKind::Normal, 100, 200); // behind the body
    state.floors[6] = Slot(FloorKind::Normal, 300, 200); // elsewhere
    state.playerX = 80;
    state.playerY = 180;
    EXPECT_EQ(ProbeLanding(state), 1);
    EXPECT_EQ(state.floors[5].dirty, 0);
    state.speedUp = 1;
    EXPECT_EQ(ProbeLanding(state), 1);
    EXPECT_EQ(state.floors[1].dirty, 0);
    EXPECT_EQ(state.floors[5].dirty, 2);
    EXPECT_EQ(state.floors[6].dirty, 0);
    EXPECT_EQ(state.floors[11].dirty, 0);
    EXPECT_EQ(state.floors[12].dirty, 0);
    // A body poking past the left edge, before the wall turn, marks the wall.
    state.playerX = -4;
    ProbeLanding(state);
    EXPECT_EQ(state.floors[12].dirty, 2);
}

} // namespace
