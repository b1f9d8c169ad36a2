#include "core/floor_field.h"

#include "core/random.h"

#include <array>

namespace {

// How far apart the two floors of a zigzag pair and the odd rows stand, by level.
constexpr std::array<std::int32_t, 5> pairShift = {96, 80, 80, 80, 64};
constexpr std::array<std::int32_t, 5> oddShift = {176, 176, 160, 144, 144};

constexpr std::int32_t floorSpacing = 32;
// The twelve non-wall slots share one cycle: a floor leaving at the bottom
// comes back 32 pixels above the highest.
constexpr std::int32_t recycleDistance = 12 * floorSpacing;
constexpr std::int32_t freshVelocity = 25;

void MarkAllDirty(GameState& state) {
    for (FloorSlot& slot : state.floors) {
        slot.dirty = 1;
    }
}

// The change of a displacement kept in tenths, in whole pixels, over this tick.
std::int32_t PixelStep(const FloorSlot& slot) {
    return slot.phase / 10 - (slot.phase - slot.velocity) / 10;
}

void MoveSlot(FloorSlot& slot) {
    switch (slot.kind) {
    case FloorKind::ConveyorLeft:
    case FloorKind::ConveyorRight:
        slot.dirty = 1; // the belt animates every tick
        break;
    case FloorKind::MovingLR:
    case FloorKind::MovingUD:
        // A swing: pulled back towards the rest position every tick.
        slot.velocity += slot.phase < 0 ? 1 : -1;
        slot.phase += slot.velocity;
        slot.dirty = 1;
        break;
    case FloorKind::Spring:
        if (slot.velocity != 0) {
            if (slot.phase > 0) {
                slot.phase += slot.velocity;
                slot.velocity = 2;
            } else if (slot.phase < 0) {
                slot.phase += slot.velocity;
            } else {
                slot.velocity = 0; // back at rest
            }
            slot.dirty = 1;
        }
        break;
    case FloorKind::Normal:
    case FloorKind::Ground:
    case FloorKind::Wall: break;
    }
}

void CarryCharacter(GameState& state, FloorSlot& slot) {
    switch (slot.kind) {
    case FloorKind::ConveyorLeft: state.playerX -= 2; break;
    case FloorKind::ConveyorRight: state.playerX += 2; break;
    case FloorKind::MovingLR: state.playerX += PixelStep(slot); break;
    case FloorKind::MovingUD: state.playerY += PixelStep(slot); break;
    case FloorKind::Spring:
        if (slot.phase == 0) {
            // The spring gives under the character's weight, and it sinks along.
            slot.phase = 4;
            state.playerY += 4;
            slot.dirty = 1;
        }
        break;
    case FloorKind::Normal:
    case FloorKind::Ground:
    case FloorKind::Wall: break;
    }
}

void PlaceFixedSlot(FloorSlot& slot, FloorKind kind, std::int32_t x, std::int32_t y) {
    slot.kind = kind;
    slot.x = x;
    slot.y = y;
    slot.dirty = 1;
}

} // namespace

std::int32_t FloorLevel(std::int32_t difficulty, std::int32_t floorCount) {
    const std::int32_t level = difficulty + floorCount / 50 - 1;
    return level > 4 ? 4 : level;
}

FloorKind ChooseFloorKind(Random& random, std::int32_t difficulty, std::int32_t floorCount,
                          std::int32_t floorFlags) {
    const std::int32_t level = FloorLevel(difficulty, floorCount);
    const std::int32_t r = NextRandom(random) % (30 - 6 * level);
    if (r == 0 && (floorFlags & conveyorFlag) != 0) {
        return FloorKind::ConveyorRight;
    }
    if (r == 1 && (floorFlags & conveyorFlag) != 0) {
        return FloorKind::ConveyorLeft;
    }
    if (r >= 2 && r <= 3 && (floorFlags & slidingFlag) != 0) {
        return FloorKind::MovingLR;
    }
    if (r >= 4 && r <= 5 && (floorFlags & liftFlag) != 0) {
        return FloorKind::MovingUD;
    }
    // The spring band narrows with the difficulty itself, not the level.
    if (r >= 6 && r <= 9 - difficulty && (floorFlags & springFlag) != 0) {
        return FloorKind::Spring;
    }
    return FloorKind::Normal;
}

