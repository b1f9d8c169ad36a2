#include "floors.h"

#include "palette.h"

#include <cmath>
#include <cstdlib>

namespace {

// Colour seen through gaps in a floor: the darkest shade of the back wall.
constexpr std::uint8_t kGapShadow = ink::kBackWall(1);

// A bolt head: lit top-left, shaded bottom-right.
void Rivet(Image& img, int x, int y) {
    using namespace ink;
    img.set(x, y, kSteel(16));
    img.set(x + 1, y, kSteel(12));
    img.set(x, y + 1, kSteel(11));
    img.set(x + 1, y + 1, kSteel(4));
}

// Steel trim bar: bright top edge, body shaded downwards, dark bottom edge.
void SteelBar(Image& img, int x, int y, int w, int h, int light, int dark) {
    using namespace ink;
    for (int j = 0; j < h; ++j) {
        double t = h == 1 ? 0.0 : static_cast<double>(j) / (h - 1);
        for (int i = 0; i < w; ++i) {
            int shade = static_cast<int>(std::lround(light + (dark - light) * t));
            img.set(x + i, y + j, kSteel(shade));
        }
    }
    img.hline(x, x + w - 1, y, kSteel(light + 3));
    img.vline(x, y, y + h - 1, kSteel(light + 1));
    img.vline(x + w - 1, y, y + h - 1, kSteel(dark - 2));
}

} // namespace

Image PlainFloor() {
    using namespace ink;
    Image img(96, 16, kGapShadow);
    // Walkway plate on top, where the feet land: the brightest thing in the shaft.
    SteelBar(img, 0, 0, 96, 5, 13, 9);
    for (int x = 2; x < 94; x += 4)
        img.set(x + (x / 4) % 2, 2, kSteel(15)); // tread
    // Girder web with X-bracing under the plate.
    img.fill(0, 5, 96, 8, kSteel(2));
    for (int cell = 0; cell < 6; ++cell) {
        int x0 = cell * 16;
        for (int i = 0; i < 16; ++i) {
            int d = i * 7 / 15;
            img.set(x0 + i, 5 + d, kSteel(8));
            img.set(x0 + i, 12 - d, kSteel(6));
        }
        img.vline(x0, 5, 12, kSteel(9));
        img.vline(x0 + 1, 5, 12, kSteel(5));
    }
    img.vline(95, 5, 12, kSteel(4));
    SteelBar(img, 0, 13, 96, 3, 8, 3);
    img.hline(0, 95, 15, kSteel(1));
    for (int x = 4; x < 96; x += 16)
        Rivet(img, x, 1);
    Rivet(img, 90, 1);
    return img;
}

Image ConveyorFloor(int k, bool toRight) {
    using namespace ink;
    Image img(96, 16, kGapShadow);
    // Steel end blocks holding the rollers.
    SteelBar(img, 0, 0, 7, 16, 12, 4);
    SteelBar(img, 89, 0, 7, 16, 12, 4);
    Rivet(img, 2, 3);
    Rivet(img, 91, 3);
    Rivet(img, 2, 11);
    Rivet(img, 91, 11);
    // Top run of the belt: rubber with yellow chevrons that travel 3 pixels a
    // frame in the belt's direction (period 12 = 4 frames x 3).
    int shift = (toRight ? 3 : -3) * k;
    img.fill(7, 0, 82, 6, kRubber(3));
    img.hline(7, 88, 0, kRubber(8));
    img.hline(7, 88, 5, kRubber(1));
    for (int x = 7; x < 89; ++x) {
        int u = ((x - 7 - shift) % 12 + 12) % 12;
        for (int row = 1; row <= 4; ++row) {
            // A chevron 2 pixels thick pointing the way the belt runs.
            int lean = row <= 2 ? row - 1 : 4 - row;
            int pos = toRight ? u - lean : 11 - u - lean;
            if (pos == 4 || pos == 5)
                img.set(x, row, row <= 2 ? kYellow(10) : kYellow(7));
        }
    }
    // Frame between the runs with rollers whose spokes turn with the belt.
    img.fill(7, 6, 82, 5, kSteel(3));
    for (int r = 0; r < 5; ++r) {
        int cx = 15 + r * 16;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (dx * dx + dy * dy <= 5)
                    img.set(cx + dx, 8 + dy, kSteel(9));
        int spoke = toRight ? k % 2 : 1 - k % 2;
        if (spoke == 0) {
            img.hline(cx - 1, cx + 1, 8, kSteel(3));
        } else {
            img.vline(cx, 7, 9, kSteel(3));
        }
        img.set(cx, 8, kSteel(15));
    }
    // Bottom return run moves the other way.
    img.fill(7, 11, 82, 4, kRubber(2));
    img.hline(7, 88, 11, kRubber(5));
    for (int x = 7; x < 89; ++x)
        if (((x + shift) % 6 + 6) % 6 == 0)
            img.vline(x, 12, 13, kRubber(6));
    img.hline(0, 95, 15, kSteel(1));
    return img;
}

