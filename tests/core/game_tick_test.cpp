#include "core/game_tick.h"
#include "tests/core/core_test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace {

using namespace coretest;
using Strings = std::vector<std::string>;

// Holding runs the gauge 1..12 and around, a tone per step; letting go
// launches at the power last shown, which the gauge keeps showing until the
// landing. The launch tick does not move the character up yet.
TEST(Gauge, RunsWhileHeldAndLettingGoLaunchesAtThePowerShown) {
    for (std::int32_t shown : {0, 1}) {
        Playing state;
        state.showJumpCount = shown;
        state.jumpHeld = 1;
        Ints powers;
        for (int t = 0; t < 14; ++t) {
            GameTick(state);
            powers.push_back(state.jumpPower);
        }
        EXPECT_EQ(powers, (Ints{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}));
        EXPECT_EQ(state.rec.Effects(),
                  (Ints{143, 144, 145, 146, 147, 148, 149, 150, 151, 152, 153, 154, 143, 144}));
        EXPECT_EQ(state.rec.CallsStartingWith("DrawJumpGauge").at(11), "DrawJumpGauge 12");
        EXPECT_FIELDS(state, "charging", 1, "airborne", 0, "playerY", 288);
        state.rec.Clear();
        state.jumpHeld = 0;
        GameTick(state);
        EXPECT_FIELDS(state, "airborne", 1, "verticalSpeed", 2, "jumpPower", 2, "charging", 0,
                      "jumpCount", 1, "playerY", 288);
        EXPECT_EQ(state.rec.Effects(), Ints{141});
        EXPECT_EQ(state.rec.CallsStartingWith("DrawJumpCount"),
                  shown ? Strings{"DrawJumpCount 1"} : Strings{});
    }
}

// Rising, the feet pass a floor's line (row 208) without landing; at the top
// (speed 0) they rest exactly on another's (row 200), and the landing comes a
// tick later.
TEST(Landing, OnlyWhileFalling) {
    Playing state(92);
    state.floors[5] = Slot(K::Normal, 100, 200);
    state.floors[6] = Slot(K::Normal, 100, 208);
    InTheAir(state, 180, 3);
    Ints ys, airborne;
    for (int t = 0; t < 5; ++t) {
        GameTick(state);
        ys.push_back(state.playerY);
        airborne.push_back(state.airborne);
    }
    EXPECT_EQ(ys, (Ints{174, 170, 168, 168, 168}));
    EXPECT_EQ(airborne, (Ints{1, 1, 1, 1, 0}));
    EXPECT_FIELDS(state, "standingFloor", 5, "verticalSpeed", 0);
}

// Walking off with the input held and letting go in the air: the landing
// empties the gauge but keeps the charge, so the next tick launches a jump of
// speed 0 (5 from a spring, which it sets rebounding at -12, after pressing it
// in that tick). Still holding, the gauge starts again from 1.
TEST(WalkOff, ChargingSurvivesALanding) {
    const std::tuple<FloorKind, std::int32_t, std::int32_t, std::int32_t, std::int32_t, Ints>
        cases[] = {{K::Normal, 0, 1, 0, 0, {142, 141}},
                   {K::Spring, 0, 1, 5, 0, {156, 155}},
                   {K::Normal, 1, 0, 0, 1, {142, 143}}};
    for (const auto& [kind, held, airborne, speed, power, effects] : cases) {
        Playing state(96); // the feet sweep rows 196..202 of a floor at row 200
        state.floors[5] = Slot(kind, 100, 200);
        InTheAir(state, 164, -3);
        state.charging = 1;
        state.jumpPower = 9;
        state.jumpHeld = held;
        GameTick(state);
        GameTick(state);
        const std::int32_t spring = kind == K::Spring;
        EXPECT_FIELDS(state, "airborne", airborne, "verticalSpeed", speed, "jumpPower", power,
                      "jumpCount", airborne, "slot5.phase", 4 * spring, "slot5.velocity",
                      -12 * spring)
            << static_cast<int>(kind) << " held " << held;
        EXPECT_EQ(state.rec.Effects(), effects);
    }
}

// High and rising, the field comes down instead; a floor counts when the
// phase passes 64 and when it wraps at 128. Floors recycled in that tick use
// the count before it: at 49 on Normal draw 56 is plain (level 2: sliding).
TEST(Scroll, AtRowSixtyEightAndAboveTheFieldScrollsAndCountsFloors) {
    const std::int32_t cases[][7] = {
        {60, 60, 10, 60, 70, 1, 340}, {60, 120, 10, 60, 2, 1, 340}, {60, 63, 1, 60, 64, 1, 322},
        {60, 64, 1, 60, 65, 0, 322},  {60, 127, 1, 60, 0, 1, 322},  {60, 50, 14, 60, 64, 1, 348},
        {68, 0, 1, 68, 1, 0, 322},    {69, 0, 1, 67, 0, 0, 320},    {50, 0, 0, 50, 0, 0, 320}};
    for (const auto& [y, phase, speed, yAfter, phaseAfter, counted, groundY] : cases) {
        Playing state;
        InTheAir(state, y, speed);
        state.scrollPhase = phase;
        state.floorCount = 49;
        state.floors[3] = Slot(K::Normal, 112, 348);
        NextDrawIs(state.random, 56);
        GameTick(state);
        EXPECT_FIELDS(state, "playerY", yAfter, "scrollPhase", phaseAfter, "floorCount",
                      49 + counted, "verticalSpeed", speed - 1, "slot11.y", groundY, "slot3.kind",
                      K::Normal)
            << "y " << y << " phase " << phase << " speed " << speed;
    }
}

