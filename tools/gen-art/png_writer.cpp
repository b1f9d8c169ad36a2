#include "png_writer.h"

#include "byte_writer.h"
#include "deflate.h"

#include <array>

namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void PutChunk(Bytes& out, const char* type, const Bytes& body) {
    PutU32BigEndian(out, static_cast<std::uint32_t>(body.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutU32BigEndian(out, Crc32(typed.data(), typed.size()));
}

} // namespace

void WritePng(const std::string& path, const RgbaImage& img) {
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutU32BigEndian(header, static_cast<std::uint32_t>(img.width));
    PutU32BigEndian(header, static_cast<std::uint32_t>(img.height));
    PutU8(header, 8); // bits per channel
    PutU8(header, 6); // RGBA
    PutU8(header, 0);
    PutU8(header, 0);
    PutU8(header, 0);
    PutChunk(out, "IHDR", header);

    Bytes raw;
    raw.reserve(static_cast<std::size_t>(img.height) * (1 + 4 * img.width));
    for (int y = 0; y < img.height; ++y) {
        PutU8(raw, 0); // filter: none
        for (int x = 0; x < img.width; ++x) {
            const Rgba& p = img.pixels[static_cast<std::size_t>(y) * img.width + x];
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    PutChunk(out, "IDAT", ZlibCompress(raw, 4, 1 + 4 * img.width));
    PutChunk(out, "IEND", {});
    WriteFile(path, out);
}
