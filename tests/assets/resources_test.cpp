#include "assets/resources.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> ReadAsset(const std::string& name) {
    std::ifstream in(std::string(VARNISK_ASSET_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExpectEmbedded(ResourceKind kind, int id, const std::string& file) {
    const auto bytes = FindResource(kind, id);
    ASSERT_TRUE(bytes.has_value()) << file;
    const std::vector<std::uint8_t> committed = ReadAsset(file);
    ASSERT_FALSE(committed.empty()) << file;
    EXPECT_TRUE(std::equal(bytes->begin(), bytes->end(), committed.begin(), committed.end()))
        << file;
}

} // namespace

TEST(Resources, EveryResourceIsEmbeddedByItsNumberExactlyAsCommitted) {
    const char* bitmaps[] = {"sprites", "backwall", "masks", "about", "title", "frame"};
    for (int id = 120; id <= 125; ++id) {
        ExpectEmbedded(ResourceKind::Bitmap, id,
                       std::string("bitmaps/") + bitmaps[id - 120] + ".bmp");
    }
    for (int id = 141; id <= 160; ++id) {
        ExpectEmbedded(ResourceKind::Wave, id, "waves/" + std::to_string(id) + ".wav");
    }
    ExpectEmbedded(ResourceKind::Icon, 101, "icons/varnisk.ico");
    EXPECT_EQ(AllResources().size(), 27u);
}

TEST(Resources, UnknownNumbersAndKindsFindNothing) {
    EXPECT_FALSE(FindResource(ResourceKind::Bitmap, 126));
    EXPECT_FALSE(FindResource(ResourceKind::Wave, 120)); // a bitmap's number, asked as a wave
    EXPECT_FALSE(FindResource(ResourceKind::Icon, 0));
}
