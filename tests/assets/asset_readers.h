// Strict readers for the committed BMP (with RLE8), WAVE and MIDI files; each
// names the first fault in `error` instead of crashing.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace asset_readers {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline Bytes ReadAsset(const std::string& name) {
    return ReadFileBytes(std::filesystem::path(VARNISK_ASSET_DIR) / name);
}

// An n-byte number, little- or big-endian; a read past the end throws.
inline std::uint32_t Le(const Bytes& b, std::size_t at, int n, bool bigEndian = false) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = v << 8 | b.at(bigEndian ? at + i : at + n - 1 - i);
    return v;
}
inline std::uint32_t Be(const Bytes& b, std::size_t at, int n) {
    return Le(b, at, n, true);
}
inline std::string Tag(const Bytes& b, std::size_t at) {
    return at + 4 <= b.size() ? std::string(b.begin() + at, b.begin() + at + 4) : "";
}

template <class Result>
Result Failed(Result r, const std::string& why) {
    r.error = why;
    return r;
}

struct Colour {
    std::uint8_t r, g, b;
    // NOLINTNEXTLINE(modernize-use-nullptr): clang-tidy misreads the defaulted comparison
    auto operator<=>(const Colour&) const = default;
};

struct Bitmap {
    int width = 0, height = 0, bits = 0, compression = -1;
    std::vector<Colour> table;
    Bytes pixels;      // rows top-down, one byte per pixel whatever the depth
    std::string error; // empty when the file decoded cleanly
    std::uint8_t at(int x, int y) const { return pixels.at(y * width + x); }
};

// Strict RLE8: no run overflows its row, every row is full, end-of-bitmap ends the data.
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

// A BMP file anywhere; LoadBmp reads one of the committed assets.
inline Bitmap LoadBmpFile(const std::filesystem::path& file) {
    Bitmap bmp;
    const Bytes b = ReadFileBytes(file);
    if (b.size() < 54 || Tag(b, 0).substr(0, 2) != "BM")
        return Failed(bmp, "not a BMP file");
    bmp.width = static_cast<int>(Le(b, 18, 4));
    bmp.height = static_cast<int>(Le(b, 22, 4));
    bmp.bits = static_cast<int>(Le(b, 28, 2));
    bmp.compression = static_cast<int>(Le(b, 30, 4));
    const std::size_t colours = Le(b, 46, 4) ? Le(b, 46, 4) : 1u << bmp.bits, offset = Le(b, 10, 4);
    for (std::size_t i = 0, at = 54; i < colours; ++i, at += 4)
        bmp.table.push_back({b.at(at + 2), b.at(at + 1), b.at(at)});
    const std::size_t stride = (std::size_t(bmp.width) * std::size_t(bmp.bits) + 31) / 32 * 4;
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

inline Bitmap LoadBmp(const std::string& name) {
    return LoadBmpFile(std::filesystem::path(VARNISK_ASSET_DIR) / name);
}

// A wave as our generator writes it: the canonical 44-byte header, padded to even length.
struct Wave {
    std::uint32_t formatTag = 0, channels = 0, rate = 0, bits = 0;
    Bytes samples;
    std::string error;
};

inline Wave ReadWave(const std::string& name) {
    const Bytes b = ReadAsset(name);
    Wave w;
    const std::size_t size = b.size() < 44 ? 0 : Le(b, 40, 4);
    if (Tag(b, 0) != "RIFF" || Tag(b, 8) != "WAVE" || Tag(b, 12) != "fmt " ||
        Tag(b, 36) != "data" || Le(b, 16, 4) != 16 || Le(b, 4, 4) != b.size() - 8 ||
        b.size() != 44 + size + size % 2)
        return Failed(w, name + " is not a plain RIFF WAVE of the length its chunks give");
    w.formatTag = Le(b, 20, 2), w.channels = Le(b, 22, 2), w.rate = Le(b, 24, 4),
    w.bits = Le(b, 34, 2);
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
    int division = 0; // ticks per quarter; top bit set: SMPTE frames
    std::vector<std::vector<MidiEvent>> tracks;
    std::string error;
};

inline Midi ReadMidi(const std::string& name) {
    const Bytes b = ReadAsset(name);
    Midi m;
    if (Tag(b, 0) != "MThd")
        return Failed(m, "not a Standard MIDI File");
    m.division = static_cast<int>(Be(b, 12, 2));
    try { // a read past the end of the file or of a track chunk throws
        for (std::size_t at = 8 + Be(b, 4, 4), end = 0; at < b.size(); at = end) {
            std::size_t pos = at + 8;
            auto byte = [&] { return pos < end ? b[pos++] : throw std::out_of_range("chunk"); };
            auto quantity = [&] { // a variable-length quantity
                std::uint32_t v = 0, c = 0x80;
                while (c & 0x80)
                    v = v << 7 | ((c = byte()) & 0x7F);
                return v;
            };
            if ((end = pos + Be(b, at + 4, 4)) > b.size() || Tag(b, at) != "MTrk")
                return Failed(m, "a chunk that is no track, or runs past the end of the file");
            auto& track = m.tracks.emplace_back();
            for (std::uint32_t tick = 0, running = 0; pos < end;) {
                MidiEvent& e = track.emplace_back();
                e.tick = tick += quantity();
                if ((running = pos < end && (b[pos] & 0x80) ? byte() : running) == 0)
                    return Failed(m, "a data byte with no running status");
                const bool meta = running >= 0xF0; // meta and sysex events cancel running status
                e.status = static_cast<std::uint8_t>(std::exchange(running, meta ? 0 : running));
                e.meta = e.status == 0xFF ? byte() : 0;
                std::size_t n = e.Kind() == 0xC0 || e.Kind() == 0xD0 ? 1 : 2;
                for (n = meta ? quantity() : n; n > 0; --n)
                    e.data.push_back(byte());
            }
        }
    } catch (const std::out_of_range&) {
        return Failed(m, "an event runs past the end of its chunk");
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
