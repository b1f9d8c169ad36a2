#include "core/slot_rects.h"

Rect SlotSheetRect(const GameState& state, int slot) {
    const FloorSlot& s = state.floors[slot];
    const std::int32_t beltFrame = state.animFrame % 4;
    switch (s.kind) {
    case FloorKind::ConveyorLeft: return {0, 240 + 16 * beltFrame, 96, 16};
    case FloorKind::ConveyorRight: return {0, 176 + 16 * beltFrame, 96, 16};
    case FloorKind::Ground: return {0, 400, 384, 32};
    // The spring image at rest is 16 rows tall at sheet y 256; each 2 pixels
    // of phase pick the next image, 2 rows shorter (stretched ones are taller).
    case FloorKind::Spring: return {96, 256 + 24 * (s.phase / 2), 96, 16 - s.phase};
    case FloorKind::Wall: return {352, 0, 16, 384};
    case FloorKind::Normal:
    case FloorKind::MovingLR:
    case FloorKind::MovingUD: break;
    }
    return {0, 160, 96, 16};
}

Rect SlotDrawRect(const GameState& state, int slot) {
    const FloorSlot& s = state.floors[slot];
    switch (s.kind) {
    case FloorKind::MovingLR: return {s.x + s.phase / 10, s.y, 96, 16};
    case FloorKind::MovingUD: return {s.x, s.y + s.phase / 10, 96, 16};
    case FloorKind::Ground: return {s.x, s.y, 384, 32};
    // The base stays at y + 16 while the top moves with the phase.
    case FloorKind::Spring: return {s.x, s.y + s.phase, 96, 16 - s.phase};
    case FloorKind::Wall: return {s.x, s.y, 16, 384};
    case FloorKind::Normal:
    case FloorKind::ConveyorLeft:
    case FloorKind::ConveyorRight: break;
    }
    return {s.x, s.y, 96, 16};
}