// Falling out at the bottom ends the game in that tick, the first frame still
// playing; a place in the table is named in silence after the end's sound and
// the fanfare, ticks meanwhile do nothing; then the title and its best score.
TEST(GameOver, TheTickOfTheFallEndsTheGameAndOffersAPlace) {
    for (const std::int32_t quiet : {0, 1}) {
        Playing state;
        InTheAir(state, quiet ? 342 : 340, quiet ? -5 : -10); // to row 352 exactly, or past it
        state.speedUp = quiet;
        state.musicOn = state.soundOn = !quiet;
        state.floorCount = state.shownFloor = quiet ? 1 : 10; // no place, or the first
        state.jumpCount = 4;
        state.rec.keepPreset = false;
        state.rec.name = "Ada";
        state.rec.onNameDialog = [&](GameState& s) {
            EXPECT_FIELDS(s, "mode", GameMode::GameOver, "playerY", 352);
            EXPECT_EQ(Count(state.rec, "StopMusic"), 1) << "silence for the name";
            EXPECT_EQ(state.rec.Effects(), (Ints{160, 158})) << "the end, then the fanfare";
            const Fields before = Named(s);
            const std::size_t calls = state.rec.calls.size();
            DispatchTick(s, s.tickTimer);
            EXPECT_EQ(Named(s), before) << "ticks during the dialog do nothing";
            EXPECT_EQ(state.rec.calls.size(), calls);
        };
        GameTick(state);
        EXPECT_FIELDS(state, "mode", GameMode::Title, "playerY", 352);
        ASSERT_FALSE(state.rec.draws.empty());
        EXPECT_EQ(state.rec.draws.front().mode, GameMode::Playing);
        EXPECT_EQ(state.rec.draws.front().playerY, 352);
        EXPECT_EQ(state.rec.draws.back().mode, GameMode::Title);
        for (const RecordingPorts::DrawSnapshot& draw : state.rec.draws) {
            EXPECT_EQ(draw.call, quiet ? "DrawPartialFrame" : "DrawFullFrame");
        }
        EXPECT_TRUE(Once(state.rec, "CreateStartPanel", "SwitchMenuToTitleState"));
        EXPECT_GE(Count(state.rec, "StopMusic"), 1);
        const auto dialog =
            std::find(state.rec.calls.begin(), state.rec.calls.end(), "RunNameEntryDialog");
        EXPECT_EQ(dialog == state.rec.calls.end(), quiet != 0);
        const auto best = dialog == state.rec.calls.end() ? state.rec.calls.begin() : dialog;
        EXPECT_NE(std::find(best, state.rec.calls.end(), "DrawDifficultyAndBest"),
                  state.rec.calls.end());
        EXPECT_EQ(state.rec.Effects(), quiet ? Ints{} : (Ints{160, 158}));
        EXPECT_EQ(state.records[1][0].score, quiet ? 5 : 10);
        EXPECT_EQ(NameText(state.records[1][0].name), quiet ? "QUILLMARE" : "Ada");
    }
}

// The feet (x + 20 .. x + 43) sweep rows y + 32 + 2 * speed .. y + 32. Slots
// are tried from 0 up, walls never. In partial redraw every slot under the
// body is marked for the next two frames.
TEST(ProbeLanding, FindsTheFirstSlotWhoseTopLineTheFeetMeet) {
    const std::int32_t cases[][4] = {{40, 288, 0, groundSlot},  {40, 288, 1, -1},  {40, 289, 0, -1},
                                     {40, 300, -8, groundSlot}, {40, 300, -5, -1}, {100, 68, 0, -1},
                                     {101, 68, 0, 4},           {219, 68, 0, 4},   {220, 68, 0, -1},
                                     {40, 178, -5, 7},          {40, 168, 0, 9},   {0, -32, 0, -1}};
    Playing state;
    state.floors[4] = Slot(K::Normal, 144, 100);
    state.floors[7] = Slot(K::Normal, 16, 210);
    state.floors[9] = Slot(K::Normal, 16, 200);
    for (const auto& [x, y, speed, slot] : cases) {
        state.playerX = x;
        state.playerY = y;
        state.verticalSpeed = speed;
        EXPECT_EQ(ProbeLanding(state), slot) << x << ", " << y << " at speed " << speed;
    }
    Playing wall(-4); // past the left wall, before the turn
    wall.playerY = 180;
    wall.floors[1] = Slot(K::Normal, 16, 212); // under the feet
    wall.floors[5] = Slot(K::Normal, 16, 200); // behind the body, as is the left wall
    wall.floors[6] = Slot(K::Normal, 300, 200);
    for (const std::int32_t speedUp : {0, 1}) {
        wall.speedUp = speedUp;
        EXPECT_EQ(ProbeLanding(wall), 1);
        EXPECT_FIELDS(wall, "slot1.dirty", 0, "slot5.dirty", 2 * speedUp, "slot6.dirty", 0,
                      "slot11.dirty", 0, "slot12.dirty", 2 * speedUp, "slot13.dirty", 0);
    }
}

} // namespace
