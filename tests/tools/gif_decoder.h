#pragma once

// A strict reader of make-capture's GIFs, composing each frame in colours as a viewer does.

#include "tools/make-capture/indexed_image.h"

#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct DecodedFrame {
    int delayCentiseconds = 0, disposal = 0, transparentIndex = 0;
    int left = 0, top = 0, width = 0, height = 0;
    bool localTable = false, transparency = false;
    std::vector<Rgb> canvas; // the whole picture after this frame
};

struct DecodedGif {
    int width = 0, height = 0, loopCount = -1; // loopCount -1: no loop extension
    std::vector<DecodedFrame> frames;
};

// Unpacks one LZW code stream; throws unless the end code ends it exactly.
inline std::vector<std::uint8_t> LzwDecode(std::span<const std::uint8_t> packed, int minCodeSize) {
    const int clearCode = 1 << minCodeSize, endCode = clearCode + 1;
    std::vector<std::vector<std::uint8_t>> table;
    std::vector<std::uint8_t> out, previous;
    int width = 0;
    std::size_t bitAt = 0;
    // As if the stream began with a clear code, which it also does.
    for (int code = clearCode; code != endCode;) {
        if (code == clearCode) {
            table.assign(static_cast<std::size_t>(clearCode) + 2, {});
            for (int i = 0; i < clearCode; ++i)
                table[i] = {static_cast<std::uint8_t>(i)};
            width = minCodeSize + 1;
            previous.clear();
        } else {
            const int known = static_cast<int>(table.size());
            if (code > known || (code == known && previous.empty()))
                throw std::runtime_error("code " + std::to_string(code) + " not in the table");
            // The code one past the table stands for the string it defines itself.
            std::vector<std::uint8_t> entry = code < known ? table[code] : previous;
            if (code == known)
                entry.push_back(previous.front());
            if (!previous.empty() && table.size() < 4096) {
                previous.push_back(entry.front());
                table.push_back(previous);
                width += table.size() == (1u << width) && width < 12 ? 1 : 0;
            }
            out.insert(out.end(), entry.begin(), entry.end());
            previous = entry;
        }
        code = 0;
        for (int bit = 0; bit < width; ++bit, ++bitAt) {
            if (bitAt / 8 >= packed.size())
                throw std::runtime_error("code stream ends without the end code");
            code |= ((packed[bitAt / 8] >> (bitAt % 8)) & 1) << bit;
        }
    }
    if ((bitAt + 7) / 8 != packed.size())
        throw std::runtime_error("bytes after the end code");
    return out;
}

inline DecodedGif DecodeGif(std::span<const std::uint8_t> file) {
    std::size_t at = 0;
    const auto u8 = [&]() -> std::uint8_t {
        return at < file.size() ? file[at++] : throw std::runtime_error("file cut short");
    };
    const auto u16 = [&] { return u8(), u8(), file[at - 2] | file[at - 1] << 8; }; // low first
    const auto subBlocks = [&] {
        std::vector<std::uint8_t> data;
        for (std::uint8_t length = u8(); length != 0; length = u8())
            while (length-- > 0)
                data.push_back(u8());
        return data;
    };
    const auto colourTable = [&](int entries) {
        Palette256 palette{};
        for (int i = 0; i < entries; ++i)
            palette[i] = {u8(), u8(), u8()}; // braced: red, green, blue in order
        return palette;
    };
    for (const char c : std::string("GIF89a"))
        if (u8() != static_cast<std::uint8_t>(c))
            throw std::runtime_error("not a GIF89a");
    DecodedGif gif;
    gif.width = u16(), gif.height = u16();
    const std::uint8_t screenFlags = u8();
    u8(), u8(); // background, aspect
    if (!(screenFlags & 0x80))
        throw std::runtime_error("no global table");
    const Palette256 global = colourTable(2 << (screenFlags & 7));
    std::vector<Rgb> canvas(static_cast<std::size_t>(gif.width) * gif.height);
    DecodedFrame frame;
    for (std::uint8_t block = u8(); block != 0x3B; block = u8()) {
        if (block == 0x21) {
            const std::uint8_t label = u8();
            const std::vector<std::uint8_t> data = subBlocks();
            if (label == 0xF9 && data.size() == 4) {
                frame.disposal = (data[0] >> 2) & 7, frame.transparency = data[0] & 1;
                frame.delayCentiseconds = data[1] | data[2] << 8, frame.transparentIndex = data[3];
            } else if (label == 0xFF && data.size() == 14 && data[11] == 1 &&
                       std::string(data.begin(), data.begin() + 11) == "NETSCAPE2.0") {
                gif.loopCount = data[12] | data[13] << 8;
            }
            continue;
        }
        if (block != 0x2C)
            throw std::runtime_error("unknown block " + std::to_string(block));
        frame.left = u16(), frame.top = u16(), frame.width = u16(), frame.height = u16();
        const std::uint8_t flags = u8();
        frame.localTable = flags & 0x80;
        const Palette256 palette = frame.localTable ? colourTable(2 << (flags & 7)) : global;
        if (frame.left + frame.width > gif.width || frame.top + frame.height > gif.height)
            throw std::runtime_error("image outside the screen");
        const int minCodeSize = u8();
        const std::vector<std::uint8_t> indices = LzwDecode(subBlocks(), minCodeSize);
        if (indices.size() != static_cast<std::size_t>(frame.width) * frame.height)
            throw std::runtime_error("wrong pixel count");
        for (std::size_t i = 0; i < indices.size(); ++i)
            if (!frame.transparency || indices[i] != frame.transparentIndex)
                canvas[(frame.top + i / frame.width) * gif.width + frame.left + i % frame.width] =
                    palette[indices[i]];
        gif.frames.emplace_back(std::exchange(frame, DecodedFrame{})).canvas = canvas;
    }
    if (at != file.size())
        throw std::runtime_error("bytes after the trailer");
    return gif;
}
