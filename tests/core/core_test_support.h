#pragma once

// Shared set-ups for the core's tests: seeds that make the generator say what
// a test needs, a field cleared of floors that could get in the way, and a
// game in progress with the character on the ground.

#include "base/rect.h"
#include "core/game_state.h"
#include "core/game_tick.h"
#include "core/random.h"
#include "tests/support/recording_ports.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace coretest {

using Strings = std::vector<std::string>;
using Ints = std::vector<int>;
using K = FloorKind;

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

constexpr std::int32_t DrawFromState(std::uint32_t state) {
    return static_cast<std::int32_t>((state >> 16) & 0x7FFFu);
}

// Makes the next draw of NextRandom return `value` (0..32767).
inline void NextDrawIs(Random& random, std::int32_t value) {
    SeedRandom(random,
               ((static_cast<std::uint32_t>(value) << 16) - lcgIncrement) * InverseMultiplier());
}

inline FloorSlot Slot(FloorKind kind, std::int32_t x, std::int32_t y, std::int32_t phase = 0,
                      std::int32_t velocity = 0) {
    return FloorSlot{kind, x, y, phase, velocity, 0};
}

// A rectangle as one comparable, printable value.
inline std::array<std::int32_t, 4> Box(const Rect& r) {
    return {r.x, r.y, r.width, r.height};
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

// A game in progress on Normal: the character stands on the ground at
// playerX, facing right, nothing held, every other floor parked.
inline GameState PlayingOnGround(RecordingPorts& ports, std::int32_t playerX = 40) {
    GameState state = MakeTitleState(ports, 1);
    ParkFloors(state);
    state.mode = GameMode::Playing;
    state.playerX = playerX;
    state.playerY = 288;
    state.facing = 1;
    state.standingFloor = groundSlot;
    ports.Clear();
    return state;
}

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

// Everything a tick may change, so that "nothing changed" can be checked: the
// mode, the character, counters and settings (21 values), then every slot.
inline std::vector<std::int64_t> PlayFields(const GameState& s) {
    std::vector<std::int64_t> out;
    out.insert(out.end(),
               {static_cast<std::int32_t>(s.mode), s.playerX, s.playerY, s.facing, s.verticalSpeed,
                s.standingFloor, s.jumpPower, s.charging, s.airborne, s.animFrame});
    out.insert(out.end(), {s.jumpHeld, s.patternIndex, s.scrollPhase, s.rollPhase, s.shownFloor,
                           s.floorCount, s.jumpCount, s.difficulty, s.floorFlags,
                           s.practiceDifficulty, s.practiceFloorFlags});
    for (const FloorSlot& slot : s.floors) {
        out.insert(out.end(), {static_cast<std::int32_t>(slot.kind), slot.x, slot.y, slot.phase,
                               slot.velocity, slot.dirty});
    }
    return out;
}

} // namespace coretest
