#include "png_writer.h"

#include "byte_writer.h"
#include "deflate.h"

#include <array>
#include <map>

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

namespace {

std::uint32_t Key(const Rgba& p) {
    return static_cast<std::uint32_t>(p.r) << 24 | static_cast<std::uint32_t>(p.g) << 16 |
           static_cast<std::uint32_t>(p.b) << 8 | p.a;
}

// The picture's colours, if there are at most 256 of them: written with a
// colour table, a picture is a quarter of the size it is in RGBA.
bool CollectPalette(const RgbaImage& img, std::map<std::uint32_t, std::uint8_t>& indices) {
    for (const Rgba& p : img.pixels) {
        const std::uint32_t key = Key(p);
        if (indices.count(key) == 0) {
            if (indices.size() == 256)
                return false;
            indices.emplace(key, static_cast<std::uint8_t>(indices.size()));
        }
    }
    return true;
}

} // namespace

void WritePng(const std::string& path, const RgbaImage& img) {
    std::map<std::uint32_t, std::uint8_t> indices;
    const bool indexed = CollectPalette(img, indices);
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutU32BigEndian(header, static_cast<std::uint32_t>(img.width));
    PutU32BigEndian(header, static_cast<std::uint32_t>(img.height));
    PutU8(header, 8);               // bits per channel, or per index
    PutU8(header, indexed ? 3 : 6); // a colour table, or RGBA
    PutU8(header, 0);
    PutU8(header, 0);
    PutU8(header, 0);
    PutChunk(out, "IHDR", header);

    const int pixelBytes = indexed ? 1 : 4;
    if (indexed) {
        Bytes table(indices.size() * 3);
        Bytes alpha(indices.size());
        bool translucent = false;
        for (const auto& [key, index] : indices) {
            const std::size_t at = std::size_t{index} * 3;
            table[at] = static_cast<std::uint8_t>(key >> 24);
            table[at + 1] = static_cast<std::uint8_t>(key >> 16);
            table[at + 2] = static_cast<std::uint8_t>(key >> 8);
            alpha[index] = static_cast<std::uint8_t>(key);
            translucent = translucent || alpha[index] != 255;
        }
        PutChunk(out, "PLTE", table);
        if (translucent)
            PutChunk(out, "tRNS", alpha);
    }

    Bytes raw;
    raw.reserve(static_cast<std::size_t>(img.height) * (1 + pixelBytes * img.width));
    for (int y = 0; y < img.height; ++y) {
        PutU8(raw, 0); // filter: none
        for (int x = 0; x < img.width; ++x) {
            const Rgba& p = img.pixels[static_cast<std::size_t>(y) * img.width + x];
            if (indexed)
                raw.push_back(indices[Key(p)]);
            else
                raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    PutChunk(out, "IDAT", ZlibCompress(raw, pixelBytes, 1 + pixelBytes * img.width));
    PutChunk(out, "IEND", {});
    WriteFile(path, out);
}
