#include "bmp_writer.h"

#include "byte_writer.h"
#include "rle8.h"

namespace {

constexpr unsigned kFileHeaderSize = 14;
constexpr unsigned kInfoHeaderSize = 40;
constexpr unsigned kBiRgb = 0;
constexpr unsigned kBiRle8 = 1;

Bytes Headers(int width, int height, unsigned bitCount, unsigned compression,
              std::uint32_t imageSize, unsigned colours) {
    std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
    Bytes out;
    PutU8(out, 'B');
    PutU8(out, 'M');
    PutU32(out, offset + imageSize);
    PutU32(out, 0);
    PutU32(out, offset);
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(width));
    PutU32(out, static_cast<std::uint32_t>(height));
    PutU16(out, 1);
    PutU16(out, bitCount);
    PutU32(out, compression);
    PutU32(out, imageSize);
    PutU32(out, 2835); // 72 dpi, as paint programs write it
    PutU32(out, 2835);
    PutU32(out, colours);
    PutU32(out, 0);
    return out;
}

void PutColour(Bytes& out, const Rgb& c) {
    PutU8(out, c.b);
    PutU8(out, c.g);
    PutU8(out, c.r);
    PutU8(out, 0);
}

} // namespace

void WriteBmp8(const std::string& path, const Image& img, const Palette& pal,
               BmpCompression compression) {
    Bytes pixels;
    if (compression == BmpCompression::Rle8) {
        pixels = EncodeRle8(img);
    } else {
        int stride = (img.width + 3) / 4 * 4;
        for (int y = img.height - 1; y >= 0; --y) {
            for (int x = 0; x < stride; ++x)
                PutU8(pixels, x < img.width ? img.at(x, y) : 0);
        }
    }
    Bytes out =
        Headers(img.width, img.height, 8, compression == BmpCompression::Rle8 ? kBiRle8 : kBiRgb,
                static_cast<std::uint32_t>(pixels.size()), 256);
    for (const Rgb& c : pal)
        PutColour(out, c);
    out.insert(out.end(), pixels.begin(), pixels.end());
    WriteFile(path, out);
}

void WriteBmp1(const std::string& path, const Image& bits) {
    int stride = (bits.width + 31) / 32 * 4;
    Bytes pixels;
    for (int y = bits.height - 1; y >= 0; --y) {
        for (int byte = 0; byte < stride; ++byte) {
            unsigned v = 0;
            for (int bit = 0; bit < 8; ++bit) {
                int x = byte * 8 + bit;
                if (x < bits.width && bits.at(x, y) != 0)
                    v |= 0x80u >> bit;
            }
            PutU8(pixels, v);
        }
    }
    Bytes out =
        Headers(bits.width, bits.height, 1, kBiRgb, static_cast<std::uint32_t>(pixels.size()), 2);
    PutColour(out, {0, 0, 0});
    PutColour(out, {255, 255, 255});
    out.insert(out.end(), pixels.begin(), pixels.end());
    WriteFile(path, out);
}
