#include "screen_file.h"

#include "platform/gdi/gdi.h"
#include "platform/user/user.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// An uncompressed bottom-up 8-bit BMP with a 256-entry colour table.
std::vector<std::uint8_t> EncodeBmp(std::int32_t width, std::int32_t height,
                                    const std::vector<std::uint8_t>& topDown,
                                    const PaletteEntries& colors) {
    const auto stride = static_cast<std::uint32_t>((width + 3) / 4 * 4);
    const std::uint32_t pixelOffset = 14 + 40 + 4 * paletteSize;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out;
    out.reserve(pixelOffset + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, pixelOffset + imageSize);
    PutU32(out, 0);
    PutU32(out, pixelOffset);
    PutU32(out, 40);
    PutU32(out, static_cast<std::uint32_t>(width));
    PutU32(out, static_cast<std::uint32_t>(height));
    PutU16(out, 1);
    PutU16(out, 8);
    PutU32(out, 0); // no compression
    PutU32(out, imageSize);
    PutU32(out, 3780); // 96 dpi
    PutU32(out, 3780);
    PutU32(out, paletteSize);
    PutU32(out, 0);
    for (const PaletteEntry& entry : colors) {
        out.push_back(entry.blue);
        out.push_back(entry.green);
        out.push_back(entry.red);
        out.push_back(0);
    }
    for (std::int32_t row = height - 1; row >= 0; --row) {
        const auto* first = topDown.data() + static_cast<std::size_t>(row) * width;
        out.insert(out.end(), first, first + width);
        out.resize(out.size() + (stride - static_cast<std::uint32_t>(width)), 0);
    }
    return out;
}

} // namespace

bool SaveClientArea(WindowHandle mainWindow, PaletteHandle palette,
                    const std::filesystem::path& file) {
    const Rect client = GetClientRect(mainWindow);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(client.width) * client.height);
    ComposeClientArea(mainWindow, pixels);
    const PaletteEntries& colors = palette ? GetPaletteEntries(palette) : GetSystemPalette();
    const std::vector<std::uint8_t> bmp = EncodeBmp(client.width, client.height, pixels, colors);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    out.close(); // a full disk may only tell at the last write
    return !out.fail();
}
