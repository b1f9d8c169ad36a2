#include "frame_picture.h"

#include "frame_icons.h"
#include "icon.h"
#include "lettering.h"
#include "palette.h"
#include "status_sprites.h"

#include <cmath>

namespace {

using namespace frame_layout;

constexpr int kWidth = 634;
constexpr int kHeight = 436;

// Brushed slate, lit from above: a slow dithered gradient with faint horizontal
// streaks, so large empty areas are not flat.
void PaintPanel(Image& img) {
    for (int y = 0; y < kHeight; ++y) {
        double streak = static_cast<double>(Hash(static_cast<std::uint32_t>(y), 3) % 5) / 200.0;
        for (int x = 0; x < kWidth; ++x) {
            double t = 0.62 - 0.18 * y / kHeight - 0.05 * x / kWidth + streak;
            img.set(x, y, Dither(ink::kPanel, t, x, y));
        }
    }
    // Raised outer edge of the whole panel.
    Bevel(img, 2, 2, kWidth - 4, kHeight - 4, 2, ink::kPanel(19), ink::kPanel(4));
}

// A black well sunk into the panel: dark upper-left lip, lit lower-right lip.
void Well(Image& img, const Box& b, int depth) {
    img.fill(b.x, b.y, b.w, b.h, 0);
    Bevel(img, b.x, b.y, b.w, b.h, depth, ink::kPanel(3), ink::kPanel(18));
    // The innermost line of the lip is darker, a shadow on the well's edge.
    img.hline(b.x - 1, b.x + b.w, b.y - 1, ink::kPanel(1));
    img.vline(b.x - 1, b.y - 1, b.y + b.h, ink::kPanel(1));
}

// A line engraved in the panel around a group of things.
void Groove(Image& img, int x, int y, int w, int h) {
    img.frame(x, y, w, h, ink::kPanel(5));
    img.frame(x + 1, y + 1, w, h, ink::kPanel(17));
    img.frame(x, y, w, h, ink::kPanel(5));
}

void Screw(Image& img, int x, int y) {
    using namespace ink;
    img.fill(x - 1, y - 1, 4, 4, kPanel(13));
    img.hline(x - 1, x + 2, y - 1, kPanel(20));
    img.vline(x - 1, y - 1, y + 2, kPanel(18));
    img.hline(x - 1, x + 2, y + 2, kPanel(5));
    img.vline(x + 2, y - 1, y + 2, kPanel(5));
    img.hline(x, x + 1, y + 1, kPanel(7)); // the slot
}

LetterStyle Heading() {
    LetterStyle s = GoldLetters(2, 0.5);
    s.outline = ink::kInk(1);
    s.shadow = ink::kPanel(2);
    return s;
}

LetterStyle Caption() {
    LetterStyle s;
    s.scale = 1;
    s.fill = ink::kCream;
    s.fillTop = 1.0;
    s.fillBottom = 0.8;
    s.shadow = ink::kPanel(3);
    return s;
}

void DrawFieldSurround(Image& img) {
    using namespace ink;
    const Box& f = kField;
    // A raised steel-blue collar with screws, then the sunken well itself.
    Bevel(img, f.x - 4, f.y - 4, f.w + 8, f.h + 8, 3, kPanel(19), kPanel(5));
    img.frame(f.x - 4, f.y - 4, f.w + 8, f.h + 8, kPanel(15));
    Well(img, f, 3);
    for (int x : {f.x - 9, f.x + f.w + 6})
        for (int y : {f.y - 9, f.y + f.h + 6})
            Screw(img, x, y);
}

void DrawTopRow(Image& img) {
    using namespace ink;
    Groove(img, 76, 8, 292, 48);
    DrawTextCentred(img, kGauge.x + kGauge.w / 2, 14, "POWER", Heading());
    Well(img, kGauge, 2);
    Well(img, kCounter, 2);
    LetterStyle f = GoldDigits(2);
    f.outline = kInk(1);
    f.shadow = kPanel(2);
    DrawText(img, kCounter.x + kCounter.w + 6, kCounter.y + 4, "F", f);
    for (int x : {12, 44})
        Screw(img, x, 30);
}

// The climber's portrait in a round porthole, filling the column's quiet middle.
void DrawPortrait(Image& img, int cx, int cy) {
    using namespace ink;
    const int r = 21;
    for (int y = cy - r; y <= cy + r; ++y)
        for (int x = cx - r; x <= cx + r; ++x) {
            double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            double d = std::sqrt(dx * dx + dy * dy);
            if (d > r)
                continue;
            if (d > r - 1) {
                img.set(x, y, kPanel(2));
            } else if (d > r - 4) {
                double light = 0.5 - (dx + dy) / (2.0 * r) * 0.9;
                img.set(x, y, Dither(kSteel, 0.3 + 0.6 * light, x, y));
            } else {
                img.set(x, y, Dither(kSky, 0.1 + 0.25 * (dy + r) / (2.0 * r), x, y));
            }
        }
    img.pasteOver(IconArt32(), cx - 16, cy - 18);
}

void DrawRightColumn(Image& img) {
    using namespace ink;
    const int cx = 537;
    // The game's name, big.
    LetterStyle title = GoldLetters(4, 0.35);
    title.outline = kInk(0);
    title.shadow = kPanel(1);
    title.shadowOffset = 2;
    DrawTextCentred(img, cx, 20, "VARNISK", title);
    img.hline(462, 612, 62, kPanel(6));
    img.hline(462, 612, 63, kPanel(17));

    Groove(img, 458, 84, 162, 96);
    DrawTextCentred(img, kLabel.x + kLabel.w / 2, 94, "SKILL", Heading());
    Well(img, kLabel, 2);
    DrawTextCentred(img, cx + 32, 143, "BEST", Heading());
    Well(img, kBest, 2);
    LetterStyle smallF = GoldDigits(1);
    smallF.shadow = kPanel(2);
    DrawText(img, kBest.x + kBest.w + 5, kBest.y + 1, "F", smallF);

    // The jump count shows on the bare panel inside its own groove.
    Groove(img, 458, 186, 162, 46);

    Groove(img, 500, 296, 72, 56);
    DrawPortrait(img, cx, 262);
    img.pasteOver(StopwatchIcon(), kPauseSpot.x, kPauseSpot.y);
    DrawTextCentred(img, kPauseSpot.x + kPauseSpot.w / 2, 340, "PAUSE", Caption());
    Groove(img, 500, 360, 72, 56);
    img.pasteOver(AbortIcon(), kAbortSpot.x, kAbortSpot.y);
    DrawTextCentred(img, kAbortSpot.x + kAbortSpot.w / 2, 400, "ABORT", Caption());
}

} // namespace

Image FramePicture() {
    Image img(kWidth, kHeight);
    PaintPanel(img);
    DrawFieldSurround(img);
    DrawTopRow(img);
    DrawRightColumn(img);
    return img;
}
