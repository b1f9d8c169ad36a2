#include "gif_encoder.h"

#include "changed_rect.h"
#include "lzw_encoder.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace {

constexpr int indexBits = 8; // every table has 256 entries
constexpr std::uint8_t extensionIntroducer = 0x21;
constexpr std::uint8_t imageSeparator = 0x2C;
constexpr std::uint8_t trailer = 0x3B;
constexpr std::uint8_t tableFlagSize256 = 0x80 | (indexBits - 1); // present, 2^(7+1) entries

void PutU16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutPalette(std::vector<std::uint8_t>& out, const Palette256& palette) {
    for (const Rgb& colour : palette) {
        out.push_back(colour.red);
        out.push_back(colour.green);
        out.push_back(colour.blue);
    }
}

// Data follows in sub-blocks of at most 255 bytes, ended by an empty one.
void PutSubBlocks(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& data) {
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(length));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    out.push_back(0);
}

std::vector<std::uint8_t> CutRect(const IndexedImage& frame, const PixelRect& rect) {
    std::vector<std::uint8_t> indices;
    indices.reserve(static_cast<std::size_t>(rect.width) * rect.height);
    for (int y = rect.top; y < rect.top + rect.height; ++y) {
        const auto* row = frame.pixels.data() + static_cast<std::size_t>(y) * frame.width;
        indices.insert(indices.end(), row + rect.left, row + rect.left + rect.width);
    }
    return indices;
}

struct MaskedRect {
    std::vector<std::uint8_t> indices;
    std::uint8_t transparentIndex = 0;
};

// The rectangle with every pixel that looks as before replaced by one index
// that no changed pixel uses; nothing when the changed pixels use them all.
std::optional<MaskedRect> MaskUnchanged(const IndexedImage& shown, const IndexedImage& frame,
                                        const PixelRect& rect) {
    std::array<bool, 256> used{};
    std::vector<bool> unchanged(static_cast<std::size_t>(rect.width) * rect.height);
    std::size_t at = 0;
    for (int y = rect.top; y < rect.top + rect.height; ++y) {
        for (int x = rect.left; x < rect.left + rect.width; ++x, ++at) {
            unchanged[at] = shown.ColourAt(x, y) == frame.ColourAt(x, y);
            if (!unchanged[at]) {
                used[frame.At(x, y)] = true;
            }
        }
    }
    const auto freeIndex = std::find(used.begin(), used.end(), false);
    if (freeIndex == used.end()) {
        return std::nullopt;
    }
    MaskedRect masked{CutRect(frame, rect), static_cast<std::uint8_t>(freeIndex - used.begin())};
    for (std::size_t i = 0; i < masked.indices.size(); ++i) {
        if (unchanged[i]) {
            masked.indices[i] = masked.transparentIndex;
        }
    }
    return masked;
}

} // namespace

void GifEncoder::WriteHeader(const IndexedImage& first) {
    const std::string signature = "GIF89a";
    out_.insert(out_.end(), signature.begin(), signature.end());
    PutU16(out_, first.width);
    PutU16(out_, first.height);
    // Global table present, 8 bits of colour resolution, unsorted, 256 entries.
    out_.push_back(static_cast<std::uint8_t>(tableFlagSize256 | ((indexBits - 1) << 4)));
    out_.push_back(0); // background index
    out_.push_back(0); // no aspect ratio given: square pixels
    PutPalette(out_, first.palette);
}

void GifEncoder::WriteLoopExtension() {
    const std::string application = "NETSCAPE2.0";
    out_.push_back(extensionIntroducer);
    out_.push_back(0xFF);
    out_.push_back(static_cast<std::uint8_t>(application.size()));
    out_.insert(out_.end(), application.begin(), application.end());
    out_.push_back(3);
    out_.push_back(1); // the loop sub-block
    PutU16(out_, options_.loopCount);
    out_.push_back(0);
}

void GifEncoder::WriteFrameControl(int delayCentiseconds,
                                   std::optional<std::uint8_t> transparentIndex) {
    constexpr std::uint8_t doNotDispose = 1 << 2;
    constexpr std::uint8_t hasTransparency = 1;
    out_.push_back(extensionIntroducer);
    out_.push_back(0xF9);
    out_.push_back(4);
    out_.push_back(transparentIndex ? doNotDispose | hasTransparency : doNotDispose);
    PutU16(out_, delayCentiseconds);
    out_.push_back(transparentIndex.value_or(0));
    out_.push_back(0);
}

void GifEncoder::WriteImage(const IndexedImage& frame, const PixelRect& rect,
                            const std::vector<std::uint8_t>& compressed) {
    out_.push_back(imageSeparator);
    PutU16(out_, rect.left);
    PutU16(out_, rect.top);
    PutU16(out_, rect.width);
    PutU16(out_, rect.height);
    const bool ownPalette = frame.palette != globalPalette_;
    out_.push_back(ownPalette ? tableFlagSize256 : 0); // not interlaced
    if (ownPalette) {
        PutPalette(out_, frame.palette);
    }
    out_.push_back(indexBits);
    PutSubBlocks(out_, compressed);
}

bool GifEncoder::AddFrame(const IndexedImage& frame, int delayCentiseconds, std::string& error) {
    if (frameCount_ == 0) {
        globalPalette_ = frame.palette;
        WriteHeader(frame);
        WriteLoopExtension();
    } else if (frame.width != shown_.width || frame.height != shown_.height) {
        error = "frame " + std::to_string(frameCount_ + 1) + " is " + std::to_string(frame.width) +
                "x" + std::to_string(frame.height) + ", the first is " +
                std::to_string(shown_.width) + "x" + std::to_string(shown_.height);
        return false;
    }

    const bool differencing = frameCount_ > 0 && options_.onlyChangedRect;
    PixelRect rect{0, 0, frame.width, frame.height};
    if (differencing) {
        // A frame that looks like the last still takes its time on screen:
        // one unchanged pixel carries its delay.
        rect = ChangedRect(shown_, frame).value_or(PixelRect{0, 0, 1, 1});
    }
    std::vector<std::uint8_t> compressed = LzwEncode(CutRect(frame, rect), indexBits);
    std::optional<std::uint8_t> transparent;
    if (differencing) {
        // Long runs of one "unchanged" index pack well around a small
        // moving sprite, but scattered ones break up a scrolled texture:
        // keep whichever comes out smaller.
        if (const auto masked = MaskUnchanged(shown_, frame, rect)) {
            std::vector<std::uint8_t> maskedCompressed = LzwEncode(masked->indices, indexBits);
            if (maskedCompressed.size() < compressed.size()) {
                compressed = std::move(maskedCompressed);
                transparent = masked->transparentIndex;
            }
        }
    }
    WriteFrameControl(delayCentiseconds, transparent);
    WriteImage(frame, rect, compressed);
    shown_ = frame;
    ++frameCount_;
    return true;
}

std::vector<std::uint8_t> GifEncoder::Finish() {
    out_.push_back(trailer);
    return std::move(out_);
}
