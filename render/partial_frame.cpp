// The partial redraw (the SpeedUp option): straight to the window, only the
// slots marked dirty and the character, over a plain black field. Two clip
// regions keep every step off pixels that are already right on screen, so
// nothing flickers: black goes only where something has left, and a slot is
// drawn only where neither the character nor an unchanged slot stands. The
// character is composed off-screen in a 32 x 32 cell (the back buffer's
// top-left corner) with the floor parts behind it, and shown in one blit.

#include "partial_frame.h"

#include "core/ports.h"
#include "core/slot_rects.h"
#include "platform/gdi/gdi.h"
#include "character_sprite.h"
#include "field_placement.h"
#include "transparency.h"

namespace {

constexpr std::int32_t cellSize = 32;

// The field rectangle F in the window.
constexpr WindowBox fieldBox{fieldWindowX, fieldWindowY, fieldWindowX + fieldWidth,
                             fieldWindowY + fieldHeight};

PartialFrameMemory memory{};

// The character box B: the body's 32 x 32 square in window coordinates.
WindowBox CharacterBox(const GameState& state) {
    const std::int32_t left = state.playerX + 16 + fieldWindowX;
    const std::int32_t top = state.playerY + fieldWindowY;
    return {left, top, left + cellSize, top + cellSize};
}

// Where slot i is drawn now, in window coordinates.
Rect WindowSlotRect(const GameState& state, int slot) {
    Rect d = SlotDrawRect(state, slot);
    d.x += fieldWindowX;
    d.y += fieldWindowY;
    return d;
}

void SetRegionTo(RegionHandle region, const WindowBox& box) {
    SetRectRegion(region, box.left, box.top, box.right, box.bottom);
}

void SetRegionTo(RegionHandle region, const Rect& r) {
    SetRectRegion(region, r.x, r.y, r.x + r.width, r.y + r.height);
}

// The window's clip region minus region; the region is only a carrier.
void Subtract(ContextHandle windowDC, RegionHandle work, const Rect& r) {
    SetRegionTo(work, r);
    ExcludeClipRegion(windowDC, work);
}

void FillBlack(GameState& state, const Rect& r) {
    FillWindowRectBlack(state, r.x, r.y, r.x + r.width, r.y + r.height);
}

// Step 6 for one changed slot. On entry the window's clip is the erase clip
// so far; on return it is the erase clip less this slot's new box.
void RedrawChangedSlot(GameState& state, int i, const WindowBox& box, RegionHandle work,
                       RegionHandle saved) {
    ContextHandle windowDC = state.windowDC;
    FloorSlot& slot = state.floors[i];
    // a.
    const Rect s = SlotSheetRect(state, i);
    const Rect d = WindowSlotRect(state, i);
    // b. Under the character too: into the cell at its place relative to
    //    the box. Not clipped to the cell; what falls outside lands in parts
    //    of the back buffer this mode never shows.
    if (slot.dirty == 2) {
        BitBlt(state.backBuffer.context, d.x - box.left, d.y - box.top, s.width, s.height,
               state.spriteSheet.context, s.x, s.y, RasterOp::SrcCopy);
    }
    // c. Never blacken the slot's own new place, so a floor that moved a
    //    few pixels is not blanked before it is drawn.
    Subtract(windowDC, work, d);
    // d. Erase where it stood.
    FillBlack(state, memory.lastSlotRects[i]);
    // e. Keep the erase clip while the drawing clip is in use.
    GetClipRegion(windowDC, work);
    // f. Draw it outside the character and the unchanged slots; over an
    //    earlier changed slot it may go, the higher number in front.
    SelectClipRegion(windowDC, saved);
    BitBlt(windowDC, d.x, d.y, s.width, s.height, state.spriteSheet.context, s.x, s.y,
           RasterOp::SrcCopy);
    // g.
    SelectClipRegion(windowDC, work);
    // h., i.
    memory.lastSlotRects[i] = d;
    --slot.dirty;
}

} // namespace

const PartialFrameMemory& PartialFrameRectangles() {
    return memory;
}

void ResetPartialFrameState() {
    memory = {};
}

void DrawPartialFrame(GameState& state) {
    ContextHandle windowDC = state.windowDC;
    const WindowBox box = CharacterBox(state);

    // 1. The game's palette in the window's context.
    PaletteHandle previous = SelectPalette(windowDC, state.palette, false);

    // 2. Clear the character cell.
    FillRectIndex(state.backBuffer.context, 0, 0, cellSize, cellSize, blackIndex);

    // 3. Clip to the field less the character's box.
    RegionHandle work =
        CreateRectRegion(fieldBox.left, fieldBox.top, fieldBox.right, fieldBox.bottom);
    SelectClipRegion(windowDC, work);
    SetRegionTo(work, box);
    ExcludeClipRegion(windowDC, work);

    // 4. Less every unchanged slot: the drawing clip.
    for (int i = 0; i < floorSlotCount; ++i) {
        if (state.floors[i].dirty == 0) {
            Subtract(windowDC, work, WindowSlotRect(state, i));
        }
    }

    // 5. Keep the drawing clip.
    RegionHandle saved = CreateRectRegion(0, 0, 0, 0);
    GetClipRegion(windowDC, saved);

    // 6. The changed slots in index order; the clip becomes the erase clip.
    for (int i = 0; i < floorSlotCount; ++i) {
        if (state.floors[i].dirty != 0) {
            RedrawChangedSlot(state, i, box, work, saved);
        }
    }

    // 7. Erase the character's last place, outside every slot's new box and
    //    the character's new one.
    const WindowBox& last = memory.lastPlayerRect;
    FillWindowRectBlack(state, last.left, last.top, last.right, last.bottom);
    memory.lastPlayerRect = box;

    // 8. From here on only the field clips.
    SetRegionTo(work, fieldBox);
    SelectClipRegion(windowDC, work);
    DeleteRegion(work);
    DeleteRegion(saved);

    // 9. The character over black and the slots marked 2, in one blit. No
    //    charge sparkles in this mode.
    if (ShowsCharacter(state)) {
        DrawTransparent(state, 0, 0, CharacterSprite(state));
        BitBlt(windowDC, box.left, box.top, cellSize, cellSize, state.backBuffer.context, 0, 0,
               RasterOp::SrcCopy);
    }

    // 10. The pause sign over everything, the character included.
    if (state.mode == GameMode::Paused) {
        BitBlt(windowDC, fieldWindowX + pauseSignFieldX, fieldWindowY + pauseSignFieldY,
               pauseSignWidth, pauseSignHeight, state.spriteSheet.context, pauseSignSheetX,
               pauseSignSheetY, RasterOp::SrcCopy);
    }

    // 11. Leave the window's context as it was.
    SelectClipRegion(windowDC, nullptr);
    SelectPalette(windowDC, previous, false);
}
