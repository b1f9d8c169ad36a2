#include "bmp_reader.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::uint32_t U16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return U16(bytes, at) | (U16(bytes, at + 2) << 16);
}

constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t minInfoHeaderSize = 40;

} // namespace

std::optional<IndexedImage> ReadIndexedBmp(const std::filesystem::path& file, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot open " + file.string();
        return std::nullopt;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    const auto fail = [&](const std::string& why) {
        error = file.string() + ": " + why;
        return std::nullopt;
    };
    if (bytes.size() < fileHeaderSize + minInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
        return fail("not a BMP file");
    }
    const std::uint32_t pixelOffset = U32(bytes, 10);
    const std::uint32_t infoSize = U32(bytes, 14);
    const auto width = static_cast<std::int32_t>(U32(bytes, 18));
    const auto signedHeight = static_cast<std::int32_t>(U32(bytes, 22));
    const std::uint32_t bitsPerPixel = U16(bytes, 28);
    const std::uint32_t compression = U32(bytes, 30);
    std::uint32_t colours = U32(bytes, 46);
    if (bitsPerPixel != 8 || compression != 0) {
        return fail("only uncompressed 8-bit BMPs are read");
    }
    // A negative height marks rows stored top to bottom.
    const bool topDown = signedHeight < 0;
    const std::int32_t height = std::abs(signedHeight);
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535) {
        return fail("bad size");
    }
    if (colours == 0 || colours > 256) {
        colours = 256;
    }
    const std::size_t tableAt = fileHeaderSize + infoSize;
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) / 4 * 4;
    if (tableAt + 4 * std::size_t{colours} > bytes.size() ||
        pixelOffset + stride * static_cast<std::size_t>(height) > bytes.size()) {
        return fail("file is cut short");
    }

    IndexedImage image;
    image.width = width;
    image.height = height;
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::size_t at = tableAt + 4 * std::size_t{i}; // blue, green, red, unused
        image.palette[i] = Rgb{bytes[at + 2], bytes[at + 1], bytes[at]};
    }
    image.pixels.resize(static_cast<std::size_t>(width) * height);
    for (std::int32_t row = 0; row < height; ++row) {
        const std::int32_t stored = topDown ? row : height - 1 - row;
        const auto* first = bytes.data() + pixelOffset + stride * static_cast<std::size_t>(stored);
        std::copy(first, first + width,
                  image.pixels.begin() + static_cast<std::ptrdiff_t>(row) * width);
    }
    return image;
}