Image SpringImage(int k) {
    using namespace ink;
    int h = 24 - 2 * k;
    Image img(96, h, kGapShadow);
    // Top bar: a red padded plate, rows 0..2.
    for (int x = 0; x < 96; ++x) {
        img.set(x, 0, kHot(12));
        img.set(x, 1, kHot(8));
        img.set(x, 2, kHot(4));
    }
    img.set(0, 1, kHot(6));
    img.set(95, 1, kHot(3));
    for (int x = 6; x < 96; x += 12)
        img.set(x, 1, kHot(14));
    // Base bar: steel, last three rows.
    for (int x = 0; x < 96; ++x) {
        img.set(x, h - 3, kSteel(13));
        img.set(x, h - 2, kSteel(8));
        img.set(x, h - 1, kSteel(3));
    }
    // Three coils between the bars, drawn as a zigzag of wire from side to
    // side; pressing the spring flattens the zigzag.
    int top = 3, bottom = h - 4;
    constexpr int kLegs = 4;
    for (int c = 0; c < 3; ++c) {
        int cx = 16 + c * 32;
        // Post through the coil keeps it readable when squashed flat.
        img.fill(cx - 1, top, 3, bottom - top + 1, kSteel(2));
        for (int leg = 0; leg < kLegs; ++leg) {
            double y0 = top + (bottom - top) * static_cast<double>(leg) / kLegs;
            double y1 = top + (bottom - top) * static_cast<double>(leg + 1) / kLegs;
            bool front = leg % 2 == 0; // front legs run left to right, downwards
            int xa = front ? cx - 11 : cx + 11, xb = front ? cx + 11 : cx - 11;
            for (int step = 0; step <= 22; ++step) {
                double t = step / 22.0;
                int x = static_cast<int>(std::lround(xa + (xb - xa) * t));
                int y = static_cast<int>(std::lround(y0 + (y1 - y0) * t));
                if (front) {
                    img.set(x, y, kSteel(15));
                    img.set(x, y + 1, kSteel(9));
                } else if (img.at(x, y) == kGapShadow || img.at(x, y) == kSteel(2)) {
                    img.set(x, y, kSteel(6));
                }
            }
        }
        // Front legs are drawn again so the back legs never cut across them.
        for (int leg = 0; leg < kLegs; leg += 2) {
            double y0 = top + (bottom - top) * static_cast<double>(leg) / kLegs;
            double y1 = top + (bottom - top) * static_cast<double>(leg + 1) / kLegs;
            for (int step = 0; step <= 22; ++step) {
                double t = step / 22.0;
                int x = static_cast<int>(std::lround(cx - 11 + 22 * t));
                int y = static_cast<int>(std::lround(y0 + (y1 - y0) * t));
                img.set(x, y, kSteel(15));
            }
        }
    }
    return img;
}

Image GroundStrip() {
    using namespace ink;
    Image img(384, 32, kBrick(2));
    // Steel ledge along the top, like the floors, so landing on it reads the same.
    SteelBar(img, 0, 0, 384, 5, 12, 7);
    for (int x = 6; x < 384; x += 24)
        Rivet(img, x, 1);
    // Big foundation blocks below, two courses, with per-block tone.
    for (int course = 0; course < 2; ++course) {
        int y0 = 5 + course * 13;
        int offset = course * 24;
        for (int bx = -offset; bx < 384; bx += 48) {
            int tone = static_cast<int>(Hash(static_cast<std::uint32_t>(bx + 100), 7u) % 3);
            for (int j = 1; j < 13 && y0 + j < 32; ++j)
                for (int i = 1; i < 48; ++i) {
                    double t = 0.55 - 0.03 * j + 0.04 * tone;
                    img.set(bx + i, y0 + j, Dither(kBrick, t, bx + i, y0 + j));
                }
            img.hline(bx + 1, bx + 46, y0 + 1, kBrick(9 + tone));
            img.vline(bx + 1, y0 + 1, y0 + 12, kBrick(8 + tone));
            img.vline(bx + 47, y0 + 1, y0 + 12, kBrick(3));
        }
    }
    img.hline(0, 383, 31, kBrick(1));
    return img;
}

Image WallColumn() {
    using namespace ink;
    Image img(16, 384, kBrick(2));
    // Four courses of 8 rows per 32: full brick, split brick, full, split; tones
    // depend only on the row within those 32, so the column repeats exactly.
    for (int y = 0; y < 384; ++y) {
        int course = (y % 32) / 8;
        int row = y % 8;
        for (int x = 0; x < 16; ++x) {
            bool split = course % 2 == 1;
            int brick = split ? (x < 8 ? 0 : 1) : 0;
            int left = split ? (x < 8 ? 0 : 8) : 0;
            int right = split ? (x < 8 ? 7 : 15) : 15;
            bool mortar = row == 7 || (split && x == 7) || (!split && false);
            if (mortar) {
                img.set(x, y, kBrick(2));
                continue;
            }
            int tone = static_cast<int>(Hash(static_cast<std::uint32_t>(course), brick) % 3);
            // Lit from the shaft's middle: the pillar is rounded, brighter left of centre.
            double across = (x + 0.5) / 16.0;
            double t = 0.62 - std::abs(across - 0.38) * 0.55 + 0.05 * tone - 0.02 * row;
            std::uint8_t v = Dither(kBrick, t, x, y);
            if (row == 0)
                v = kBrick(11 + tone);
            else if (x == left)
                v = kBrick(9);
            else if (x == right || row == 6)
                v = kBrick(4);
            img.set(x, y, v);
        }
    }
    return img;
}
