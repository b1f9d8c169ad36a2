#include "win32_pieces.h"

#include "platform/user/backend.h"
#include "platform/user/window_zoom.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr bool IsHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

constexpr bool IsLowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::string Utf8Of(std::uint32_t code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

} // namespace

std::optional<std::string> TypedText::Take(wchar_t unit) {
    const wchar_t high = high_;
    high_ = 0;
    if (IsHighSurrogate(unit)) {
        high_ = unit; // a lone first half before it is forgotten
        return std::nullopt;
    }
    if (IsLowSurrogate(unit)) {
        if (high == 0) {
            return std::nullopt;
        }
        const std::uint32_t code =
            0x10000 + ((static_cast<std::uint32_t>(high) - 0xD800) << 10) + (unit - 0xDC00);
        return Utf8Of(code);
    }
    if (unit < 32 || unit == 127) {
        return std::nullopt;
    }
    return Utf8Of(unit);
}

ScreenPoint MousePosition(LPARAM lParam, std::int32_t zoom) {
    // The low and high words are signed: a captured mouse left of the window
    // is at a negative x, not at 65535.
    const auto x = static_cast<std::int16_t>(static_cast<std::uint16_t>(lParam & 0xFFFF));
    const auto y = static_cast<std::int16_t>(static_cast<std::uint16_t>((lParam >> 16) & 0xFFFF));
    return {ScreenCoordinate(x, zoom), ScreenCoordinate(y, zoom)};
}

void DescribeScreenBitmap(ScreenBitmapInfo& info, std::int32_t width, std::int32_t height,
                          const PaletteEntries& palette) {
    std::memset(&info, 0, sizeof info);
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height; // top row first
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = paletteSize;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        info.colors[i].rgbRed = palette[i].red;
        info.colors[i].rgbGreen = palette[i].green;
        info.colors[i].rgbBlue = palette[i].blue;
    }
}

std::int32_t BitmapStride(std::int32_t width) {
    return (width + 3) & ~3;
}

void CopyScreenRows(std::span<const std::uint8_t> indices, std::int32_t width, std::int32_t height,
                    std::vector<std::uint8_t>& rows) {
    const std::int32_t stride = BitmapStride(width);
    rows.assign(static_cast<std::size_t>(stride) * height, 0);
    for (std::int32_t y = 0; y < height; ++y) {
        const auto from = indices.subspan(static_cast<std::size_t>(y) * width, width);
        std::copy(from.begin(), from.end(), rows.begin() + static_cast<std::ptrdiff_t>(y) * stride);
    }
}

int GameMciError(DWORD error) {
    // The errors' numbers are the multimedia system's own; those the game
    // tells apart come through as they are.
    switch (error & 0xFFFF) {
    case MCIERR_INVALID_DEVICE_ID: return mci::errorInvalidDevice;
    case MCIERR_FILE_NOT_FOUND: return mci::errorFileNotFound;
    case MCIERR_INVALID_FILE: return mci::errorInvalidFile;
    default: return mci::errorDeviceNotReady;
    }
}
