// The rules the committed art must keep, checked on the files themselves:
// formats, the shared palette, the atlas pieces the renderers rely on, and
// the frame picture's wells.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::string& name) {
    std::ifstream file(std::string(VARNISK_ASSET_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

unsigned U16(const Bytes& b, std::size_t at) {
    return b.at(at) | (b.at(at + 1) << 8);
}
std::uint32_t U32(const Bytes& b, std::size_t at) {
    return U16(b, at) | (static_cast<std::uint32_t>(U16(b, at + 2)) << 16);
}
std::uint32_t U32BigEndian(const Bytes& b, std::size_t at) {
    return (static_cast<std::uint32_t>(b.at(at)) << 24) | (b.at(at + 1) << 16) |
           (b.at(at + 2) << 8) | b.at(at + 3);
}

struct Colour {
    std::uint8_t r, g, b;
    bool operator==(const Colour&) const = default;
    auto operator<=>(const Colour&) const = default;
};

// A decoded bitmap, rows top-down, one byte per pixel whatever the depth.
struct Bitmap {
    int width = 0, height = 0, bitCount = 0, compression = -1, clrUsed = 0;
    std::vector<Colour> table;
    std::vector<std::uint8_t> pixels;
    std::string error; // empty when the file decoded cleanly
    std::uint8_t at(int x, int y) const { return pixels.at(y * width + x); }
};

// Strict BI_RLE8 decoding into bottom-up rows; any overrun or missing end is an error.
std::string DecodeRle8(const Bytes& data, std::size_t pos, Bitmap& bmp) {
    int x = 0, row = 0; // row counts from the bottom
    while (true) {
        if (pos + 1 >= data.size())
            return "RLE8 data ends without end-of-bitmap";
        unsigned count = data[pos], value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            if (x + static_cast<int>(count) > bmp.width || row >= bmp.height)
                return "RLE8 run overflows a row";
            for (unsigned i = 0; i < count; ++i)
                bmp.pixels[(bmp.height - 1 - row) * bmp.width + x++] =
                    static_cast<std::uint8_t>(value);
        } else if (value == 0) {
            if (x != bmp.width)
                return "RLE8 end-of-line before the row is full";
            x = 0;
            ++row;
        } else if (value == 1) {
            if (x != bmp.width || row != bmp.height - 1)
                return "RLE8 ends before the last pixel";
            return pos == data.size() ? "" : "bytes after RLE8 end-of-bitmap";
        } else if (value == 2) {
            return "RLE8 delta is not used by our pictures";
        } else {
            if (x + static_cast<int>(value) > bmp.width || row >= bmp.height ||
                pos + value > data.size())
                return "RLE8 absolute run overflows";
            for (unsigned i = 0; i < value; ++i)
                bmp.pixels[(bmp.height - 1 - row) * bmp.width + x++] = data[pos + i];
            pos += value + (value % 2);
        }
    }
}

Bitmap LoadBmp(const std::string& name) {
    Bitmap bmp;
    Bytes b = ReadAll(name);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        bmp.error = "not a BMP file";
        return bmp;
    }
    if (U32(b, 2) != b.size())
        bmp.error = "file size field is wrong";
    if (U32(b, 14) != 40)
        bmp.error = "header is not a 40-byte BITMAPINFOHEADER";
    bmp.width = static_cast<int>(U32(b, 18));
    bmp.height = static_cast<int>(U32(b, 22));
    bmp.bitCount = static_cast<int>(U16(b, 28));
    bmp.compression = static_cast<int>(U32(b, 30));
    bmp.clrUsed = static_cast<int>(U32(b, 46));
    int colours = bmp.clrUsed ? bmp.clrUsed : 1 << bmp.bitCount;
    for (int i = 0; i < colours; ++i) {
        std::size_t at = 54 + 4 * i;
        bmp.table.push_back({b.at(at + 2), b.at(at + 1), b.at(at)});
    }
    std::size_t offset = U32(b, 10);
    if (offset != 54 + 4u * colours)
        bmp.error = "pixels do not follow the colour table";
    if (bmp.width <= 0 || bmp.height <= 0) {
        bmp.error = "not a bottom-up bitmap";
        return bmp;
    }
    bmp.pixels.assign(static_cast<std::size_t>(bmp.width) * bmp.height, 0);
    if (bmp.compression == 1) {
        if (U32(b, 34) != b.size() - offset)
            bmp.error = "biSizeImage is wrong for RLE8";
        Bytes data(b.begin() + static_cast<std::ptrdiff_t>(offset), b.end());
        std::string err = DecodeRle8(data, 0, bmp);
        if (!err.empty())
            bmp.error = err;
        return bmp;
    }
    int stride = (bmp.width * bmp.bitCount + 31) / 32 * 4;
    if (b.size() != offset + static_cast<std::size_t>(stride) * bmp.height) {
        bmp.error = "pixel rows have the wrong size";
        return bmp;
    }
    for (int y = 0; y < bmp.height; ++y) {
        std::size_t rowAt = offset + static_cast<std::size_t>(bmp.height - 1 - y) * stride;
        for (int x = 0; x < bmp.width; ++x) {
            const auto v = static_cast<std::uint8_t>(
                bmp.bitCount == 8 ? b[rowAt + x] : (b[rowAt + x / 8] >> (7 - x % 8)) & 1);
            bmp.pixels[y * bmp.width + x] = v;
        }
    }
    return bmp;
}

