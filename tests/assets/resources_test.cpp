// The resource table carries every committed file under the number the game
// asks for, byte for byte, and nothing else.

#include "assets/resources.h"
#include "tests/assets/asset_readers.h"

#include <gtest/gtest.h>

TEST(Resources, EveryResourceIsEmbeddedByItsNumberExactlyAsCommittedAndNothingElse) {
    std::vector<std::tuple<ResourceKind, int, std::string>> expected{
        {ResourceKind::Icon, 101, "icons/varnisk.ico"}};
    const char* bitmaps[] = {"sprites", "backwall", "masks", "about", "title", "frame"};
    for (int id = 120; id <= 125; ++id)
        expected.emplace_back(ResourceKind::Bitmap, id,
                              std::string("bitmaps/") + bitmaps[id - 120] + ".bmp");
    for (int id = 141; id <= 160; ++id)
        expected.emplace_back(ResourceKind::Wave, id, "waves/" + std::to_string(id) + ".wav");
    for (const auto& [kind, id, file] : expected) {
        const auto bytes = FindResource(kind, id);
        const auto committed = asset_readers::ReadAsset(file);
        ASSERT_TRUE(bytes.has_value()) << file;
        EXPECT_TRUE(!committed.empty() && std::ranges::equal(*bytes, committed)) << file;
    }
    EXPECT_EQ(AllResources().size(), expected.size());
    EXPECT_FALSE(FindResource(ResourceKind::Bitmap, 126));
    EXPECT_FALSE(FindResource(ResourceKind::Wave, 120)); // a bitmap's number, asked as a wave
    EXPECT_FALSE(FindResource(ResourceKind::Icon, 0));
}
