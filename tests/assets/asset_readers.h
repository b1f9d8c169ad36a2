// Strict little readers for the committed asset formats: BMP (with RLE8),
// RIFF WAVE and Standard MIDI. Each names the first fault it finds in
// `error` instead of crashing, so a broken file fails its test cleanly.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace asset_readers {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadAsset(const std::string& name) {
    std::ifstream in(std::string(VARNISK_ASSET_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An n-byte number, little- or big-endian; a read past the end throws.
inline std::uint32_t Le(const Bytes& b, std::size_t at, int n) {
    std::uint32_t v = 0;
    while (n-- > 0)
        v = v << 8 | b.at(at + n);
    return v;
}
inline std::uint32_t Be(const Bytes& b, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = v << 8 | b.at(at + i);
    return v;
}
inline std::string Tag(const Bytes& b, std::size_t at) {
    return at + 4 <= b.size() ? std::string(b.begin() + at, b.begin() + at + 4) : "";
}

// The reader's result with its fault named, for an early return.
template <class Result>
Result Failed(Result r, std::string why) {
    r.error = std::move(why);
    return r;
}

struct Colour {
    std::uint8_t r, g, b;
    auto operator<=>(const Colour&) const = default;
};

struct Bitmap {
    int width = 0, height = 0, bits = 0, compression = -1;
    std::uint32_t clrUsed = 0;
    std::vector<Colour> table;
    Bytes pixels;      // rows top-down, one byte per pixel whatever the depth
    std::string error; // empty when the file decoded cleanly
    std::uint8_t at(int x, int y) const { return pixels.at(y * width + x); }
};

// Strict RLE8: no run overflows its row, every row is full, and the
// end-of-bitmap mark follows the last pixel and ends the data.
inline std::string DecodeRle8(const Bytes& b, std::size_t pos, Bitmap& bmp) {
    int x = 0, row = 0; // row counts up from the bottom
    while (pos + 1 < b.size()) {
        const unsigned count = b[pos], value = b[pos + 1];
        pos += 2;
        if (count == 0 && value < 3) {
            if (value == 2)
                return "RLE8 delta is not used by our pictures";
            if (x != bmp.width || (value == 1 && row != bmp.height - 1))
                return "RLE8 row or bitmap ends early";
            if (value == 1)
                return pos == b.size() ? "" : "bytes after RLE8 end-of-bitmap";
            x = 0, ++row;
            continue;
        }
        const int n = static_cast<int>(count ? count : value); // a run, or literal pixels
        if (x + n > bmp.width || row >= bmp.height || (!count && pos + n > b.size()))
            return "RLE8 run overflows";
        for (int i = 0; i < n; ++i, ++x)
            bmp.pixels[(bmp.height - 1 - row) * bmp.width + x] =
                static_cast<std::uint8_t>(count ? value : b[pos + i]);
        if (!count)
            pos += n + n % 2;
    }
    return "RLE8 data ends without end-of-bitmap";
}

inline Bitmap LoadBmp(const std::string& name) {
    Bitmap bmp;
    const Bytes b = ReadAsset(name);
    if (b.size() < 54 || Tag(b, 0).substr(0, 2) != "BM")
        return Failed(bmp, "not a BMP file");
    bmp.width = static_cast<int>(Le(b, 18, 4));
    bmp.height = static_cast<int>(Le(b, 22, 4));
    bmp.bits = static_cast<int>(Le(b, 28, 2));
    bmp.compression = static_cast<int>(Le(b, 30, 4));
    bmp.clrUsed = Le(b, 46, 4);
    const std::size_t colours = bmp.clrUsed ? bmp.clrUsed : 1u << bmp.bits, offset = Le(b, 10, 4);
    for (std::size_t i = 0, at = 54; i < colours; ++i, at += 4)
        bmp.table.push_back({b.at(at + 2), b.at(at + 1), b.at(at)});
    const std::size_t stride = (bmp.width * bmp.bits + 31) / 32 * 4;
    const bool rle = bmp.compression == 1;
    const std::pair<bool, const char*> faults[] = {
        {Le(b, 2, 4) != b.size(), "file size field is wrong"},
        {Le(b, 14, 4) != 40, "header is not a 40-byte BITMAPINFOHEADER"},
        {offset != 54 + 4 * colours, "pixels do not follow the colour table"},
        {bmp.width <= 0 || bmp.height <= 0, "not a bottom-up bitmap"},
        {rle && Le(b, 34, 4) != b.size() - offset, "biSizeImage is wrong for RLE8"},
        {!rle && b.size() != offset + stride * bmp.height, "pixel rows have the wrong size"}};
    for (const auto& [broken, why] : faults)
        if (broken)
            return Failed(bmp, why);
    bmp.pixels.assign(static_cast<std::size_t>(bmp.width) * bmp.height, 0);
    if (rle)
        return Failed(bmp, DecodeRle8(b, offset, bmp));
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x) {
            const std::size_t row = offset + (bmp.height - 1 - y) * stride;
            bmp.pixels[y * bmp.width + x] = static_cast<std::uint8_t>(
                bmp.bits == 8 ? b[row + x] : (b[row + x / 8] >> (7 - x % 8)) & 1);
        }
    return bmp;
}

// A wave as our generator writes it: the canonical 44-byte header (RIFF,
// one 16-byte "fmt " chunk, the "data" chunk), padded to an even length.
struct Wave {
    std::string error;
    // format tag, channels, rate, byte rate, block align, bits per sample
    std::array<std::uint32_t, 6> format{};
    Bytes samples;
};

inline Wave ReadWave(const std::string& name) {
    const Bytes b = ReadAsset(name);
    Wave w;
    if (b.size() < 44 || Tag(b, 0) != "RIFF" || Tag(b, 8) != "WAVE" || Tag(b, 12) != "fmt " ||
        Le(b, 16, 4) != 16 || Tag(b, 36) != "data")
        return Failed(w, name + " does not start with a plain RIFF WAVE header");
    const std::size_t size = Le(b, 40, 4);
    if (Le(b, 4, 4) != b.size() - 8 || b.size() != 44 + size + size % 2)
        return Failed(w, name + " has chunk sizes that disagree with its length");
    const int widths[] = {2, 2, 4, 4, 2, 2};
    for (std::size_t i = 0, at = 20; i < 6; at += widths[i++])
        w.format[i] = Le(b, at, widths[i]);
    w.samples.assign(b.begin() + 44, b.begin() + 44 + size);
    return w;
}

struct MidiEvent {
    std::uint32_t tick = 0;
    std::uint8_t status = 0, meta = 0; // meta: the type of a 0xFF event
    Bytes data;                        // a channel message's data bytes, or the payload
    int Channel() const { return status & 0x0F; }
    int Kind() const { return status & 0xF0; }
    bool IsNoteOn() const { return Kind() == 0x90 && data[1] > 0; }
    bool IsNoteOff() const { return Kind() == 0x80 || (Kind() == 0x90 && data[1] == 0); }
    bool IsMeta(std::uint8_t type) const { return status == 0xFF && meta == type; }
};
constexpr std::uint8_t kEndOfTrack = 0x2F, kTempo = 0x51, kTimeSignature = 0x58;

struct Midi {
    int format = -1, declaredTracks = 0, division = 0;
    std::vector<std::vector<MidiEvent>> tracks;
    std::string error;
};

inline Midi ReadMidi(const std::string& name) {
    const Bytes b = ReadAsset(name);
    Midi m;
    if (b.size() < 14 || Tag(b, 0) != "MThd" || Be(b, 4, 4) != 6)
        return Failed(m, "no MThd chunk of six bytes at the start");
    m.format = static_cast<int>(Be(b, 8, 2));
    m.declaredTracks = static_cast<int>(Be(b, 10, 2));
    m.division = static_cast<int>(Be(b, 12, 2)); // top bit set: SMPTE frames
    for (std::size_t at = 14, length = 0; at < b.size(); at += 8 + length) {
        length = at + 8 <= b.size() ? Be(b, at + 4, 4) : b.size();
        if (at + 8 + length > b.size())
            return Failed(m, "chunk runs past the end of the file");
        if (Tag(b, at) != "MTrk")
            continue; // other chunks are skipped
        // Every read is checked: one past the chunk's end throws out_of_range.
        const Bytes chunk(b.begin() + at + 8, b.begin() + at + 8 + length);
        std::size_t pos = 0;
        auto byte = [&] { return static_cast<std::uint32_t>(chunk.at(pos++)); };
        auto quantity = [&] { // a variable-length quantity, at most four bytes
            std::uint32_t v = 0, c = 0x80;
            for (int i = 0; i < 4 && (c & 0x80); ++i)
                v = v << 7 | ((c = byte()) & 0x7F);
            return c & 0x80 ? throw std::out_of_range("quantity") : v;
        };
        auto& track = m.tracks.emplace_back();
        try {
            for (std::uint32_t tick = 0, running = 0; pos < chunk.size();) {
                if (!track.empty() && track.back().IsMeta(kEndOfTrack))
                    return Failed(m, "event after end-of-track");
                MidiEvent& e = track.emplace_back();
                e.tick = tick += quantity();
                if (chunk.at(pos) & 0x80)
                    running = byte();
                else if (running == 0)
                    return Failed(m, "data byte with no running status");
                const bool meta = running == 0xFF || running == 0xF0 || running == 0xF7;
                if (running > 0xF0 && !meta)
                    return Failed(m, "system message inside a track");
                e.status = static_cast<std::uint8_t>(running);
                e.meta = static_cast<std::uint8_t>(running == 0xFF ? byte() : 0);
                const std::size_t n = meta                                   ? quantity()
                                      : e.Kind() == 0xC0 || e.Kind() == 0xD0 ? 1
                                                                             : 2;
                if (n > chunk.size() - pos)
                    throw std::out_of_range("event data");
                e.data.assign(chunk.begin() + pos, chunk.begin() + pos + n);
                pos += n;
                if (!meta && std::ranges::any_of(e.data, [](auto d) { return d & 0x80; }))
                    return Failed(m, "status byte where a data byte belongs");
                running = meta ? 0 : running; // meta and sysex events cancel running status
            }
        } catch (const std::out_of_range&) {
            return Failed(m, "event runs past the end of its chunk");
        }
    }
    return m;
}

// Every track's events in one list, in time order.
inline std::vector<MidiEvent> AllEvents(const Midi& m) {
    std::vector<MidiEvent> all;
    for (const auto& track : m.tracks)
        all.insert(all.end(), track.begin(), track.end());
    std::stable_sort(all.begin(), all.end(), [](auto& a, auto& c) { return a.tick < c.tick; });
    return all;
}

} // namespace asset_readers
