#include "screen_colors.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

bool SameColors(const PaletteEntries& a, const PaletteEntries& b) {
    // The flags say how an entry was mapped, not what colour it shows.
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].red != b[i].red || a[i].green != b[i].green || a[i].blue != b[i].blue) {
            return false;
        }
    }
    return true;
}

// An 8-bit level at the mask's place and width, rounded to its nearest step.
std::uint32_t Pack(std::uint8_t level, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const std::uint64_t top = mask >> shift;
    return static_cast<std::uint32_t>((level * top + 127) / 255) << shift;
}

std::uint32_t PixelFromPaletteEntry(const PaletteEntry& entry, const PixelLayout& layout) {
    const std::uint32_t unused = ~(layout.red | layout.green | layout.blue);
    return unused | Pack(entry.red, layout.red) | Pack(entry.green, layout.green) |
           Pack(entry.blue, layout.blue);
}

} // namespace

bool ScreenColorTable::Update(const PaletteEntries& palette, const PixelLayout& layout) {
    if (version_ != 0 && layout == layout_ && SameColors(palette, source_)) {
        return false;
    }
    source_ = palette;
    layout_ = layout;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        pixels_[i] = PixelFromPaletteEntry(palette[i], layout);
    }
    ++version_;
    return true;
}

void ConvertIndices(std::span<const std::uint8_t> indices, std::int32_t stride,
                    const PixelRect& area, const ScreenColorTable& colors, std::int32_t zoom,
                    std::uint8_t* destination, std::int32_t pitchBytes) {
    const auto count = static_cast<std::size_t>(area.width);
    const auto zoomed = static_cast<std::size_t>(zoom);
    const std::size_t rowBytes = count * zoomed * 4;
    for (std::int32_t y = area.y; y < area.y + area.height; ++y) {
        const std::uint8_t* source =
            indices.data() + static_cast<std::ptrdiff_t>(y) * stride + area.x;
        // The destination need not be aligned for 32-bit stores: build the
        // row in place through memcpy, which compilers turn into plain stores.
        std::uint8_t* row = destination + static_cast<std::ptrdiff_t>(y) * zoom * pitchBytes +
                            static_cast<std::ptrdiff_t>(area.x) * zoom * 4;
        if (zoom == 1) {
            for (std::size_t x = 0; x < count; ++x) {
                const std::uint32_t color = colors[source[x]];
                std::memcpy(row + x * 4, &color, sizeof color);
            }
        } else {
            std::uint8_t* out = row;
            for (std::size_t x = 0; x < count; ++x) {
                const std::uint32_t color = colors[source[x]];
                for (std::size_t copy = 0; copy < zoomed; ++copy, out += 4) {
                    std::memcpy(out, &color, sizeof color);
                }
            }
        }
        // The zoom's other rows repeat the first.
        for (std::int32_t copy = 1; copy < zoom; ++copy) {
            std::memcpy(row + static_cast<std::ptrdiff_t>(copy) * pitchBytes, row, rowBytes);
        }
    }
}

std::vector<PixelRect> TakeChanges(std::span<const std::uint8_t> indices, std::int32_t stride,
                                   std::int32_t width, std::int32_t height,
                                   std::vector<std::uint8_t>& shown) {
    const auto rowLength = static_cast<std::size_t>(width);
    std::vector<PixelRect> changes;
    if (shown.size() != rowLength * static_cast<std::size_t>(height)) {
        shown.assign(rowLength * static_cast<std::size_t>(height), 0);
        for (std::int32_t y = 0; y < height; ++y) {
            std::memcpy(shown.data() + y * rowLength,
                        indices.data() + static_cast<std::ptrdiff_t>(y) * stride, rowLength);
        }
        changes.push_back({0, 0, width, height});
        return changes;
    }
    bool inRun = false;
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* now = indices.data() + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint8_t* was = shown.data() + y * rowLength;
        if (std::memcmp(now, was, rowLength) == 0) {
            inRun = false;
            continue;
        }
        std::size_t first = 0;
        while (now[first] == was[first]) {
            ++first;
        }
        std::size_t last = rowLength - 1;
        while (now[last] == was[last]) {
            --last;
        }
        std::memcpy(was + first, now + first, last + 1 - first);
        const auto left = static_cast<std::int32_t>(first);
        const auto right = static_cast<std::int32_t>(last + 1);
        if (!inRun) {
            changes.push_back({left, y, right - left, 1});
            inRun = true;
            continue;
        }
        PixelRect& run = changes.back();
        const std::int32_t runRight = std::max(run.x + run.width, right);
        run.x = std::min(run.x, left);
        run.width = runRight - run.x;
        ++run.height;
    }
    return changes;
}
