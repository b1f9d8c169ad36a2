#pragma once

#include "base/handles.h"
#include "platform/gdi/gdi.h"
#include "render/render_resources.h"

#include <cstdint>

// The one 256-colour palette every surface shares, and the window's frame
// picture, which is the palette's first user on every repaint.

// The game's palette from the sprite sheet's colour table: the display's
// static colours stay at both ends, the game's own colours fill the middle
// with PC_NOCOLLAPSE so that a palette index is a screen index.
PaletteHandle BuildGamePalette(const StoredBitmap& header);

// Takes over every free entry of the system palette with black once, so the
// game palette realized next lands in its own order.
void ResetSystemPalette();

// 1 when realizing the game palette changed the system palette (and the
// whole client is then invalidated for a repaint), else 0.
std::int32_t RealizeGamePalette(RenderResources& screen);

// The frame picture (bitmap 125) 1:1 over the whole client area; realizes
// the palette first.
void DrawFramePicture(RenderResources& screen);
