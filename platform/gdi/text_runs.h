#pragma once

// What text drawing shares on every system: splitting a string into runs
// by the first face that has each character, and copying a run the system
// has rendered into the destination's cell through the clip.

#include "clip_walk.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Decodes one UTF-8 character at text[at], moving at past it; a broken
// sequence gives its first byte as a character of its own.
inline std::uint32_t NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<std::uint8_t>(text[at++]);
    const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::uint32_t code = length == 1 ? lead : lead & (0x3Fu >> (length - 1));
    for (int i = 1; i < length; ++i) {
        if (at >= text.size() || (static_cast<std::uint8_t>(text[at]) & 0xC0) != 0x80)
            return lead;
        code = (code << 6) | (static_cast<std::uint8_t>(text[at++]) & 0x3Fu);
    }
    return code;
}

// A stretch of text drawn by one face.
template <typename Face>
struct TextRun {
    Face face;
    std::string text;
};

// Splits text into runs by the first face that has each character; a
// character no face has stays with the first face. hasGlyph(face, code)
// answers for one face.
template <typename Face, typename HasGlyph>
std::vector<TextRun<Face>> SplitIntoRuns(Face first, std::span<const Face> fallbacks,
                                         std::string_view utf8, HasGlyph&& hasGlyph) {
    std::vector<TextRun<Face>> runs;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t start = at;
        const std::uint32_t code = NextCodePoint(utf8, at);
        Face face = first;
        if (code > 0x7F && !hasGlyph(first, code)) {
            for (const Face& fallback : fallbacks) {
                if (hasGlyph(fallback, code)) {
                    face = fallback;
                    break;
                }
            }
        }
        if (runs.empty() || runs.back().face != face)
            runs.push_back({face, {}});
        runs.back().text.append(utf8.substr(start, at - start));
    }
    return runs;
}

// A run as the system rendered it: one byte a pixel, 0 the background and
// anything else ink, its top row at the face's top.
struct RenderedRun {
    const std::uint8_t* pixels = nullptr;
    std::size_t pitch = 0;
    std::int32_t width = 0;
    std::int32_t rows = 0;
    // The rendering face's ascent: a fallback face's baseline is moved onto
    // the first face's.
    std::int32_t ascent = 0;
};

// Copies a run into the context's bitmap with its cell's top-left at (x, y)
// in the text colour, and in opaque mode the rest of the cell in the
// background colour. The cell is the line height tall, whatever the
// rendered run's height.
inline void CopyRunIntoCell(PlatformContext& context, std::int32_t x, std::int32_t y,
                            std::int32_t lineHeight, std::int32_t lineAscent,
                            const RenderedRun& run) {
    const std::int32_t baselineShift = lineAscent - run.ascent;
    PlatformBitmap& to = *context.bitmap;
    const bool mono = to.format == BitmapFormat::Mono;
    const std::uint8_t ink = mono ? MonoBitFor(context.textColor) : context.textColor;
    const std::uint8_t paper = mono ? MonoBitFor(context.backgroundColor) : context.backgroundColor;
    const bool opaque = context.opaqueBackground;
    const PixelRect area =
        ClampToBitmap(x, y, std::int64_t{x} + run.width, std::int64_t{y} + lineHeight, to);
    ++to.changeCount;
    ForEachClippedSpan(
        context, area, {}, [&](std::int32_t row, std::int32_t left, std::int32_t right) {
            std::uint8_t* out = BitmapRow(to, row) + left;
            const std::int32_t sourceRow = row - y - baselineShift;
            if (sourceRow < 0 || sourceRow >= run.rows) {
                if (opaque)
                    std::fill(out, out + (right - left), paper);
                return;
            }
            const std::uint8_t* from =
                run.pixels + static_cast<std::size_t>(sourceRow) * run.pitch + (left - x);
            for (std::int32_t i = 0; i < right - left; ++i) {
                if (from[i] != 0)
                    out[i] = ink;
                else if (opaque)
                    out[i] = paper;
            }
        });
}
