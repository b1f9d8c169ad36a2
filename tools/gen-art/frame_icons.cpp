#include "frame_icons.h"

#include "palette.h"

#include <algorithm>
#include <cmath>

Image StopwatchIcon() {
    using namespace ink;
    Image img(28, 32);
    // Crown and button on top (rows 0..4), the round case below (rows 4..31).
    img.fill(11, 0, 6, 2, kSteel(12));
    img.hline(11, 16, 0, kSteel(16));
    img.fill(13, 2, 2, 3, kSteel(7));
    img.fill(21, 3, 4, 3, kSteel(9)); // side button
    img.set(21, 3, kSteel(15));
    const double cx = 13.5, cy = 17.5, r = 14.0;
    for (int y = 4; y < 32; ++y)
        for (int x = 0; x < 28; ++x) {
            double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            double d = std::sqrt(dx * dx + dy * dy);
            if (d > r)
                continue;
            std::uint8_t v;
            if (d > r - 1.2) {
                v = kInk(1);
            } else if (d > r - 3.5) {
                // Gold case, lit from the top left.
                double light = 0.5 - (dx + dy) / (2.0 * r) * 0.8;
                v = Dither(kGold, 0.35 + 0.55 * light, x, y);
            } else {
                double light = 0.85 - (dx + dy) / (2.0 * r) * 0.2;
                v = Dither(kCream, light, x, y);
            }
            img.set(x, y, v);
        }
    // Twelve ticks, then hands at ten to two, drawn over the face.
    for (int t = 0; t < 12; ++t) {
        double a = t * 3.14159265 / 6.0;
        int x = static_cast<int>(std::lround(cx - 0.5 + std::sin(a) * 8.5));
        int y = static_cast<int>(std::lround(cy - 0.5 - std::cos(a) * 8.5));
        img.set(x, y, t % 3 == 0 ? kHot(5) : kCream(5));
    }
    for (int i = 0; i <= 7; ++i)
        img.set(13 + i * 5 / 7, 17 - i, kInk(1));
    for (int i = 0; i <= 5; ++i)
        img.set(13 - i, 17 - i * 2 / 5, kInk(1));
    img.fill(13, 17, 2, 2, kHot(6));
    return img;
}

Image AbortIcon() {
    using namespace ink;
    Image img(32, 27);
    // An octagonal red sign with a white cross, corners cut by 7 pixels.
    for (int y = 0; y < 27; ++y)
        for (int x = 0; x < 32; ++x) {
            int cut = 7;
            int dx = std::min(x, 31 - x), dy = std::min(y, 26 - y);
            if (dx + dy < cut)
                continue;
            std::uint8_t v;
            if (dx + dy == cut || dx == 0 || dy == 0) {
                v = kInk(1);
            } else if (dx + dy == cut + 1 || dx == 1 || dy == 1) {
                v = kCream(13);
            } else {
                double light = 1.0 - (x + y) / 58.0;
                v = Dither(kHot, 0.3 + 0.4 * light, x, y);
            }
            img.set(x, y, v);
        }
    // The cross: two 3-pixel strokes.
    for (int i = 0; i <= 12; ++i) {
        for (int w = -1; w <= 1; ++w) {
            img.set(10 + i + w, 7 + i, w == -1 ? kCream(15) : kCream(11));
            img.set(22 - i + w, 7 + i, w == -1 ? kCream(15) : kCream(11));
        }
    }
    return img;
}