struct Expected {
    const char* file;
    int width, height, bitCount, compression;
};
constexpr Expected kBitmaps[] = {
    {"bitmaps/sprites.bmp", 384, 432, 8, 0}, {"bitmaps/backwall.bmp", 128, 128, 8, 0},
    {"bitmaps/masks.bmp", 256, 160, 1, 0},   {"bitmaps/about.bmp", 288, 140, 8, 1},
    {"bitmaps/title.bmp", 288, 140, 8, 0},   {"bitmaps/frame.bmp", 634, 436, 8, 1},
};

// Loaded once: the files do not change while the tests run.
const Bitmap& Sprites() {
    static const Bitmap b = LoadBmp("bitmaps/sprites.bmp");
    return b;
}
const Bitmap& Masks() {
    static const Bitmap b = LoadBmp("bitmaps/masks.bmp");
    return b;
}
const Bitmap& Frame() {
    static const Bitmap b = LoadBmp("bitmaps/frame.bmp");
    return b;
}

bool RegionIs(const Bitmap& b, int x, int y, int w, int h, std::uint8_t v) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (b.at(i, j) != v)
                return false;
    return true;
}

bool RegionsEqual(const Bitmap& a, int ax, int ay, const Bitmap& b, int bx, int by, int w, int h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (a.at(ax + i, ay + j) != b.at(bx + i, by + j))
                return false;
    return true;
}

TEST(ArtFiles, EveryBitmapHasItsFormatAndDecodesCleanly) {
    for (const Expected& e : kBitmaps) {
        SCOPED_TRACE(e.file);
        Bitmap b = LoadBmp(e.file);
        EXPECT_EQ(b.error, "");
        EXPECT_EQ(b.width, e.width);
        EXPECT_EQ(b.height, e.height);
        EXPECT_EQ(b.bitCount, e.bitCount);
        EXPECT_EQ(b.compression, e.compression);
        if (e.bitCount == 8) {
            EXPECT_TRUE(b.clrUsed == 256 || b.clrUsed == 0);
            EXPECT_EQ(b.table.size(), 256u);
        }
    }
}

TEST(ArtFiles, MaskSheetUsesBlackForOpaqueAndWhiteForTransparent) {
    const Bitmap& m = Masks();
    ASSERT_EQ(m.table.size(), 2u);
    EXPECT_EQ(m.table[0], (Colour{0, 0, 0}));
    EXPECT_EQ(m.table[1], (Colour{255, 255, 255}));
}

TEST(Palette, StaticColoursSitAtBothEndsAndEveryEntryDiffers) {
    constexpr std::array<unsigned, 20> kStatic = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                                  0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
                                                  0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                                  0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    const auto& table = Sprites().table;
    ASSERT_EQ(table.size(), 256u);
    for (int i = 0; i < 20; ++i) {
        int index = i < 10 ? i : 236 + i;
        unsigned v = kStatic[i];
        EXPECT_EQ(table[index],
                  (Colour{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                          static_cast<std::uint8_t>(v)}))
            << "entry " << index;
    }
    std::set<Colour> distinct(table.begin(), table.end());
    EXPECT_EQ(distinct.size(), 256u) << "black and white appear only at 0 and 255";
}

