// Strict little readers for the committed asset formats: BMP (with RLE8),
// RIFF WAVE and Standard MIDI. Each names the first fault it finds in
// `error` instead of crashing, so a broken file fails its test cleanly.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
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
    for (int i = n - 1; i >= 0; --i)
        v = v << 8 | b.at(at + i);
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

// A RIFF WAVE file read chunk by chunk, as a loader would.
struct Wave {
    std::string error;
    // format tag, channels, rate, byte rate, block align, bits per sample
    std::array<std::uint32_t, 6> format{};
    Bytes samples;
};

inline Wave ReadWave(const std::string& name) {
    const Bytes b = ReadAsset(name);
    Wave w;
    if (Tag(b, 0) != "RIFF" || Tag(b, 8) != "WAVE" || Le(b, 4, 4) != b.size() - 8)
        return Failed(w, name + " is not a RIFF WAVE file of its stated size");
    bool haveFormat = false, haveData = false;
    std::size_t at = 12;
    for (std::size_t size = 0; at + 8 <= b.size(); at += 8 + size + size % 2) {
        size = Le(b, at + 4, 4);
        if (at + 8 + size > b.size())
            return Failed(w, "a chunk runs past the end of the file");
        if (Tag(b, at) == "fmt " && size >= 16) {
            const int widths[] = {2, 2, 4, 4, 2, 2};
            for (std::size_t i = 0, field = at + 8; i < 6; field += widths[i++])
                w.format[i] = Le(b, field, widths[i]);
            haveFormat = true;
        } else if (Tag(b, at) == "data") {
            w.samples.assign(b.begin() + at + 8, b.begin() + at + 8 + size);
            haveData = true;
        }
    }
    if (at != b.size() || !haveFormat || !haveData)
        w.error = "missing fmt or data chunk, or stray bytes at the end";
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
    std::size_t pos = 0, end = b.size();
    bool overran = false;
    auto fail = [&](const char* why) { m.error = m.error.empty() ? why : m.error; };
    auto byte = [&]() -> std::uint32_t {
        overran |= pos >= end;
        return pos < end ? b[pos++] : 0;
    };
    auto be = [&](int n) {
        std::uint32_t v = 0;
        while (n-- > 0)
            v = v << 8 | byte();
        return v;
    };
    auto quantity = [&] { // a variable-length quantity, at most four bytes
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint32_t c = byte();
            v = v << 7 | (c & 0x7F);
            if (!(c & 0x80))
                return v;
        }
        overran = true;
        return v;
    };
    auto bytes = [&](std::uint32_t n) {
        Bytes out;
        while (n-- > 0 && !overran)
            out.push_back(static_cast<std::uint8_t>(byte()));
        return out;
    };
    auto readTrack = [&] {
        std::vector<MidiEvent> track;
        std::uint32_t tick = 0, running = 0;
        while (pos < end && m.error.empty()) {
            MidiEvent e;
            e.tick = tick += quantity();
            if (!track.empty() && track.back().IsMeta(kEndOfTrack))
                fail("event after end-of-track");
            if (pos < end && (b[pos] & 0x80))
                running = byte();
            else if (running == 0)
                fail("data byte with no running status");
            e.status = static_cast<std::uint8_t>(running);
            if (e.status == 0xFF || e.status == 0xF0 || e.status == 0xF7) {
                e.meta = static_cast<std::uint8_t>(e.status == 0xFF ? byte() : 0);
                e.data = bytes(quantity());
                running = 0; // meta and sysex events cancel running status
            } else if (e.status > 0xF0) {
                fail("system message inside a track");
            } else {
                e.data = bytes(e.Kind() == 0xC0 || e.Kind() == 0xD0 ? 1 : 2);
                if (std::any_of(e.data.begin(), e.data.end(), [](auto d) { return d & 0x80; }))
                    fail("status byte where a data byte belongs");
            }
            if (overran)
                fail("event runs past the end of its chunk");
            track.push_back(std::move(e));
        }
        return track;
    };
    if (be(4) != 0x4D546864 || be(4) != 6) // "MThd"
        return Failed(m, "no MThd chunk of six bytes at the start");
    m.format = static_cast<int>(be(2));
    m.declaredTracks = static_cast<int>(be(2));
    m.division = static_cast<int>(be(2)); // top bit set: SMPTE frames
    while (pos < b.size() && m.error.empty()) {
        const std::uint32_t type = be(4), length = be(4);
        if (overran || pos + length > b.size())
            return Failed(m, "chunk runs past the end of the file");
        end = pos + length;
        if (type == 0x4D54726B) // "MTrk"; other chunks are skipped
            m.tracks.push_back(readTrack());
        pos = end, end = b.size();
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
