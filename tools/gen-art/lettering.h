#pragma once

#include "image.h"
#include "palette.h"

#include <string>

// How a line of lettering is painted: the grid font scaled up, filled with a
// top-to-bottom shade of a ramp, a lit top edge, an outline and a drop shadow.
struct LetterStyle {
    int scale = 1;
    int spacing = 1; // empty grid columns between letters
    bool digitFont = false;
    Ramp fill = ink::kGold;
    double fillTop = 1.0; // ramp positions (0..1) at the glyph's top and bottom
    double fillBottom = 0.5;
    int highlight = -1; // index for the top pixel of every stroke, -1 for none
    int outline = -1;   // index for a one-pixel outline, -1 for none
    int shadow = -1;    // index for a drop shadow, -1 for none
    int shadowOffset = 1;
};

// The game's gold lettering: a gold ramp from bright at the top down to
// fillBottom, with a cream highlight along the top of every stroke.
LetterStyle GoldLetters(int scale, double fillBottom);
// The same gold for the counter's digit font, a touch darker at the top.
LetterStyle GoldDigits(int scale);

int TextWidth(const std::string& text, const LetterStyle& style);
int TextHeight(const LetterStyle& style);

// Draws with the glyphs' top-left at (x, y); outline and shadow reach past it.
void DrawText(Image& img, int x, int y, const std::string& text, const LetterStyle& style);

// Centred horizontally on cx.
void DrawTextCentred(Image& img, int cx, int y, const std::string& text, const LetterStyle& style);