std::int32_t ChooseFloorX(Random& random, std::int32_t difficulty, std::int32_t floorCount,
                          std::int32_t row) {
    const std::int32_t level = FloorLevel(difficulty, floorCount);
    const std::int32_t x = 16 + pairShift[level] * ((row % 4) / 2) + oddShift[level] * (row % 2) +
                           16 * (NextRandom(random) % (level + 2));
    return static_cast<std::int16_t>(x);
}

void LayOutField(GameState& state) {
    for (int i = 0; i <= 10; ++i) {
        FloorSlot& slot = state.floors[i];
        // The kind is drawn before the position of the same slot.
        slot.kind =
            ChooseFloorKind(state.random, state.difficulty, state.floorCount, state.floorFlags);
        slot.x = ChooseFloorX(state.random, state.difficulty, state.floorCount, 12 - i);
        slot.y = floorSpacing * i - floorSpacing;
        slot.phase = 0;
        slot.velocity = freshVelocity;
        slot.dirty = 1;
    }
    // The ground and the walls keep whatever phase and velocity they had:
    // nothing of their kinds reads them.
    PlaceFixedSlot(state.floors[groundSlot], FloorKind::Ground, 16, 320);
    PlaceFixedSlot(state.floors[leftWallSlot], FloorKind::Wall, 0, 0);
    PlaceFixedSlot(state.floors[rightWallSlot], FloorKind::Wall, 400, 0);
}

void ScrollField(GameState& state, std::int32_t dy) {
    for (FloorSlot& slot : state.floors) {
        if (slot.kind == FloorKind::Wall) {
            // The brick pattern repeats every 32 rows, so walls wrap by 32.
            slot.y += dy;
            if (slot.y > 0) {
                slot.y -= floorSpacing;
            }
        } else if (slot.y + dy >= fieldHeight) {
            // Left the field at the bottom: comes back at the top as a new floor.
            state.patternIndex = (state.patternIndex + 1) % 4;
            slot.kind =
                ChooseFloorKind(state.random, state.difficulty, state.floorCount, state.floorFlags);
            slot.x =
                ChooseFloorX(state.random, state.difficulty, state.floorCount, state.patternIndex);
            slot.y = slot.y + dy - recycleDistance;
            slot.phase = 0;
            slot.velocity = freshVelocity;
        } else {
            slot.y += dy;
        }
    }
    MarkAllDirty(state);
}

void MarkAllSlotsForRedraw(GameState& state) {
    // A scroll by nothing: every slot is marked, and the scroll's own rules
    // still hold at a standstill (a wall below its wrap point moves up by a
    // spacing, a floor already past the bottom comes back at the top).
    ScrollField(state, 0);
}

void MoveFloors(GameState& state) {
    for (int i = 0; i <= groundSlot; ++i) {
        FloorSlot& slot = state.floors[i];
        MoveSlot(slot);
        // Carrying does not look at the mode: in the title the hidden
        // character still rides the slot it last stood on.
        if (state.airborne == 0 && state.standingFloor == i) {
            CarryCharacter(state, slot);
        }
    }
}

Rect FloorTopLine(const GameState& state, int slot) {
    const FloorSlot& s = state.floors[slot];
    switch (s.kind) {
    case FloorKind::MovingLR: return {s.x + s.phase / 10, s.y, 96, 1};
    case FloorKind::MovingUD: return {s.x, s.y + s.phase / 10, 96, 5};
    case FloorKind::Ground: return {s.x, s.y, 384, 1};
    case FloorKind::Spring: return {s.x, s.y + s.phase, 96, 1};
    case FloorKind::Normal:
    case FloorKind::ConveyorLeft:
    case FloorKind::ConveyorRight:
    case FloorKind::Wall: break;
    }
    return {s.x, s.y, 96, 1};
}
