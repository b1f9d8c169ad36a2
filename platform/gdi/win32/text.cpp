// Fonts and text through GDI, without antialiasing, so that every text
// pixel is one palette index: each run is drawn black on white into an
// 8-bit DIB section and copied into the bitmap as ink and paper.
#include "font_files.h"
#include "text_runs.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#undef TextOut // windows.h's name for TextOutW; ours is the game's

namespace {

// One letter's ink and advance in whole pixels: its ink's left edge from
// the pen, its ink's top above the baseline.
struct GlyphBox {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t rows = 0;
    std::int32_t advance = 0;
};

// The face's hand-drawn bitmaps at one size, by glyph index.
using BitmapStrike = std::unordered_map<std::uint16_t, GlyphBox>;

struct GdiFace {
    HFONT font = nullptr;
    std::int32_t ascent = 0;
    std::int32_t height = 0;
    // GDI's own ascent and cell, where ExtTextOutW puts the glyphs.
    std::int32_t gdiAscent = 0;
    std::int32_t gdiHeight = 0;
    // The face's bitmaps drawn for this size, if it has them: Linux lays
    // those letters out by their own advances, not the outlines'.
    std::shared_ptr<const BitmapStrike> strike;
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

// A big-endian number of n bytes in a font table.
std::int32_t TableNumber(const std::vector<std::uint8_t>& table, std::size_t at, int bytes,
                         bool isSigned) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | table[at + static_cast<std::size_t>(i)];
    if (isSigned && bytes == 2)
        return static_cast<std::int16_t>(value);
    return static_cast<std::int32_t>(value);
}

std::vector<std::uint8_t> FontTable(HDC context, const char (&tag)[5]) {
    const DWORD name = static_cast<DWORD>(tag[0]) | static_cast<DWORD>(tag[1]) << 8 |
                       static_cast<DWORD>(tag[2]) << 16 | static_cast<DWORD>(tag[3]) << 24;
    const DWORD size = GetFontData(context, name, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0)
        return {};
    std::vector<std::uint8_t> table(size);
    if (GetFontData(context, name, 0, table.data(), size) != size)
        return {};
    return table;
}

// 16.16 fixed-point scaling as the font rasterizer on Linux does it: the
// quotient and the product rounded half away from zero.
std::int64_t DivideFixed(std::int64_t a, std::int64_t b) {
    return (a * 65536 + b / 2) / b;
}
std::int64_t MultiplyFixed(std::int64_t a, std::int64_t b) {
    const std::int64_t product = a * b;
    const std::int64_t rounded = ((product < 0 ? -product : product) + 0x8000) >> 16;
    return product < 0 ? -rounded : rounded;
}
// A 26.6 length rounded up to whole pixels.
std::int32_t CeilPixels(std::int64_t value) {
    return static_cast<std::int32_t>(((value + 63) & -64) / 64);
}

// The ascent and height the face gives on Linux at this em: its own
// ascender and descender (the horizontal header's, else the OS/2 table's)
// scaled and rounded up, rather than GDI's cell, which rounds otherwise.
bool LinuxMetrics(HDC context, std::int32_t pixelHeight, GdiFace& face) {
    const std::vector<std::uint8_t> head = FontTable(context, "head");
    const std::vector<std::uint8_t> hhea = FontTable(context, "hhea");
    if (head.size() < 54 || hhea.size() < 36)
        return false;
    const std::int32_t unitsPerEm = TableNumber(head, 18, 2, false);
    std::int32_t ascender = TableNumber(hhea, 4, 2, true);
    std::int32_t descender = TableNumber(hhea, 6, 2, true);
    if (ascender == 0 && descender == 0) {
        const std::vector<std::uint8_t> os2 = FontTable(context, "OS/2");
        if (os2.size() < 78)
            return false;
        ascender = TableNumber(os2, 68, 2, true);
        descender = TableNumber(os2, 70, 2, true);
        if (ascender == 0 && descender == 0) {
            ascender = TableNumber(os2, 74, 2, false);
            descender = -TableNumber(os2, 76, 2, false);
        }
    }
    if (unitsPerEm <= 0)
        return false;
    const std::int64_t scale = DivideFixed(std::int64_t{pixelHeight} * 64, unitsPerEm);
    face.ascent = CeilPixels(MultiplyFixed(ascender, scale));
    face.height = CeilPixels(MultiplyFixed(ascender - descender, scale));
    return true;
}

// The ink boxes and advances of the bitmaps the face has for this pixel
// size (its 'EBLC' index into its 'EBDT' data), where the index gives each
// bitmap's own metrics; null when it has none.
std::shared_ptr<const BitmapStrike> ReadBitmapStrike(HDC context, std::int32_t pixelHeight) {
    const std::vector<std::uint8_t> index = FontTable(context, "EBLC");
    if (index.size() < 8)
        return nullptr;
    const std::vector<std::uint8_t> data = FontTable(context, "EBDT");
    const auto number = [](const std::vector<std::uint8_t>& table, std::size_t at, int bytes) {
        return at + static_cast<std::size_t>(bytes) <= table.size()
                   ? static_cast<std::size_t>(TableNumber(table, at, bytes, false))
                   : std::size_t{0};
    };
    const std::size_t strikes = number(index, 4, 4);
    for (std::size_t i = 0; i < strikes; ++i) {
        const std::size_t record = 8 + 48 * i;
        if (record + 48 > index.size() || index[record + 45] != pixelHeight ||
            index[record + 44] != pixelHeight)
            continue;
        auto strike = std::make_shared<BitmapStrike>();
        const std::size_t subtables = number(index, record, 4);
        for (std::size_t j = 0; j < number(index, record + 8, 4); ++j) {
            const std::size_t entry = subtables + 8 * j;
            const std::size_t first = number(index, entry, 2);
            const std::size_t last = number(index, entry + 2, 2);
            const std::size_t header = subtables + number(index, entry + 4, 4);
            const std::size_t indexFormat = number(index, header, 2);
            const std::size_t imageFormat = number(index, header + 2, 2);
            const std::size_t imageData = number(index, header + 4, 4);
            // Offsets of four bytes (format 1) or two (format 3) per glyph, to
            // bitmaps that begin with their metrics (all image formats but 5).
            const int width = indexFormat == 1 ? 4 : indexFormat == 3 ? 2 : 0;
            if (width == 0 || imageFormat == 5 || imageFormat > 9)
                continue;
            for (std::size_t glyph = first; glyph <= last; ++glyph) {
                const std::size_t at =
                    header + 8 + (glyph - first) * static_cast<std::size_t>(width);
                const std::size_t start = imageData + number(index, at, width);
                if (number(index, at + static_cast<std::size_t>(width), width) ==
                        number(index, at, width) ||
                    start + 5 > data.size())
                    continue; // no bitmap for this glyph
                // Small and big metrics begin alike: height, width, bearings, advance.
                (*strike)[static_cast<std::uint16_t>(glyph)] = {
                    static_cast<std::int8_t>(data[start + 2]),
                    static_cast<std::int8_t>(data[start + 3]), data[start + 1], data[start],
                    data[start + 4]};
            }
        }
        return strike;
    }
    return nullptr;
}

// Each letter's ink box and advance as Linux lays it out: the face's own
// bitmap where it has one for this size, else GDI's hinted outline.
std::vector<GlyphBox> GlyphBoxes(const GdiFace& face, std::wstring_view text) {
    std::vector<GlyphBox> boxes(text.size());
    const HDC context = TextContext();
    const HGDIOBJ old = SelectObject(context, face.font);
    std::vector<WORD> glyphs(text.size(), 0xFFFF);
    if (face.strike && !text.empty())
        GetGlyphIndicesW(context, text.data(), static_cast<int>(text.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS);
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (face.strike) {
            if (const auto found = face.strike->find(glyphs[i]); found != face.strike->end()) {
                boxes[i] = found->second;
                continue;
            }
        }
        GLYPHMETRICS metrics{};
        if (GetGlyphOutlineW(context, text[i], GGO_METRICS, &metrics, 0, nullptr, &identity) !=
            GDI_ERROR) {
            boxes[i] = {metrics.gmptGlyphOrigin.x, metrics.gmptGlyphOrigin.y,
                        static_cast<std::int32_t>(metrics.gmBlackBoxX),
                        static_cast<std::int32_t>(metrics.gmBlackBoxY), metrics.gmCellIncX};
        } else if (SIZE size{}; GetTextExtentPoint32W(context, &text[i], 1, &size)) {
            boxes[i].advance = size.cx; // half of a pair beyond the first 65536 letters
        }
    }
    SelectObject(context, old);
    return boxes;
}

HFONT OpenGdiFont(const std::wstring& family, std::int32_t pixelHeight, std::int32_t weight) {
    return CreateFontW(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, family.c_str());
}

// The pixel height is the em (a negative height asks for the character
// height, not the cell), as on Linux. A bold the family has no face for is
// drawn with the regular face, as the Linux game draws Mona (whose one face
// its font configuration already counts as bold): GDI's own made-up bold
// would be a pixel wider a letter and set every bold label apart.
GdiFace MakeFace(const std::wstring& family, std::int32_t pixelHeight, std::int32_t weight) {
    GdiFace face;
    face.font = OpenGdiFont(family, pixelHeight, weight);
    if (!face.font)
        return face;
    const HDC context = TextContext();
    const HGDIOBJ old = SelectObject(context, face.font);
    if (weight >= FW_SEMIBOLD) {
        const std::vector<std::uint8_t> boldHead = FontTable(context, "head");
        if (const HFONT regular = OpenGdiFont(family, pixelHeight, FW_NORMAL)) {
            SelectObject(context, regular);
            if (FontTable(context, "head") == boldHead) { // the same face: no bold of its own
                DeleteObject(face.font);
                face.font = regular;
            } else {
                SelectObject(context, face.font);
                DeleteObject(regular);
            }
        }
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    face.ascent = face.gdiAscent = metrics.tmAscent;
    face.height = face.gdiHeight = metrics.tmHeight;
    LinuxMetrics(context, pixelHeight, face);
    face.strike = ReadBitmapStrike(context, pixelHeight);
    SelectObject(context, old);
    return face;
}

// One cell height for every line: some faces' parentheses and descenders
// reach below the height the face claims. The tallest of those glyphs
// fixes the cell, so lines never change height with their letters.
std::int32_t LineHeight(const GdiFace& face) {
    std::int32_t top = 0;
    std::int32_t bottom = face.height;
    for (const GlyphBox& box : GlyphBoxes(face, L"Ag|()[]\xff08\xff09")) {
        if (box.width == 0)
            continue;
        top = std::min(top, face.ascent - box.top);
        bottom = std::max(bottom, face.ascent - box.top + box.rows);
    }
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

// A run laid out as on Linux: each letter at the sum of the advances before
// it, and the run as wide as its ink and its advances reach, from the
// leftmost ink or the start, whichever is further left (where the run's
// first pixel column then is).
struct RunLayout {
    std::vector<INT> advances;
    std::int32_t width = 0;
    std::int32_t start = 0; // the first letter's origin in the run's pixels
};

RunLayout LayOutRun(const GdiFace& face, const std::wstring& text) {
    RunLayout layout;
    std::int32_t x = 0;
    std::int32_t left = 0;
    std::int32_t right = 0;
    for (const GlyphBox& box : GlyphBoxes(face, text)) {
        if (box.width != 0) {
            left = std::min(left, x + box.left);
            right = std::max(right, x + box.left + box.width);
        }
        layout.advances.push_back(box.advance);
        x += box.advance;
    }
    layout.width = std::max(right, x) - left;
    layout.start = -left;
    return layout;
}

// Draws one run with its cell's top-left at (x, y).
void DrawRun(ContextHandle context, std::int32_t x, std::int32_t y, const GdiFace& face,
             const std::wstring& text, const RunLayout& layout) {
    const std::int32_t width = layout.width;
    // GDI puts the baseline its ascent below the top; the rows reach down as
    // far as GDI's cell or the line's.
    const PlatformFont& font = *context->font;
    const std::int32_t rows =
        face.gdiAscent + std::max({face.gdiHeight - face.gdiAscent, face.height - face.ascent,
                                   font.lineHeight - font.ascent});
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
    ExtTextOutW(dc, layout.start, 0, 0, nullptr, text.data(), static_cast<UINT>(text.size()),
                layout.advances.data());
    GdiFlush();
    const RenderedRun run{static_cast<const std::uint8_t*>(bits), pitch, width, rows,
                          face.gdiAscent};
    CopyRunIntoCell(*context, x, y, font.lineHeight, font.ascent, run);
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
        width += LayOutRun(font->faces[run.face], Wide(run.text)).width;
    return {width, font->lineHeight};
}

void TextOut(ContextHandle context, std::int32_t x, std::int32_t y, std::string_view utf8) {
    if (!context || !context->bitmap || !context->font || utf8.empty())
        return;
    const PlatformFont& font = *context->font;
    for (const Run& run : SplitByFace(font, utf8)) {
        const std::wstring text = Wide(run.text);
        const RunLayout layout = LayOutRun(font.faces[run.face], text);
        DrawRun(context, x, y, font.faces[run.face], text, layout);
        x += layout.width;
    }
}
