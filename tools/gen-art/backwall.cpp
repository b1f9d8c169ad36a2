#include "backwall.h"

#include "palette.h"

Image BackWallTile() {
    using namespace ink;
    Image img(128, 128);
    // Bricks 32 x 16, every other course shifted by 16: 4 across, 8 down, so the
    // pattern closes at 128 in both directions.
    for (int y = 0; y < 128; ++y) {
        int course = y / 16;
        int row = y % 16;
        for (int x = 0; x < 128; ++x) {
            int sx = (x + (course % 2) * 16) % 128;
            int col = sx % 32;
            int brick = sx / 32;
            std::uint32_t id = static_cast<std::uint32_t>(course * 4 + brick);
            if (row == 15 || col == 31) {
                img.set(x, y, kBackWall(1));
                continue;
            }
            // Dim, low-contrast bricks: the floors and the climber must stand out.
            double tone = 0.25 + 0.08 * static_cast<double>(Hash(id, 1) % 4) / 3.0;
            double grain =
                static_cast<double>(
                    Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 5) % 100) /
                1000.0;
            double t = tone + grain - 0.006 * row;
            std::uint8_t v = Dither(kBackWall, t, x, y);
            if (row == 0)
                v = kBackWall(7);
            else if (col == 0)
                v = kBackWall(6);
            else if (row == 14 || col == 30)
                v = kBackWall(2);
            // A few chipped corners and cracks, placed by brick.
            std::uint32_t mark = Hash(id, 9) % 6;
            if (mark == 0 && row >= 4 && row <= 10 && col == 8 + row)
                v = kBackWall(2);
            if (mark == 1 && row <= 2 && col >= 27)
                v = kBackWall(1);
            img.set(x, y, v);
        }
    }
    return img;
}
