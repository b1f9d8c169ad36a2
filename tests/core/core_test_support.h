#pragma once

// Shared set-ups for the core's tests: seeds that make the generator say what
// a test needs, a field cleared of floors that could get in the way, a game
// in progress with the character on the ground, and the record's numbers by
// name, so that a failed check says which one is off.

#include "base/rect.h"
#include "core/game_state.h"
#include "core/game_tick.h"
#include "core/random.h"
#include "tests/support/recording_ports.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace coretest {

using Ints = std::vector<int>;
using K = FloorKind;
// Numbers of the game record by name: "playerY", "slot5.phase", ...
using Fields = std::map<std::string, std::int64_t>;

inline constexpr std::uint32_t lcgMultiplier = 1103515245u;
inline constexpr std::uint32_t lcgIncrement = 12345u;

// The multiplier's inverse modulo 2^32 (it is odd), by Newton's iteration:
// lets a test run the generator backwards from the state it wants.
constexpr std::uint32_t InverseMultiplier() {
    std::uint32_t inverse = lcgMultiplier;
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - lcgMultiplier * inverse;
    }
    return inverse;
}
static_assert(InverseMultiplier() * lcgMultiplier == 1u);

// Makes the next draw of NextRandom return `value` (0..32767).
inline void NextDrawIs(Random& random, std::int32_t value) {
    SeedRandom(random,
               ((static_cast<std::uint32_t>(value) << 16) - lcgIncrement) * InverseMultiplier());
}

inline FloorSlot Slot(FloorKind kind, std::int32_t x, std::int32_t y, std::int32_t phase = 0,
                      std::int32_t velocity = 0, std::int32_t dirty = 0) {
    return FloorSlot{kind, x, y, phase, velocity, dirty};
}

// Named values written as "playerY", 288, "airborne", 0, ...
inline void AddFields(Fields&) {}
template <typename Value, typename... Rest>
void AddFields(Fields& out, const std::string& name, Value value, Rest... rest) {
    out[name] = static_cast<std::int64_t>(value);
    AddFields(out, rest...);
}
template <typename... Args>
Fields Want(Args... args) {
    Fields out;
    AddFields(out, args...);
    return out;
}

inline Fields Named(const Rect& r) {
    return Want("x", r.x, "y", r.y, "width", r.width, "height", r.height);
}

inline Fields Named(const FloorSlot& s, const std::string& p = "") {
    return Want(p + "kind", s.kind, p + "x", s.x, p + "y", s.y, p + "phase", s.phase,
                p + "velocity", s.velocity, p + "dirty", s.dirty);
}

// Everything a tick or a command may change: the mode, the character, the
// counters and the settings, then every slot.
inline Fields Named(const GameState& s) {
    Fields out = Want(
        "mode", s.mode, "playerX", s.playerX, "playerY", s.playerY, "facing", s.facing,
        "verticalSpeed", s.verticalSpeed, "standingFloor", s.standingFloor, "jumpPower",
        s.jumpPower, "charging", s.charging, "airborne", s.airborne, "animFrame", s.animFrame,
        "jumpHeld", s.jumpHeld, "patternIndex", s.patternIndex, "scrollPhase", s.scrollPhase,
        "rollPhase", s.rollPhase, "shownFloor", s.shownFloor, "floorCount", s.floorCount,
        "jumpCount", s.jumpCount, "difficulty", s.difficulty, "floorFlags", s.floorFlags,
        "practiceDifficulty", s.practiceDifficulty, "practiceFloorFlags", s.practiceFloorFlags);
    for (int i = 0; i < floorSlotCount; ++i) {
        out.merge(Named(s.floors[i], "slot" + std::to_string(i) + "."));
    }
    return out;
}

// The named fields of `actual` that `expected` names (an unknown name reads
// as -999999), so that a mismatch prints every name with both values.
template <typename T>
Fields Pick(const T& actual, const Fields& expected) {
    const Fields all = Named(actual);
    Fields out;
    for (const auto& [name, value] : expected) {
        const auto found = all.find(name);
        out[name] = found == all.end() ? -999999 : found->second;
    }
    return out;
}

// EXPECT_FIELDS(state, "playerY", 288, "airborne", 0) << "context";
#define EXPECT_FIELDS(actual, ...)                                                                 \
    EXPECT_EQ(::coretest::Pick(actual, ::coretest::Want(__VA_ARGS__)),                             \
              ::coretest::Want(__VA_ARGS__))

// How many times the ports were called with exactly this text.
inline int Count(const RecordingPorts& ports, const std::string& call) {
    return static_cast<int>(std::count(ports.calls.begin(), ports.calls.end(), call));
}

// Each of these calls made exactly once; a failure names the first that was not.
template <typename... Calls>
::testing::AssertionResult Once(const RecordingPorts& ports, Calls... calls) {
    for (const std::string& call : {std::string(calls)...}) {
        if (Count(ports, call) != 1) {
            return ::testing::AssertionFailure()
                   << call << " made " << Count(ports, call) << " times";
        }
    }
    return ::testing::AssertionSuccess();
}

// Moves floors 0..10 far above the field, where no probe, scroll or body box
// reaches them, so a test sees only the floors it places itself.
inline void ParkFloors(GameState& state) {
    for (int i = 0; i <= 10; ++i) {
        state.floors[i] = Slot(FloorKind::Normal, 16, -4000 - 32 * i);
    }
    for (FloorSlot& slot : state.floors) {
        slot.dirty = 0;
    }
}

// A game record with the start values of a fresh window, on recording ports
// of its own: `rec` holds what they wrote down.
struct Game : GameState {
    RecordingPorts rec;
    explicit Game(std::uint32_t seed = 1) : GameState{} {
        static_cast<GameState&>(*this) = MakeTitleState(rec, seed);
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
};

// A game in progress on Normal: the character stands on the ground at
// playerX, facing right, nothing held, every other floor parked.
struct Playing : Game {
    explicit Playing(std::int32_t x = 40) {
        ParkFloors(*this);
        mode = GameMode::Playing;
        playerX = x;
        playerY = 288;
        facing = 1;
        standingFloor = groundSlot;
    }
};

// Puts the character on a slot at rest: its feet on the slot's top row.
inline void StandOn(GameState& state, int slot) {
    const FloorSlot& floor = state.floors[slot];
    state.standingFloor = slot;
    state.playerY = floor.y - 32;
    if (floor.kind == FloorKind::MovingUD) {
        state.playerY += floor.phase / 10;
    } else if (floor.kind == FloorKind::Spring) {
        state.playerY += floor.phase;
    }
}

inline void InTheAir(GameState& state, std::int32_t playerY, std::int32_t verticalSpeed) {
    state.airborne = 1;
    state.playerY = playerY;
    state.verticalSpeed = verticalSpeed;
}

// Falling onto slot 5, a floor at x 100 and row 200: after the tick's walk
// the feet are at x 120..143 and sweep rows 196..202.
inline void FallOntoSlotFive(GameState& state, FloorSlot slot) {
    state.floors[5] = slot;
    state.playerX = 96;
    InTheAir(state, 164, -3);
}

} // namespace coretest
