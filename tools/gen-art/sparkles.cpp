#include "sparkles.h"

#include "palette.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int kParticles = 10;

// A star of size 0 (dot), 1 (small plus), 2 (four-pointed twinkle) or 3
// (big twinkle with a diagonal glint).
void DrawStar(Image& img, int cx, int cy, int size, std::uint8_t core, std::uint8_t arm,
              std::uint8_t tip) {
    img.set(cx, cy, core);
    if (size >= 1) {
        img.set(cx - 1, cy, arm);
        img.set(cx + 1, cy, arm);
        img.set(cx, cy - 1, arm);
        img.set(cx, cy + 1, arm);
    }
    if (size >= 2) {
        img.set(cx - 2, cy, tip);
        img.set(cx + 2, cy, tip);
        img.set(cx, cy - 2, tip);
        img.set(cx, cy + 2, tip);
        img.set(cx, cy - 3, tip);
        img.set(cx, cy + 3, tip);
    }
    if (size >= 3) {
        img.set(cx - 3, cy, tip);
        img.set(cx + 3, cy, tip);
        for (int d : {-1, 1}) {
            img.set(cx + d, cy + d, arm);
            img.set(cx + d, cy - d, arm);
        }
    }
}

} // namespace

Image SparkleFrame(int frame) {
    using namespace ink;
    Image img(64, 48);
    for (int p = 0; p < kParticles; ++p) {
        // Each particle climbs 5 rows a frame from the feet and wraps after 8 frames,
        // so frame 7 leads back into frame 0 without a jump.
        int step = (frame + p * 8 / kParticles + p) % 8;
        double angle = 2.0 * std::numbers::pi * (p / static_cast<double>(kParticles)) + step * 0.55;
        int cx = 32 + static_cast<int>(std::lround(std::cos(angle) * 25.0));
        int cy = 43 - step * 5 - (p % 2) * 2;
        // Stars in front of the body would hide it; keep those small.
        bool front = std::sin(angle) > 0.2;
        int size = (step == 2 || step == 3 || step == 5) ? 2 : (step == 0 || step == 7) ? 0 : 1;
        if (front && size == 2)
            size = 1;
        const Ramp& hue = p % 3 == 0 ? kYellow : p % 3 == 1 ? kSky : kCream;
        DrawStar(img, cx, cy, size, hue(hue.last()), hue(hue.last() - 2), hue(hue.last() - 5));
    }
    return img;
}
