#include "tests/e2e/window_image.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

// A window of w x h game pixels shown at zoom z, where game pixel (x, y) is
// the colour x * 0x100 + y, except that the block's corner pixels are black:
// only a read from the block's middle sees the colour.
WindowImage Checkered(int w, int h, int z) {
    std::vector<std::uint32_t> rgb(static_cast<std::size_t>(w * z) * (h * z));
    for (int wy = 0; wy < h * z; ++wy) {
        for (int wx = 0; wx < w * z; ++wx) {
            const bool corner = z > 1 && wx % z == 0 && wy % z == 0;
            rgb[static_cast<std::size_t>(wy) * (w * z) + wx] =
                corner ? 0u : static_cast<std::uint32_t>((wx / z) * 0x100 + wy / z);
        }
    }
    return WindowImage(w * z, h * z, z, std::move(rgb));
}

TEST(WindowImage, ReadsGamePixelsThroughTheZoomAndNothingOutside) {
    for (const int zoom : {1, 2, 3}) {
        const WindowImage image = Checkered(5, 4, zoom);
        EXPECT_EQ(image.At(0, 0), 0x000u) << zoom;
        EXPECT_EQ(image.At(4, 3), 0x403u) << zoom;
        EXPECT_EQ(image.At(2, 1), 0x201u) << zoom;
        EXPECT_EQ(image.At(5, 0), noColor) << zoom;
        EXPECT_EQ(image.At(0, 4), noColor) << zoom;
        EXPECT_EQ(image.At(-1, 0), noColor) << zoom;
    }
    // An area comes row by row; a part outside the window reads as no colour.
    const WindowImage image = Checkered(5, 4, 2);
    EXPECT_EQ(image.Area({3, 2, 3, 2}),
              (std::vector<std::uint32_t>{0x302, 0x402, noColor, 0x303, 0x403, noColor}));
}

TEST(WindowImage, CountsDifferencesAndTreatsOtherSizesAsAllDifferent) {
    EXPECT_EQ(CountDifferences({1, 2, 3}, {1, 5, 6}), 2);
    EXPECT_EQ(CountDifferences({1, 2, 3}, {1, 2, 3}), 0);
    EXPECT_EQ(CountDifferences({1, 2, 3}, {1, 2}), 3);
}

TEST(WindowImage, SavesTheWindowsOwnPixelsAsPpm) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "varnisk-e2e-window-image-test.ppm";
    const WindowImage image(2, 1, 1, {0x112233, 0xAABBCC});
    ASSERT_TRUE(image.SavePpm(file.string()));
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(file);
    EXPECT_EQ(bytes, std::string("P6\n2 1\n255\n\x11\x22\x33\xAA\xBB\xCC"));
    EXPECT_FALSE(image.SavePpm("/nonexistent-folder/picture.ppm"));
}

} // namespace
