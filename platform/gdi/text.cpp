// Fonts and text through SDL_ttf, aliased ("Solid") so that every text
// pixel is one palette index. SDL_ttf counts its initialisations: each font
// holds one, so the library is shut down again with the last font.
#include "font_lookup.h"
#include "text_runs.h"

#include <SDL_ttf.h>
#include <algorithm>
#include <string>
#include <vector>

struct PlatformFont {
    TTF_Font* font = nullptr;
    std::int32_t lineHeight = 0;
    std::int32_t ascent = 0;
    // The later families, for the characters the first one lacks.
    std::vector<TTF_Font*> fallbacks;
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
// Each open face holds one initialisation of the library.
TTF_Font* OpenFace(const FontFace& face, std::int32_t pixelHeight, std::int32_t weight) {
    if (TTF_Init() != 0)
        return nullptr;
    TTF_Font* font = TTF_OpenFontIndex(face.file.c_str(), pixelHeight, face.index);
    if (!font) {
        TTF_Quit();
        return nullptr;
    }
    if (weight >= firstBoldWeight && !face.bold)
        TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    return font;
}

void CloseFace(TTF_Font* font) {
    TTF_CloseFont(font);
    TTF_Quit();
}

using Run = TextRun<TTF_Font*>;

std::vector<Run> SplitByFace(const PlatformFont& font, std::string_view utf8) {
    return SplitIntoRuns<TTF_Font*>(
        font.font, font.fallbacks, utf8,
        [](TTF_Font* face, std::uint32_t code) { return TTF_GlyphIsProvided32(face, code) != 0; });
}

std::int32_t RunWidth(const Run& run) {
    int width = 0;
    int height = 0;
    if (TTF_SizeUTF8(run.face, run.text.c_str(), &width, &height) != 0)
        return 0;
    return width;
}

} // namespace

FontHandle CreateFontByFamilies(std::span<const std::string_view> families,
                                std::int32_t pixelHeight, std::int32_t weight) {
    if (pixelHeight <= 0)
        return nullptr;
    PlatformFont* font = nullptr;
    for (std::string_view family : families) {
        const std::optional<FontFace> face = FindFontFace(family, weight);
        TTF_Font* opened = face ? OpenFace(*face, pixelHeight, weight) : nullptr;
        if (!opened)
            continue;
        if (!font)
            font = new PlatformFont{opened, LineHeight(opened), TTF_FontAscent(opened), {}};
        else
            font->fallbacks.push_back(opened);
    }
    // None of them installed: the system's default face rather than no text.
    const std::optional<FontFace> face = font ? std::nullopt : FindDefaultFontFace(weight);
    if (TTF_Font* opened = face ? OpenFace(*face, pixelHeight, weight) : nullptr)
        font = new PlatformFont{opened, LineHeight(opened), TTF_FontAscent(opened), {}};
    return font;
}

bool IsFontFamilyInstalled(std::string_view family) {
    return FindFontFace(family, 400).has_value();
}

void DeleteFont(FontHandle font) {
    if (!font)
        return;
    CloseFace(font->font);
    for (TTF_Font* fallback : font->fallbacks)
        CloseFace(fallback);
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
    std::int32_t width = 0;
    for (const Run& run : SplitByFace(*font, utf8))
        width += RunWidth(run);
    return {width, font->lineHeight};
}

namespace {

// Draws one run with its cell's top-left at (x, y).
void DrawRun(ContextHandle context, std::int32_t x, std::int32_t y, const Run& run) {
    SDL_Surface* rendered =
        TTF_RenderUTF8_Solid(run.face, run.text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered)
        return;
    // An 8-bit surface: 0 is the cell's background, anything else ink. Its
    // colours are of no use here, the indices are copied by hand.
    SDL_LockSurface(rendered);
    const RenderedRun pixels{static_cast<const std::uint8_t*>(rendered->pixels),
                             static_cast<std::size_t>(rendered->pitch), rendered->w, rendered->h,
                             TTF_FontAscent(run.face)};
    CopyRunIntoCell(*context, x, y, context->font->lineHeight, context->font->ascent, pixels);
    SDL_UnlockSurface(rendered);
    SDL_FreeSurface(rendered);
}

} // namespace

void TextOut(ContextHandle context, std::int32_t x, std::int32_t y, std::string_view utf8) {
    if (!context || !context->bitmap || !context->font || utf8.empty())
        return;
    for (const Run& run : SplitByFace(*context->font, utf8)) {
        DrawRun(context, x, y, run);
        x += RunWidth(run);
    }
}
