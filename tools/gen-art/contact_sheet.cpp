#include "contact_sheet.h"

#include "frame_picture.h"

namespace {

// Copies w x h from src (sx, sy) to dst (dx, dy), as the game's opaque blits do.
void Blit(Image& dst, int dx, int dy, const Image& src, int sx, int sy, int w, int h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (src.inside(sx + i, sy + j))
                dst.set(dx + i, dy + j, src.at(sx + i, sy + j));
}

// The transparency rule: AND with the mask (0 opaque, 255 transparent), then OR
// the sprite's indices in.
void BlitMasked(Image& dst, int dx, int dy, const ArtSet& art, int sx, int sy, int mx, int my,
                int w, int h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (!dst.inside(dx + i, dy + j))
                continue;
            std::uint8_t andBits = art.masks.at(mx + i, my + j) ? 255 : 0;
            std::uint8_t v = static_cast<std::uint8_t>((dst.at(dx + i, dy + j) & andBits) |
                                                       art.sprites.at(sx + i, sy + j));
            dst.set(dx + i, dy + j, v);
        }
}

Image ComposeField(const ArtSet& art, bool paused) {
    Image field(416, 352);
    const int scrollPhase = 40;
    for (int y = 0; y < 352; ++y)
        for (int x = 0; x < 384; ++x)
            field.set(16 + x, y, art.backwall.at(x % 128, (y + 128 - scrollPhase) % 128));
    // Floors 32 rows apart, one of each kind, like a shaft in mid-game.
    struct Floor {
        int sx, sy, w, h, x, y;
    };
    const Floor floors[] = {
        {0, 160, 96, 16, 40, 0},    {0, 176 + 16, 96, 16, 230, 32},
        {96, 256, 96, 16, 120, 64}, {0, 240 + 32, 96, 16, 280, 96},
        {0, 160, 96, 16, 60, 128},  {96, 160 + 24 * 6, 96, 12, 200, 164},
        {0, 176, 96, 16, 30, 192},  {0, 160, 96, 16, 250, 224},
        {0, 240, 96, 16, 110, 256}, {96, 160, 96, 24, 150, 280},
        {0, 400, 384, 32, 16, 320},
    };
    for (const Floor& f : floors)
        Blit(field, f.x, f.y, art.sprites, f.sx, f.sy, f.w, f.h);
    for (int wx : {0, 400})
        Blit(field, wx, -12, art.sprites, 352, 0, 16, 384);
    // The climber charging on the floor at y 128 (feet on its top row).
    int playerX = 84, playerY = 128 - 32;
    BlitMasked(field, playerX, playerY - 16, art, 64 * 1, 64 + 48 * 0, 64, 64, 64, 48);
    BlitMasked(field, playerX + 16, playerY, art, 32 * 6, 32, 32 * 6, 0, 32, 32);
    // Another one walking left on the ground, so both rows show.
    BlitMasked(field, 300 + 16, 288, art, 32 * 1, 0, 32 * 1, 0, 32, 32);
    if (paused)
        Blit(field, 144, 144, art.sprites, 0, 320, 128, 48);
    return field;
}

} // namespace

RgbaImage ToRgba(const Image& img, const Palette& pal, int scale) {
    RgbaImage out(img.width * scale, img.height * scale);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const Rgb& c = pal[img.at(x / scale, y / scale)];
            out.at(x, y) = {c.r, c.g, c.b, 255};
        }
    return out;
}

Image ComposeGameWindow(const ArtSet& art, bool paused) {
    using namespace frame_layout;
    Image win = art.frame;
    Blit(win, kField.x, kField.y, ComposeField(art, paused), 0, 0, 416, 352);
    Blit(win, kGauge.x, kGauge.y, art.sprites, 192, 160 + 16 * (paused ? 12 : 7), 96, 16);
    // Counter 0129 rolling to 0130: tens and units mid-roll at phase 3.
    const int digits[4] = {0, 1, 2, 9};
    for (int i = 0; i < 4; ++i) {
        int shift = (!paused && i >= 2) ? 12 : 0;
        Blit(win, kCounter.x + 30 * i, kCounter.y, art.sprites, 288, 32 * digits[i] + shift, 30,
             32);
    }
    Blit(win, kLabel.x, kLabel.y, art.sprites, paused ? 0 : 100, paused ? 384 : 368, 100, 16);
    const int best[4] = {0, 4, 5, 6};
    for (int i = 0; i < 4; ++i)
        Blit(win, kBest.x + 13 * i, kBest.y, art.sprites, 320, 14 * best[i], 13, 14);
    if (paused) {
        Blit(win, kJumpLabel.x, kJumpLabel.y, art.sprites, 164, 384, 64, 16);
        Blit(win, kJumpDigits.x, kJumpDigits.y, art.sprites, 228, 384, 52, 14);
    } else {
        Blit(win, kJumpLabel.x, kJumpLabel.y, art.sprites, 100, 384, 64, 16);
        const int jumps[4] = {0, 0, 8, 7};
        for (int i = 0; i < 4; ++i)
            Blit(win, kJumpDigits.x + 13 * i, kJumpDigits.y, art.sprites, 320, 14 * jumps[i], 13,
                 14);
    }
    return win;
}

void WriteContactSheet(const std::string& path, const ArtSet& art) {
    const int gap = 16;
    Image playing = ComposeGameWindow(art, false);
    Image paused = ComposeGameWindow(art, true);
    int width = gap + 768 + gap + 576 + gap;
    int height = gap + 864 + gap + 872 + gap + 872 + gap;
    RgbaImage sheet(width, height);
    for (Rgba& p : sheet.pixels)
        p = {40, 40, 48, 255};
    auto place = [&](const Image& img, int x, int y) {
        RgbaImage big = ToRgba(img, art.palette, 2);
        for (int j = 0; j < big.height; ++j)
            for (int i = 0; i < big.width; ++i)
                sheet.at(x + i, y + j) = big.at(i, j);
    };
    place(art.sprites, gap, gap);
    place(art.title, gap + 768 + gap, gap);
    place(art.about, gap + 768 + gap, gap + 280 + gap);
    // Masks as they are stored: black opaque, white transparent.
    Image maskView(256, 160);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 256; ++x)
            maskView.set(x, y, art.masks.at(x, y) ? 255 : 0);
    place(maskView, gap + 768 + gap, gap + 2 * (280 + gap));
    place(playing, gap, gap + 864 + gap);
    place(paused, gap, gap + 864 + gap + 872 + gap);
    WritePng(path, sheet);
}
