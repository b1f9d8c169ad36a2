#include "tests/tools/gif_decoder.h"

#include <string>

namespace {

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t U8() {
        if (at_ >= bytes_.size()) {
            throw GifFormatError("file cut short");
        }
        return bytes_[at_++];
    }
    int U16() {
        const int low = U8();
        return low | (U8() << 8);
    }
    std::vector<std::uint8_t> SubBlocks() {
        std::vector<std::uint8_t> data;
        while (const std::uint8_t length = U8()) {
            for (int i = 0; i < length; ++i) {
                data.push_back(U8());
            }
        }
        return data;
    }
    Palette256 Table(int entries) {
        Palette256 palette{};
        for (int i = 0; i < entries; ++i) {
            palette[i].red = U8();
            palette[i].green = U8();
            palette[i].blue = U8();
        }
        return palette;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

} // namespace

std::vector<std::uint8_t> LzwDecode(std::span<const std::uint8_t> packed, int minCodeSize) {
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    std::vector<std::vector<std::uint8_t>> table;
    int width = 0;
    const auto reset = [&] {
        table.assign(static_cast<std::size_t>(clearCode) + 2, {});
        for (int i = 0; i < clearCode; ++i) {
            table[i] = {static_cast<std::uint8_t>(i)};
        }
        width = minCodeSize + 1;
    };
    reset();

    std::size_t bitAt = 0;
    const auto nextCode = [&] {
        int code = 0;
        for (int bit = 0; bit < width; ++bit, ++bitAt) {
            if (bitAt / 8 >= packed.size()) {
                throw GifFormatError("code stream ends without the end code");
            }
            code |= ((packed[bitAt / 8] >> (bitAt % 8)) & 1) << bit;
        }
        return code;
    };

    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> previous;
    for (;;) {
        const int code = nextCode();
        if (code == clearCode) {
            reset();
            previous.clear();
            continue;
        }
        if (code == endCode) {
            break;
        }
        std::vector<std::uint8_t> entry;
        if (code < static_cast<int>(table.size())) {
            entry = table[code];
        } else if (code == static_cast<int>(table.size()) && !previous.empty()) {
            entry = previous; // the string being defined by this very code
            entry.push_back(previous.front());
        } else {
            throw GifFormatError("code " + std::to_string(code) + " not in the table");
        }
        if (!previous.empty() && table.size() < 4096) {
            previous.push_back(entry.front());
            table.push_back(previous);
            if (table.size() == (1u << width) && width < 12) {
                ++width;
            }
        }
        out.insert(out.end(), entry.begin(), entry.end());
        previous = entry;
    }
    if ((bitAt + 7) / 8 != packed.size()) {
        throw GifFormatError("bytes after the end code");
    }
    return out;
}

DecodedGif DecodeGif(std::span<const std::uint8_t> file) {
    Reader in(file);
    for (const char expected : std::string("GIF89a")) {
        if (in.U8() != static_cast<std::uint8_t>(expected)) {
            throw GifFormatError("not a GIF89a");
        }
    }
    DecodedGif gif;
    gif.width = in.U16();
    gif.height = in.U16();
    const std::uint8_t screenFlags = in.U8();
    in.U8(); // background
    in.U8(); // aspect
    if (!(screenFlags & 0x80)) {
        throw GifFormatError("no global table");
    }
    const Palette256 global = in.Table(2 << (screenFlags & 7));
    std::vector<Rgb> canvas(static_cast<std::size_t>(gif.width) * gif.height);

    DecodedFrame pending;
    for (;;) {
        const std::uint8_t block = in.U8();
        if (block == 0x3B) {
            break;
        }
        if (block == 0x21) {
            const std::uint8_t label = in.U8();
            const std::vector<std::uint8_t> data = in.SubBlocks();
            if (label == 0xF9 && data.size() == 4) {
                pending.disposal = (data[0] >> 2) & 7;
                pending.transparency = data[0] & 1;
                pending.delayCentiseconds = data[1] | (data[2] << 8);
                pending.transparentIndex = data[3];
            } else if (label == 0xFF && data.size() == 14 &&
                       std::string(data.begin(), data.begin() + 11) == "NETSCAPE2.0" &&
                       data[11] == 1) {
                gif.loopCount = data[12] | (data[13] << 8);
            }
            continue;
        }
        if (block != 0x2C) {
            throw GifFormatError("unknown block " + std::to_string(block));
        }
        DecodedFrame frame = pending;
        pending = DecodedFrame{};
        frame.left = in.U16();
        frame.top = in.U16();
        frame.width = in.U16();
        frame.height = in.U16();
        const std::uint8_t flags = in.U8();
        frame.localTable = flags & 0x80;
        const Palette256 palette = frame.localTable ? in.Table(2 << (flags & 7)) : global;
        if (frame.left + frame.width > gif.width || frame.top + frame.height > gif.height) {
            throw GifFormatError("image outside the screen");
        }
        const int minCodeSize = in.U8();
        const std::vector<std::uint8_t> indices = LzwDecode(in.SubBlocks(), minCodeSize);
        if (indices.size() != static_cast<std::size_t>(frame.width) * frame.height) {
            throw GifFormatError("wrong pixel count");
        }
        for (std::size_t i = 0; i < indices.size(); ++i) {
            if (frame.transparency && indices[i] == frame.transparentIndex) {
                continue;
            }
            const int x = frame.left + static_cast<int>(i % frame.width);
            const int y = frame.top + static_cast<int>(i / frame.width);
            canvas[static_cast<std::size_t>(y) * gif.width + x] = palette[indices[i]];
        }
        frame.canvas = canvas;
        gif.frames.push_back(std::move(frame));
    }
    if (!in.AtEnd()) {
        throw GifFormatError("bytes after the trailer");
    }
    return gif;
}
