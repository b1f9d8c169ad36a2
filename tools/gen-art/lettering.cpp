#include "lettering.h"

#include "font_grids.h"

#include <vector>

namespace {

const std::vector<std::string>& GlyphFor(char c, const LetterStyle& style) {
    return style.digitFont ? GlyphDigit8x12(c) : Glyph5x7(c);
}

int GlyphColumns(const LetterStyle& style) {
    return style.digitFont ? 8 : 5;
}

// The lettering as a coverage grid, before any colour is chosen.
Image InkMask(const std::string& text, const LetterStyle& style) {
    Image mask(TextWidth(text, style), TextHeight(style));
    int x = 0;
    for (char c : text) {
        const auto& rows = GlyphFor(c, style);
        for (int j = 0; j < static_cast<int>(rows.size()); ++j)
            for (int i = 0; i < static_cast<int>(rows[j].size()); ++i)
                if (rows[j][i] == '#')
                    mask.fill(x + i * style.scale, j * style.scale, style.scale, style.scale, 1);
        x += (GlyphColumns(style) + style.spacing) * style.scale;
    }
    return mask;
}

bool Covered(const Image& mask, int x, int y) {
    return mask.inside(x, y) && mask.at(x, y);
}

} // namespace

LetterStyle GoldLetters(int scale, double fillBottom) {
    LetterStyle s;
    s.scale = scale;
    s.fill = ink::kGold;
    s.fillTop = 1.0;
    s.fillBottom = fillBottom;
    s.highlight = ink::kCream(15);
    return s;
}

LetterStyle GoldDigits(int scale) {
    LetterStyle s = GoldLetters(scale, 0.45);
    s.digitFont = true;
    s.fillTop = 0.95;
    return s;
}

int TextWidth(const std::string& text, const LetterStyle& style) {
    if (text.empty())
        return 0;
    int n = static_cast<int>(text.size());
    return (n * (GlyphColumns(style) + style.spacing) - style.spacing) * style.scale;
}

int TextHeight(const LetterStyle& style) {
    return (style.digitFont ? 12 : 7) * style.scale;
}

void DrawText(Image& img, int x, int y, const std::string& text, const LetterStyle& style) {
    Image mask = InkMask(text, style);
    if (style.shadow >= 0) {
        for (int j = -1; j <= mask.height + style.shadowOffset; ++j)
            for (int i = -1; i <= mask.width + style.shadowOffset; ++i) {
                // Extruded: every offset from 1 to shadowOffset, so deep
                // shadows read as solid blocks behind the letters.
                bool under = false;
                for (int d = 1; d <= style.shadowOffset && !under; ++d) {
                    int sx = i - d, sy = j - d;
                    under = Covered(mask, sx, sy);
                    for (int dy = -1; dy <= 1 && style.outline >= 0 && !under; ++dy)
                        for (int dx = -1; dx <= 1 && !under; ++dx)
                            under = Covered(mask, sx + dx, sy + dy);
                }
                if (under)
                    img.set(x + i, y + j, static_cast<std::uint8_t>(style.shadow));
            }
    }
    if (style.outline >= 0) {
        for (int j = -1; j <= mask.height; ++j)
            for (int i = -1; i <= mask.width; ++i) {
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy)
                    for (int dx = -1; dx <= 1 && !near; ++dx)
                        near = Covered(mask, i + dx, j + dy);
                if (near)
                    img.set(x + i, y + j, static_cast<std::uint8_t>(style.outline));
            }
    }
    for (int j = 0; j < mask.height; ++j) {
        double t = mask.height == 1 ? 0.0 : static_cast<double>(j) / (mask.height - 1);
        double shade = style.fillTop + (style.fillBottom - style.fillTop) * t;
        for (int i = 0; i < mask.width; ++i) {
            if (!mask.at(i, j))
                continue;
            std::uint8_t v = Dither(style.fill, shade, x + i, y + j);
            if (style.highlight >= 0 && !Covered(mask, i, j - 1))
                v = static_cast<std::uint8_t>(style.highlight);
            img.set(x + i, y + j, v);
        }
    }
}

void DrawTextCentred(Image& img, int cx, int y, const std::string& text, const LetterStyle& style) {
    DrawText(img, cx - TextWidth(text, style) / 2, y, text, style);
}
