#pragma once

// Set-ups shared by the core's tests; the game record's numbers are compared
// by name, so that a failed check says which one is off.

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

// Runs the generator backwards (times the multiplier's inverse modulo 2^32)
// so that the next draw of NextRandom returns `value` (0..32767).
inline void NextDrawIs(Random& random, std::int32_t value) {
    constexpr std::uint32_t inverse = 4005161829u;
    static_assert(inverse * 1103515245u == 1u);
    SeedRandom(random, ((static_cast<std::uint32_t>(value) << 16) - 12345u) * inverse);
}

inline FloorSlot Slot(FloorKind kind, std::int32_t x, std::int32_t y, std::int32_t phase = 0,
                      std::int32_t velocity = 0, std::int32_t dirty = 0) {
    return FloorSlot{kind, x, y, phase, velocity, dirty};
}

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

// Everything a tick or a command may change, then every slot.
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

// The fields of `actual` that `expected` names (an unknown one reads -999999).
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
    for (int i = 0; i < floorSlotCount; ++i) {
        state.floors[i] = i <= 10 ? Slot(FloorKind::Normal, 16, -4000 - 32 * i) : state.floors[i];
        state.floors[i].dirty = 0;
    }
}

// A fresh window's game record on recording ports of its own, `rec`.
struct Game : GameState {
    RecordingPorts rec;
    explicit Game(std::uint32_t seed = 1) : GameState{} {
        static_cast<GameState&>(*this) = MakeTitleState(rec, seed);
    }
};

// A game in progress: the character on the ground at x, facing right, floors parked.
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

inline void InTheAir(GameState& state, std::int32_t playerY, std::int32_t verticalSpeed) {
    state.airborne = 1;
    state.playerY = playerY;
    state.verticalSpeed = verticalSpeed;
}

} // namespace coretest
