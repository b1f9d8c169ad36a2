// The partial redraw (the SpeedUp option): straight to the window, only the
// slots marked dirty and the character, over a plain black field. Two clip
// regions keep every step off pixels that are already right on screen, so
// nothing flickers: black goes only where something has left, and a slot is
// drawn only where neither the character nor an unchanged slot stands. The
// character is composed off-screen in a 32 x 32 cell (the back buffer's
// top-left corner) with the floor parts behind it, and shown in one blit.

#include "character_sprite.h"
#include "core/slot_rects.h"
#include "field_placement.h"
#include "platform/gdi/gdi.h"
#include "render/window_drawing.h"
#include "transparency.h"

namespace {

constexpr std::int32_t cellSize = 32;

// The field's rectangle in the window.
constexpr WindowBox fieldBox{fieldWindowX, fieldWindowY, fieldWindowX + fieldWidth,
                             fieldWindowY + fieldHeight};

// The character's box: the body's 32 x 32 square in window coordinates.
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

void FillBlack(RenderResources& screen, const Rect& r) {
    FillWindowRectBlack(screen, r.x, r.y, r.x + r.width, r.y + r.height);
}

// One changed slot. On entry the window's clip is the erase clip so far; on
// return it is the erase clip less this slot's new box.
void RedrawChangedSlot(GameState& state, RenderResources& screen, int i, const WindowBox& box,
                       RegionHandle work, RegionHandle saved) {
    ContextHandle windowDC = screen.windowDC;
    FloorSlot& slot = state.floors[i];
    const Rect s = SlotSheetRect(state, i);
    const Rect d = WindowSlotRect(state, i);
    // A slot under the character goes into the cell too, at its place
    // relative to the box. Not clipped to the cell; what falls outside lands
    // in parts of the back buffer this mode never shows.
    if (slot.dirty == 2) {
        BitBlt(screen.backBuffer.context, d.x - box.left, d.y - box.top, s.width, s.height,
               screen.spriteSheet.context, s.x, s.y, RasterOp::SrcCopy);
    }
    // Never blacken the slot's own new place, so a floor that moved a few
    // pixels is not blanked before it is drawn; then erase where it stood.
    Subtract(windowDC, work, d);
    FillBlack(screen, screen.partialFrame.lastSlotRects[i]);
    // The erase clip is kept while the drawing clip is in use. The slot is
    // drawn outside the character and the unchanged slots; over an earlier
    // changed slot it may go, the higher number in front.
    GetClipRegion(windowDC, work);
    SelectClipRegion(windowDC, saved);
    BitBlt(windowDC, d.x, d.y, s.width, s.height, screen.spriteSheet.context, s.x, s.y,
           RasterOp::SrcCopy);
    SelectClipRegion(windowDC, work);
    screen.partialFrame.lastSlotRects[i] = d;
    --slot.dirty;
}

} // namespace

void DrawPartialFrame(GameState& state, RenderResources& screen) {
    if (screen.beforePartialFrame) {
        screen.beforePartialFrame(state, screen);
    }
    ContextHandle windowDC = screen.windowDC;
    PartialFrameMemory& memory = screen.partialFrame;
    const WindowBox box = CharacterBox(state);

    PaletteHandle previous = SelectPalette(windowDC, screen.palette, false);

    // The cell starts black under the character.
    FillRectIndex(screen.backBuffer.context, 0, 0, cellSize, cellSize, blackIndex);

    // The drawing clip: the field less the character's box and less every
    // unchanged slot. It is kept aside for the changed slots.
    RegionHandle work =
        CreateRectRegion(fieldBox.left, fieldBox.top, fieldBox.right, fieldBox.bottom);
    SelectClipRegion(windowDC, work);
    SetRegionTo(work, box);
    ExcludeClipRegion(windowDC, work);
    for (int i = 0; i < floorSlotCount; ++i) {
        if (state.floors[i].dirty == 0) {
            Subtract(windowDC, work, WindowSlotRect(state, i));
        }
    }
    RegionHandle saved = CreateRectRegion(0, 0, 0, 0);
    GetClipRegion(windowDC, saved);

    // The changed slots in index order; meanwhile the window's clip becomes
    // the erase clip, less every changed slot's new box.
    for (int i = 0; i < floorSlotCount; ++i) {
        if (state.floors[i].dirty != 0) {
            RedrawChangedSlot(state, screen, i, box, work, saved);
        }
    }

    // Erase the character's last place, outside every slot's new box and
    // the character's new one.
    const WindowBox& last = memory.lastPlayerRect;
    FillWindowRectBlack(screen, last.left, last.top, last.right, last.bottom);
    memory.lastPlayerRect = box;

    // From here on only the field clips.
    SetRegionTo(work, fieldBox);
    SelectClipRegion(windowDC, work);
    DeleteRegion(work);
    DeleteRegion(saved);

    // The character over black and the slots marked 2, in one blit. No
    // charge sparkles in this mode.
    if (ShowsCharacter(state)) {
        DrawTransparent(screen, 0, 0, CharacterSprite(state));
        BitBlt(windowDC, box.left, box.top, cellSize, cellSize, screen.backBuffer.context, 0, 0,
               RasterOp::SrcCopy);
    }

    // The pause sign over everything, the character included.
    if (state.mode == GameMode::Paused) {
        BitBlt(windowDC, fieldWindowX + pauseSignFieldX, fieldWindowY + pauseSignFieldY,
               pauseSignWidth, pauseSignHeight, screen.spriteSheet.context, pauseSignSheetX,
               pauseSignSheetY, RasterOp::SrcCopy);
    }

    // Leave the window's context as it was.
    SelectClipRegion(windowDC, nullptr);
    SelectPalette(windowDC, previous, false);
    if (screen.afterPartialFrame) {
        screen.afterPartialFrame(state, screen);
    }
}
