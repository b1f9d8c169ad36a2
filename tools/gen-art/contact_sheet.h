#pragma once

#include "image.h"
#include "palette.h"
#include "png_writer.h"

#include <string>

// Everything the generator makes, in one place to be looked at.
struct ArtSet {
    Palette palette;
    Image sprites, masks, backwall, frame, title, about;
};

// Indexed picture to straight colours, enlarged by a whole factor.
RgbaImage ToRgba(const Image& img, const Palette& pal, int scale);

// The game window as it looks in play, composed from the art the way the
// game composes it: backdrop, floors, walls, masked character and sparkles,
// status wells filled from the sprite sheet.
Image ComposeGameWindow(const ArtSet& art, bool paused);

// Sprite sheet, masks, pictures and two composed windows, at 2x.
void WriteContactSheet(const std::string& path, const ArtSet& art);
