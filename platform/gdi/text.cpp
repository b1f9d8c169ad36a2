// Fonts and text through SDL_ttf, aliased ("Solid") so that every text
// pixel is one palette index. SDL_ttf counts its initialisations: each font
// holds one, so the library is shut down again with the last font.
#include "platform/gdi/clip_walk.h"
#include "platform/gdi/font_lookup.h"

#include <SDL_ttf.h>
#include <algorithm>
#include <string>

struct PlatformFont {
    TTF_Font* font = nullptr;
    std::int32_t lineHeight = 0;
    std::int32_t ascent = 0;
};

namespace {

constexpr std::int32_t firstBoldWeight = 600;

// One cell height for every line, as the original's text metrics had: some
// faces' parentheses and descenders reach below the height the face claims,
// and SDL_ttf then grows the rendered line by a row. The tallest of those
// glyphs fixes the cell, so lines never change height with their letters.
std::int32_t LineHeight(TTF_Font* font) {
    int width = 0;
    int height = 0;
    if (TTF_SizeUTF8(font, "Ag|()[]\xef\xbc\x88\xef\xbc\x89", &width, &height) != 0)
        height = 0;
    return std::max(TTF_FontHeight(font), height);
}

// Opened at the pixel height as point size: SDL_ttf's 72 dpi makes a point
// a pixel, so the em is exactly pixelHeight for every height (the 96-dpi
// point sizes of the original would round at heights not divisible by 4).
FontHandle OpenFace(const FontFace& face, std::int32_t pixelHeight, std::int32_t weight) {
    if (TTF_Init() != 0)
        return nullptr;
    TTF_Font* font = TTF_OpenFontIndex(face.file.c_str(), pixelHeight, face.index);
    if (!font) {
        TTF_Quit();
        return nullptr;
    }
    if (weight >= firstBoldWeight && !face.bold)
        TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    return new PlatformFont{font, LineHeight(font), TTF_FontAscent(font)};
}

} // namespace

FontHandle CreateFontByFamilies(std::span<const std::string_view> families,
                                std::int32_t pixelHeight, std::int32_t weight) {
    if (pixelHeight <= 0)
        return nullptr;
    for (std::string_view family : families) {
        const std::optional<FontFace> face = FindFontFace(family, weight);
        if (!face)
            continue;
        if (FontHandle font = OpenFace(*face, pixelHeight, weight))
            return font;
    }
    return nullptr;
}

void DeleteFont(FontHandle font) {
    if (!font)
        return;
    TTF_CloseFont(font->font);
    TTF_Quit();
    delete font;
}

std::int32_t FontLineHeight(FontHandle font) {
    return font ? font->lineHeight : 0;
}
std::int32_t FontAscent(FontHandle font) {
    return font ? font->ascent : 0;
}

TextExtent GetTextExtent(FontHandle font, std::string_view utf8) {
    if (!font)
        return {0, 0};
    if (utf8.empty())
        return {0, font->lineHeight};
    const std::string text(utf8);
    int width = 0;
    int height = 0;
    if (TTF_SizeUTF8(font->font, text.c_str(), &width, &height) != 0)
        width = 0;
    return {width, font->lineHeight};
}

void TextOut(ContextHandle context, std::int32_t x, std::int32_t y, std::string_view utf8) {
    if (!context || !context->bitmap || !context->font || utf8.empty())
        return;
    const std::string text(utf8);
    SDL_Surface* rendered =
        TTF_RenderUTF8_Solid(context->font->font, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered)
        return;
    // An 8-bit surface: 0 is the cell's background, anything else ink. Its
    // colours are of no use here, the indices are copied by hand.
    SDL_LockSurface(rendered);
    PlatformBitmap& to = *context->bitmap;
    const bool mono = to.format == BitmapFormat::Mono;
    const std::uint8_t ink = mono ? MonoBitFor(context->textColor) : context->textColor;
    const std::uint8_t paper =
        mono ? MonoBitFor(context->backgroundColor) : context->backgroundColor;
    const bool opaque = context->opaqueBackground;
    const auto* pixels = static_cast<const std::uint8_t*>(rendered->pixels);
    // The cell is the line height tall, whatever the rendered line's height.
    const std::int32_t renderedRows = rendered->h;
    const PixelRect area = ClampToBitmap(x, y, std::int64_t{x} + rendered->w,
                                         std::int64_t{y} + context->font->lineHeight, to);
    ++to.changeCount;
    ForEachClippedSpan(
        *context, area, {}, [&](std::int32_t row, std::int32_t left, std::int32_t right) {
            std::uint8_t* out = BitmapRow(to, row) + left;
            if (row - y >= renderedRows) {
                if (opaque)
                    std::fill(out, out + (right - left), paper);
                return;
            }
            const std::uint8_t* from =
                pixels + static_cast<std::size_t>(row - y) * rendered->pitch + (left - x);
            for (std::int32_t i = 0; i < right - left; ++i) {
                if (from[i] != 0)
                    out[i] = ink;
                else if (opaque)
                    out[i] = paper;
            }
        });
    SDL_UnlockSurface(rendered);
    SDL_FreeSurface(rendered);
}
