// Fonts and text through GDI, without antialiasing, so that every text
// pixel is one palette index: each run is drawn black on white into an
// 8-bit DIB section and copied into the bitmap as ink and paper.
#include "font_files.h"
#include "text_runs.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#undef TextOut // windows.h's name for TextOutW; ours is the game's

namespace {

struct GdiFace {
    HFONT font = nullptr;
    std::int32_t ascent = 0;
    std::int32_t height = 0;
};

} // namespace

struct PlatformFont {
    // The first family's face, then the later families' for the characters
    // the first one lacks.
    std::vector<GdiFace> faces;
    std::vector<std::size_t> fallbacks; // 1 .. faces.size() - 1
    std::int32_t lineHeight = 0;
    std::int32_t ascent = 0;
};

namespace {

// The pixel height is the em (a negative height asks for the character
// height, not the cell), as on Linux.
GdiFace MakeFace(const std::wstring& family, std::int32_t pixelHeight, std::int32_t weight) {
    GdiFace face;
    face.font = CreateFontW(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, family.c_str());
    if (!face.font)
        return face;
    const HDC context = TextContext();
    const HGDIOBJ old = SelectObject(context, face.font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SelectObject(context, old);
    face.ascent = metrics.tmAscent;
    face.height = metrics.tmHeight;
    return face;
}

// One cell height for every line: some faces' parentheses and descenders
// reach below the height the face claims. The tallest of those glyphs
// fixes the cell, so lines never change height with their letters.
std::int32_t LineHeight(const GdiFace& face) {
    const HDC context = TextContext();
    const HGDIOBJ old = SelectObject(context, face.font);
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    std::int32_t top = 0;
    std::int32_t bottom = face.height;
    for (const wchar_t glyph : std::wstring_view(L"Ag|()[]\xff08\xff09")) {
        GLYPHMETRICS metrics{};
        if (GetGlyphOutlineW(context, glyph, GGO_METRICS, &metrics, 0, nullptr, &identity) ==
            GDI_ERROR)
            continue;
        const std::int32_t glyphTop = face.ascent - metrics.gmptGlyphOrigin.y;
        top = std::min(top, glyphTop);
        bottom = std::max(bottom, glyphTop + static_cast<std::int32_t>(metrics.gmBlackBoxY));
    }
    SelectObject(context, old);
    return bottom - top;
}

std::wstring Wide(std::string_view utf8) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

bool HasGlyph(const GdiFace& face, std::uint32_t code) {
    if (code > 0xFFFF)
        return false; // outside what one UTF-16 unit names: left to the first face
    const HDC context = TextContext();
    const HGDIOBJ old = SelectObject(context, face.font);
    const wchar_t character = static_cast<wchar_t>(code);
    WORD index = 0xFFFF;
    const DWORD found =
        GetGlyphIndicesW(context, &character, 1, &index, GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(context, old);
    return found != GDI_ERROR && index != 0xFFFF;
}

using Run = TextRun<std::size_t>;

std::vector<Run> SplitByFace(const PlatformFont& font, std::string_view utf8) {
    return SplitIntoRuns<std::size_t>(
        0, font.fallbacks, utf8,
        [&font](std::size_t face, std::uint32_t code) { return HasGlyph(font.faces[face], code); });
}

std::int32_t RunWidth(const PlatformFont& font, const std::wstring& text, std::size_t face) {
    const HDC context = TextContext();
    const HGDIOBJ old = SelectObject(context, font.faces[face].font);
    SIZE size{};
    const bool measured =
        GetTextExtentPoint32W(context, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(context, old);
    return measured ? size.cx : 0;
}

// Draws one run with its cell's top-left at (x, y).
void DrawRun(ContextHandle context, std::int32_t x, std::int32_t y, const GdiFace& face,
             const std::wstring& text, std::int32_t width) {
    const std::int32_t rows = std::max(face.height, context->font->lineHeight);
    if (width <= 0 || rows <= 0)
        return;
    // Top-down, one byte a pixel: colour 0 white, colour 1 black.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -rows;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 2;
    info.colors[0] = {255, 255, 255, 0};
    const HDC dc = TextContext();
    void* bits = nullptr;
    const HBITMAP section = CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(&info),
                                             DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section)
        return;
    const std::size_t pitch = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
    std::memset(bits, 0, pitch * static_cast<std::size_t>(rows));
    const HGDIOBJ oldBitmap = SelectObject(dc, section);
    const HGDIOBJ oldFont = SelectObject(dc, face.font);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    ExtTextOutW(dc, 0, 0, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
    GdiFlush();
    const RenderedRun run{static_cast<const std::uint8_t*>(bits), pitch, width, rows, face.ascent};
    CopyRunIntoCell(*context, x, y, context->font->lineHeight, context->font->ascent, run);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(section);
}

} // namespace

FontHandle CreateFontByFamilies(std::span<const std::string_view> families,
                                std::int32_t pixelHeight, std::int32_t weight) {
    if (pixelHeight <= 0)
        return nullptr;
    auto* font = new PlatformFont;
    for (std::string_view family : families) {
        const std::wstring wide = WideFamily(family);
        if (!IsWideFamilyInstalled(wide))
            continue; // GDI would quietly substitute another face
        if (const GdiFace face = MakeFace(wide, pixelHeight, weight); face.font)
            font->faces.push_back(face);
    }
    // None of them installed: the system's default face rather than no text.
    if (font->faces.empty()) {
        if (const GdiFace face = MakeFace(DefaultFamily(), pixelHeight, weight); face.font)
            font->faces.push_back(face);
    }
    if (font->faces.empty()) {
        delete font;
        return nullptr;
    }
    for (std::size_t i = 1; i < font->faces.size(); ++i)
        font->fallbacks.push_back(i);
    font->lineHeight = LineHeight(font->faces[0]);
    font->ascent = font->faces[0].ascent;
    return font;
}

bool IsFontFamilyInstalled(std::string_view family) {
    return IsWideFamilyInstalled(WideFamily(family));
}

void DeleteFont(FontHandle font) {
    if (!font)
        return;
    for (const GdiFace& face : font->faces)
        DeleteObject(face.font);
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
    std::int32_t width = 0;
    for (const Run& run : SplitByFace(*font, utf8))
        width += RunWidth(*font, Wide(run.text), run.face);
    return {width, font->lineHeight};
}

void TextOut(ContextHandle context, std::int32_t x, std::int32_t y, std::string_view utf8) {
    if (!context || !context->bitmap || !context->font || utf8.empty())
        return;
    const PlatformFont& font = *context->font;
    for (const Run& run : SplitByFace(font, utf8)) {
        const std::wstring text = Wide(run.text);
        const std::int32_t width = RunWidth(font, text, run.face);
        DrawRun(context, x, y, font.faces[run.face], text, width);
        x += width;
    }
}