TEST(Palette, EveryEightBitPictureCarriesTheSameTable) {
    for (const Expected& e : kBitmaps) {
        if (e.bitCount != 8)
            continue;
        SCOPED_TRACE(e.file);
        EXPECT_EQ(LoadBmp(e.file).table, Sprites().table);
    }
}

TEST(Character, TransparentMaskPixelsAreIndexZeroInBothPoseRows) {
    const Bitmap& s = Sprites();
    const Bitmap& m = Masks();
    for (int c = 0; c < 8; ++c) {
        int opaque = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 32 * c; x < 32 * c + 32; ++x) {
                bool transparent = m.at(x, y) == 1;
                opaque += !transparent;
                if (transparent) {
                    ASSERT_EQ(s.at(x, y), 0) << "walking column " << c << " at " << x << "," << y;
                    ASSERT_EQ(s.at(x, y + 32), 0) << "charging column " << c;
                }
            }
        EXPECT_GT(opaque, 200) << "column " << c << " should hold a visible character";
    }
}

TEST(Character, FramesWalkAndChargingFramesFlash) {
    const Bitmap& s = Sprites();
    for (int c = 0; c < 8; ++c) {
        int next = c % 4 == 3 ? c - 3 : c + 1;
        EXPECT_FALSE(RegionsEqual(s, 32 * c, 0, s, 32 * next, 0, 32, 32)) << c;
        bool tinted = c % 4 == 0 || c % 4 == 2;
        EXPECT_EQ(RegionsEqual(s, 32 * c, 0, s, 32 * c, 32, 32, 32), !tinted) << c;
    }
    // Facing halves are mirror images of one another.
    EXPECT_FALSE(RegionsEqual(s, 0, 0, s, 128, 0, 32, 32));
}

TEST(Masks, RowsThirtyTwoToSixtyThreeRepeatTheCharacterMasks) {
    EXPECT_TRUE(RegionsEqual(Masks(), 0, 0, Masks(), 0, 32, 256, 32));
}

TEST(Masks, SparkleMasksCoverTheirSparkles) {
    const Bitmap& s = Sprites();
    const Bitmap& m = Masks();
    int opaque = 0, outside = 0;
    for (int y = 64; y < 160; ++y)
        for (int x = 0; x < 256; ++x) {
            opaque += m.at(x, y) == 0;
            outside += m.at(x, y) == 1 && s.at(x, y) != 0;
        }
    EXPECT_GT(opaque, 8 * 8) << "every frame has some sparkle";
    EXPECT_LT(outside, opaque / 4) << "pixels ORed outside the mask stay subtle";
}

TEST(Shaft, WallColumnRepeatsEveryThirtyTwoRows) {
    const Bitmap& s = Sprites();
    for (int y = 32; y < 384; ++y)
        for (int x = 352; x < 368; ++x)
            ASSERT_EQ(s.at(x, y), s.at(x, y - 32)) << "wall at row " << y;
}

TEST(Shaft, BackWallTileHasNoSeamWhereItWraps) {
    Bitmap t = LoadBmp("bitmaps/backwall.bmp");
    ASSERT_EQ(t.error, "");
    // Brightness step across the wrap compared with the largest step inside.
    auto lum = [&](int x, int y) {
        const Colour& c = t.table[t.at(x % 128, y % 128)];
        return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
    };
    auto rowStep = [&](int y) {
        double sum = 0;
        for (int x = 0; x < 128; ++x)
            sum += std::abs(lum(x, y) - lum(x, y + 1));
        return sum / 128;
    };
    auto colStep = [&](int x) {
        double sum = 0;
        for (int y = 0; y < 128; ++y)
            sum += std::abs(lum(x, y) - lum(x + 1, y));
        return sum / 128;
    };
    double maxRow = 0, maxCol = 0;
    for (int i = 0; i < 127; ++i) {
        maxRow = std::max(maxRow, rowStep(i));
        maxCol = std::max(maxCol, colStep(i));
    }
    EXPECT_LE(rowStep(127), maxRow);
    EXPECT_LE(colStep(127), maxCol);
    // Dark red: red leads and the tile stays dim, so floors read against it.
    double r = 0, g = 0, sumLum = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            r += t.table[t.at(x, y)].r;
            g += t.table[t.at(x, y)].g;
            sumLum += lum(x, y);
        }
    EXPECT_GT(r, 2 * g);
    EXPECT_LT(sumLum / (128 * 128), 80.0);
}

