#pragma once

#include "base/handles.h"
#include "base/rect.h"
#include "core/game_state.h"
#include "render/render_window.h"

#include <array>
#include <cstdint>
#include <functional>

// What the renderer owns for one main window: the window's context and the
// game palette, the five drawing surfaces, and what the partial redraw
// remembers between its frames. Made by CreateSurfaces at start-up and let go
// by ReleaseSurfaces at teardown; it starts zero-filled.

// A drawing surface: the bitmap, its pixel rows (8-bit surfaces only) and the
// drawing context that holds it.
struct Surface {
    BitmapHandle bitmap;
    std::uint8_t* bits;
    ContextHandle context;
};

// left, top, right, bottom; right and bottom exclusive.
struct WindowBox {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// Where each slot and the character were last drawn by the partial redraw,
// in window coordinates; all zero before its first frame.
struct PartialFrameMemory {
    std::array<Rect, floorSlotCount> lastSlotRects; // x, y, width, height
    WindowBox lastPlayerRect;
};

struct RenderResources {
    RenderWindow* window; // the main window drawn into; set before CreateSurfaces
    ContextHandle windowDC;
    PaletteHandle palette;
    Surface spriteSheet;
    Surface maskSheet;
    Surface backdrop;
    Surface backBuffer;
    Surface panelImage;
    PartialFrameMemory partialFrame;
    // Called just before and just after every partial frame, with the
    // frame's state, by whoever checks the partial redraw against a full one
    // (a test): what the frame found on screen and in the slots' marks is
    // gone once it has drawn. Empty in the game.
    std::function<void(const GameState&, const RenderResources&)> beforePartialFrame;
    std::function<void(const GameState&, const RenderResources&)> afterPartialFrame;
};
