#include "status_sprites.h"

#include "lettering.h"
#include "palette.h"

namespace {

// Segment colours climbing from green through yellow to red, as (ramp, lit shade).
struct SegmentColour {
    Ramp ramp;
    int lit;
    int dim;
};

SegmentColour ColourOfSegment(int i) {
    using namespace ink;
    static const SegmentColour kColours[12] = {
        {kGreen, 9, 2},  {kGreen, 10, 2}, {kGreen, 11, 2}, {kGreen, 12, 2},
        {kYellow, 6, 1}, {kYellow, 7, 1}, {kYellow, 8, 1}, {kYellow, 9, 1},
        {kHot, 7, 1},    {kHot, 8, 1},    {kHot, 9, 1},    {kHot, 10, 1},
    };
    return kColours[i];
}

} // namespace

Image GaugeImage(int power) {
    using namespace ink;
    Image img(96, 16);
    // Twelve segments, 6 wide with 2-pixel gaps; unlit ones stay faintly visible
    // so the empty gauge still shows how far it can go.
    for (int i = 0; i < 12; ++i) {
        SegmentColour c = ColourOfSegment(i);
        bool lit = i < power;
        int x0 = i * 8 + 1;
        int height = 6 + i / 2; // segments grow taller towards full power
        int top = 14 - height;
        for (int y = top; y < 14; ++y)
            for (int x = x0; x < x0 + 6; ++x) {
                std::uint8_t v = lit ? c.ramp(c.lit - (y - top) / 3) : c.ramp(c.dim);
                if (lit && y == top)
                    v = c.ramp(c.lit + 3);
                if (lit && x == x0)
                    v = c.ramp(c.lit + 1);
                if (lit && x == x0 + 5)
                    v = c.ramp(c.lit - 3);
                img.set(x, y, v);
            }
    }
    img.hline(1, 94, 15, power > 0 ? kGreen(3) : kPanel(2));
    return img;
}

Image BigDigitStrip() {
    Image strip(30, 352);
    LetterStyle style = GoldDigits(2);
    style.outline = ink::kGold(1);
    for (int d = 0; d <= 10; ++d) {
        char c = static_cast<char>('0' + d % 10);
        // 16 x 24 glyph centred in its 30 x 32 cell, rows 0..2 and 29..31 left
        // empty so a rolling window never cuts through a neighbour's outline.
        DrawText(strip, 7, 32 * d + 4, std::string(1, c), style);
    }
    return strip;
}

Image SmallDigit(char c) {
    Image img(13, 14);
    DrawText(img, 2, 1, std::string(1, c), GoldDigits(1));
    return img;
}

Image DifficultyLabel(int level) {
    using namespace ink;
    static const char* kNames[4] = {"PRACTICE", "EASY", "NORMAL", "HARD"};
    static const Ramp kRamps[4] = {kTeal, kGreen, kYellow, kHot};
    Image img(100, 16);
    LetterStyle s;
    s.scale = 2;
    s.spacing = 1;
    s.fill = kRamps[level];
    s.fillTop = 0.95;
    s.fillBottom = 0.55;
    s.highlight = kCream(15);
    DrawTextCentred(img, 50, 1, kNames[level], s);
    return img;
}

Image JumpCountLabel(const Image& background) {
    Image img = background;
    LetterStyle s = GoldLetters(2, 0.55);
    s.shadow = ink::kPanel(1);
    DrawText(img, 4, 1, "JUMP", s);
    return img;
}

Image PauseSign() {
    using namespace ink;
    Image img(128, 48);
    // A gold-rimmed violet plaque.
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 128; ++x)
            img.set(x, y, Dither(kViolet, 0.55 - 0.35 * y / 47.0, x, y));
    img.frame(0, 0, 128, 48, kInk(0));
    Bevel(img, 2, 2, 124, 44, 1, kGold(16), kGold(5));
    img.frame(3, 3, 122, 42, kGold(9));
    Bevel(img, 5, 5, 118, 38, 1, kViolet(1), kViolet(6));
    LetterStyle s = GoldLetters(3, 0.5);
    s.outline = kInk(0);
    s.shadow = kViolet(0);
    s.shadowOffset = 2;
    DrawTextCentred(img, 64, 13, "PAUSE", s);
    return img;
}