TEST(Shaft, SpringsHaveTheirBarsAtTopAndBottom) {
    const Bitmap& s = Sprites();
    for (int k = 0; k < 7; ++k) {
        int top = 160 + 24 * k, h = 24 - 2 * k;
        for (int row : {0, 1, 2, h - 3, h - 2, h - 1})
            for (int x = 96; x < 192; ++x)
                ASSERT_NE(s.at(x, top + row), 0) << "spring " << k << " row " << row;
        // The bars differ from the coils between them.
        EXPECT_FALSE(RegionsEqual(s, 96, top + 1, s, 96, top + h / 2, 96, 1)) << k;
    }
}

TEST(Shaft, ConveyorFramesAnimateAndRunBothWays) {
    const Bitmap& s = Sprites();
    for (int k = 0; k < 4; ++k) {
        int next = (k + 1) % 4;
        EXPECT_FALSE(RegionsEqual(s, 0, 176 + 16 * k, s, 0, 176 + 16 * next, 96, 16));
        EXPECT_FALSE(RegionsEqual(s, 0, 240 + 16 * k, s, 0, 240 + 16 * next, 96, 16));
        EXPECT_FALSE(RegionsEqual(s, 0, 176 + 16 * k, s, 0, 240 + 16 * k, 96, 16));
    }
}

TEST(StatusPanel, BigDigitStripRollsCleanly) {
    const Bitmap& s = Sprites();
    // The second 0 closes the loop: rolling 9 -> 0 ends on the image it starts from.
    EXPECT_TRUE(RegionsEqual(s, 288, 320, s, 288, 0, 30, 32));
    for (int d = 0; d < 11; ++d) {
        // Empty rows at both ends of each digit, so no window cuts a stroke in two.
        EXPECT_TRUE(RegionIs(s, 288, 32 * d, 30, 1, 0)) << d;
        EXPECT_TRUE(RegionIs(s, 288, 32 * d + 31, 30, 1, 0)) << d;
        if (d < 10) {
            EXPECT_FALSE(RegionIs(s, 288, 32 * d + 8, 30, 16, 0)) << d;
        }
    }
    for (int d = 0; d + 1 < 10; ++d)
        EXPECT_FALSE(RegionsEqual(s, 288, 32 * d, s, 288, 32 * (d + 1), 30, 32));
}

TEST(StatusPanel, GaugeFillsOneSegmentPerStep) {
    const Bitmap& s = Sprites();
    int previous = -1;
    for (int p = 0; p <= 12; ++p) {
        int y = 160 + 16 * p;
        int bright = 0;
        for (int j = y; j < y + 16; ++j)
            for (int x = 192; x < 288; ++x) {
                const Colour& c = s.table[s.at(x, j)];
                bright += c.r + c.g + c.b > 300;
            }
        EXPECT_GT(bright, previous) << "gauge " << p;
        previous = bright;
    }
}

TEST(StatusPanel, BlankLabelAndDigitsAreThePanelBehindThem) {
    const Bitmap& f = Frame();
    ASSERT_EQ(f.error, "");
    EXPECT_TRUE(RegionsEqual(Sprites(), 164, 384, f, 464, 192, 64, 16));
    EXPECT_TRUE(RegionsEqual(Sprites(), 228, 384, f, 560, 213, 52, 14));
    EXPECT_FALSE(RegionIs(f, 464, 192, 64, 16, 0)) << "the jump-count place is not a well";
}

