// The rules the committed art keeps that a player would see broken, and the
// resource table embedding every committed file under the game's number.

#include "assets/resources.h"
#include "tests/assets/asset_readers.h"

#include <gtest/gtest.h>
#include <set>

namespace {

using namespace asset_readers;

const Bitmap sprites = LoadBmp("bitmaps/sprites.bmp"), masks = LoadBmp("bitmaps/masks.bmp");

// How many pixels of the w x h block at (x, y) pass the test.
template <class Test>
int Count(int x, int y, int w, int h, Test test) {
    int n = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            n += test(i, j) ? 1 : 0;
    return n;
}
// Whether the w x h blocks at (ax, ay) and (bx, by) are equal.
bool Same(const Bitmap& b, int ax, int ay, int bx, int by, int w, int h) {
    return !Count(0, 0, w, h,
                  [&](int i, int j) { return b.at(ax + i, ay + j) != b.at(bx + i, by + j); });
}

struct Picture {
    const char* file;
    int width, height, bits;
};

// Pieces are cut from fixed places in these sizes. The 8-bit pictures share
// the screen's palette, the twenty static colours at its ends and no entry
// repeated (the display would merge them); masks: black opaque, white clear.
TEST(ArtFiles, EveryBitmapHasItsSizeAndTheSharedPaletteWithTheStaticColoursAtItsEnds) {
    for (const Picture& p : {Picture{"sprites", 384, 432, 8}, Picture{"backwall", 128, 128, 8},
                             Picture{"masks", 256, 160, 1}, Picture{"about", 288, 140, 8},
                             Picture{"title", 288, 140, 8}, Picture{"frame", 634, 436, 8}}) {
        SCOPED_TRACE(p.file);
        const Bitmap b = LoadBmp(std::string("bitmaps/") + p.file + ".bmp");
        EXPECT_EQ(b.error, "");
        EXPECT_EQ(std::tuple(b.width, b.height, b.bits), std::tuple(p.width, p.height, p.bits));
        const std::vector<Colour> blackWhite{{0, 0, 0}, {255, 255, 255}};
        EXPECT_EQ(b.table, p.bits == 8 ? sprites.table : blackWhite);
    }
    constexpr unsigned kStatic[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                      0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
                                      0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                      0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    const auto& table = sprites.table;
    ASSERT_EQ(table.size(), 256u);
    for (int i = 0; i < 20; ++i) {
        const Colour& c = table[i < 10 ? i : 236 + i];
        EXPECT_EQ(unsigned(c.r << 16 | c.g << 8 | c.b), kStatic[i]) << "static colour " << i;
    }
    EXPECT_EQ(std::set(table.begin(), table.end()).size(), 256u);
}

// Sprites are ORed over their AND mask, so under a clear mask they must be
// index 0; the charging pose (rows 32-63) uses the walking pose's masks.
TEST(Masks, AreClearOnlyOverIndexZeroAndRepeatForTheChargingPose) {
    EXPECT_TRUE(Same(masks, 0, 0, 0, 32, 256, 32)) << "rows 32-63 repeat the masks";
    for (const int dy : {0, 32})
        EXPECT_EQ(
            Count(0, 0, 256, 32,
                  [&](int i, int j) { return masks.at(i, j) == 1 && sprites.at(i, j + dy) != 0; }),
            0)
            << "sprite colour under a clear mask, pose at row " << dy;
}

// Rolling 9 -> 0 ends where it starts, and no digit has ink in its end rows.
TEST(StatusPanel, TheDigitStripRollsCleanly) {
    EXPECT_TRUE(Same(sprites, 288, 320, 288, 0, 30, 32));
    for (int d = 0; d < 11; ++d)
        EXPECT_EQ(Count(288, 32 * d, 30, 32,
                        [&](int x, int y) { return y % 32 % 31 == 0 && sprites.at(x, y); }),
                  0)
            << d;
}

TEST(Resources, EveryResourceIsEmbeddedByItsNumberExactlyAsCommittedAndNothingElse) {
    const char* bitmaps[] = {"sprites", "backwall", "masks", "about", "title", "frame"};
    auto expect = [](ResourceKind kind, int id, const std::string& file) {
        const auto bytes = FindResource(kind, id);
        const Bytes committed = ReadAsset(file);
        EXPECT_TRUE(bytes && !committed.empty() && std::ranges::equal(*bytes, committed)) << file;
    };
    expect(ResourceKind::Icon, 101, "icons/varnisk.ico");
    for (int id = 120; id <= 125; ++id)
        expect(ResourceKind::Bitmap, id, std::string("bitmaps/") + bitmaps[id - 120] + ".bmp");
    for (int id = 141; id <= 160; ++id)
        expect(ResourceKind::Wave, id, "waves/" + std::to_string(id) + ".wav");
    EXPECT_EQ(AllResources().size(), 1u + 6 + 20);
    EXPECT_FALSE(FindResource(ResourceKind::Wave, 120)); // a bitmap's number, asked as a wave
}

} // namespace
