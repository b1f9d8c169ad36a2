#include "ico_writer.h"

#include "byte_writer.h"

namespace {

// One icon image as stored: a BITMAPINFOHEADER of double height (colour rows
// and mask rows), the colour table, the colour rows and the 1-bit AND mask.
Bytes IconBitmap(const IconImage& icon) {
    const Image& px = icon.pixels;
    Bytes out;
    PutU32(out, 40);
    PutU32(out, static_cast<std::uint32_t>(px.width));
    PutU32(out, static_cast<std::uint32_t>(px.height * 2));
    PutU16(out, 1);
    PutU16(out, static_cast<unsigned>(icon.bitCount));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    std::size_t tableSize = icon.bitCount == 4 ? 16 : 256;
    for (std::size_t i = 0; i < tableSize; ++i) {
        Rgb c = i < icon.colours.size() ? icon.colours[i] : Rgb{};
        PutU8(out, c.b);
        PutU8(out, c.g);
        PutU8(out, c.r);
        PutU8(out, 0);
    }
    int colourStride = (px.width * icon.bitCount + 31) / 32 * 4;
    for (int y = px.height - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(colourStride), 0);
        for (int x = 0; x < px.width; ++x) {
            unsigned v = icon.transparent.at(x, y) ? 0 : px.at(x, y);
            if (icon.bitCount == 8) {
                row[x] = static_cast<std::uint8_t>(v);
            } else {
                row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? v << 4 : v);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    int maskStride = (px.width + 31) / 32 * 4;
    for (int y = px.height - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < px.width; ++x)
            if (icon.transparent.at(x, y))
                row[x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

void WriteIco(const std::string& path, const std::vector<IconImage>& images) {
    std::vector<Bytes> bitmaps;
    bitmaps.reserve(images.size());
    for (const IconImage& icon : images)
        bitmaps.push_back(IconBitmap(icon));
    Bytes out;
    PutU16(out, 0);
    PutU16(out, 1); // icon
    PutU16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImage& icon = images[i];
        PutU8(out, static_cast<unsigned>(icon.pixels.width));
        PutU8(out, static_cast<unsigned>(icon.pixels.height));
        PutU8(out, icon.bitCount == 4 ? 16 : 0); // colour count, 0 means 256
        PutU8(out, 0);
        PutU16(out, 1);
        PutU16(out, static_cast<unsigned>(icon.bitCount));
        PutU32(out, static_cast<std::uint32_t>(bitmaps[i].size()));
        PutU32(out, offset);
        offset += static_cast<std::uint32_t>(bitmaps[i].size());
    }
    for (const Bytes& b : bitmaps)
        out.insert(out.end(), b.begin(), b.end());
    WriteFile(path, out);
}