TEST(FramePicture, EveryWellIsPlainBlack) {
    const Bitmap& f = Frame();
    ASSERT_EQ(f.error, "");
    EXPECT_TRUE(RegionIs(f, 24, 64, 416, 352, 0)) << "play field";
    EXPECT_TRUE(RegionIs(f, 88, 32, 96, 16, 0)) << "gauge";
    EXPECT_TRUE(RegionIs(f, 216, 16, 120, 32, 0)) << "floor counter";
    EXPECT_TRUE(RegionIs(f, 512, 116, 100, 16, 0)) << "difficulty label";
    EXPECT_TRUE(RegionIs(f, 543, 165, 52, 14, 0)) << "best score";
    // The wells are framed: the pixels just outside are not black.
    EXPECT_FALSE(RegionIs(f, 23, 63, 418, 1, 0));
}

TEST(FramePicture, HotSpotPicturesFillTheirSpotsExactly) {
    const Bitmap& f = Frame();
    struct Spot {
        int x, y, w, h;
    };
    for (Spot spot : {Spot{522, 304, 28, 32}, Spot{520, 368, 32, 27}}) {
        // Something of the picture touches each of the spot's four edges: a
        // colour the bare panel beside the spot does not use.
        std::set<std::uint8_t> panel;
        for (int y = spot.y; y < spot.y + spot.h; ++y)
            for (int x = spot.x - 12; x < spot.x - 4; ++x)
                panel.insert(f.at(x, y));
        auto differsFromPanel = [&](int x, int y) { return !panel.contains(f.at(x, y)); };
        bool top = false, bottom = false, left = false, right = false;
        for (int x = spot.x; x < spot.x + spot.w; ++x) {
            top |= differsFromPanel(x, spot.y);
            bottom |= differsFromPanel(x, spot.y + spot.h - 1);
        }
        for (int y = spot.y; y < spot.y + spot.h; ++y) {
            left |= differsFromPanel(spot.x, y);
            right |= differsFromPanel(spot.x + spot.w - 1, y);
        }
        EXPECT_TRUE(top && bottom && left && right) << spot.x << "," << spot.y;
    }
}

TEST(Icon, HoldsFourImagesInTwoSizesAndTwoDepths) {
    Bytes b = ReadAll("icons/varnisk.ico");
    ASSERT_GE(b.size(), 6u + 4 * 16);
    EXPECT_EQ(U16(b, 0), 0u);
    EXPECT_EQ(U16(b, 2), 1u);
    ASSERT_EQ(U16(b, 4), 4u);
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < 4; ++i) {
        std::size_t entry = 6 + 16 * i;
        int size = b.at(entry);
        int bits = static_cast<int>(U16(b, entry + 6));
        std::uint32_t bytes = U32(b, entry + 8), offset = U32(b, entry + 12);
        ASSERT_LE(offset + bytes, b.size());
        // The image's own header: double height for the AND mask, same depth.
        EXPECT_EQ(U32(b, offset), 40u);
        EXPECT_EQ(static_cast<int>(U32(b, offset + 4)), size);
        EXPECT_EQ(static_cast<int>(U32(b, offset + 8)), 2 * size);
        EXPECT_EQ(static_cast<int>(U16(b, offset + 14)), bits);
        std::size_t table = bits == 4 ? 16 : 256;
        std::size_t colourRows = static_cast<std::size_t>((size * bits + 31) / 32 * 4) * size;
        std::size_t maskRows = static_cast<std::size_t>((size + 31) / 32 * 4) * size;
        EXPECT_EQ(bytes, 40 + 4 * table + colourRows + maskRows);
        seen.insert({size, bits});
    }
    EXPECT_EQ(seen, (std::set<std::pair<int, int>>{{32, 4}, {32, 8}, {16, 4}, {16, 8}}));
}

TEST(Icon, PngsAreTheArtAtWholeScales) {
    for (int size : {32, 64, 128, 256}) {
        SCOPED_TRACE(size);
        Bytes b = ReadAll("icons/varnisk-" + std::to_string(size) + ".png");
        ASSERT_GE(b.size(), 33u);
        const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        EXPECT_TRUE(std::equal(signature.begin(), signature.end(), b.begin()));
        EXPECT_EQ(std::string(b.begin() + 12, b.begin() + 16), "IHDR");
        EXPECT_EQ(U32BigEndian(b, 16), static_cast<std::uint32_t>(size));
        EXPECT_EQ(U32BigEndian(b, 20), static_cast<std::uint32_t>(size));
    }
}

} // namespace
