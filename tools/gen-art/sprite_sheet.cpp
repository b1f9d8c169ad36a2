#include "sprite_sheet.h"

#include "character.h"
#include "floors.h"
#include "frame_picture.h"
#include "sparkles.h"
#include "status_sprites.h"

Image SpriteSheet(const Palette& pal, const Image& framePicture) {
    Image sheet(384, 432);
    for (int c = 0; c < 8; ++c) {
        int frame = c % 4;
        Image walk = CharacterFrame(frame, c >= 4);
        sheet.paste(walk, 32 * c, 0);
        // Charging: frames 0 and 2 flash red, 1 and 3 keep their colours.
        sheet.paste(frame % 2 == 0 ? TintedRed(walk, pal) : walk, 32 * c, 32);
    }
    for (int a = 0; a < 8; ++a)
        sheet.paste(SparkleFrame(a), 64 * (a % 4), 64 + 48 * (a / 4));

    sheet.paste(PlainFloor(), 0, 160);
    for (int k = 0; k < 4; ++k) {
        sheet.paste(ConveyorFloor(k, true), 0, 176 + 16 * k);
        sheet.paste(ConveyorFloor(k, false), 0, 240 + 16 * k);
    }
    for (int k = 0; k < 7; ++k)
        sheet.paste(SpringImage(k), 96, 160 + 24 * k);
    for (int p = 0; p <= 12; ++p)
        sheet.paste(GaugeImage(p), 192, 160 + 16 * p);

    sheet.paste(BigDigitStrip(), 288, 0);
    for (int d = 0; d < 10; ++d)
        sheet.paste(SmallDigit(static_cast<char>('0' + d)), 320, 14 * d);
    sheet.paste(WallColumn(), 352, 0);

    sheet.paste(PauseSign(), 0, 320);
    for (int d = 1; d <= 3; ++d)
        sheet.paste(DifficultyLabel(d), 100 * (d - 1), 368);
    sheet.paste(DifficultyLabel(0), 0, 384);

    using namespace frame_layout;
    Image blankLabel = framePicture.crop(kJumpLabel.x, kJumpLabel.y, kJumpLabel.w, kJumpLabel.h);
    sheet.paste(JumpCountLabel(blankLabel), 100, 384);
    sheet.paste(blankLabel, 164, 384);
    sheet.paste(framePicture.crop(kJumpDigits.x, kJumpDigits.y, kJumpDigits.w, kJumpDigits.h), 228,
                384);
    sheet.paste(GroundStrip(), 0, 400);
    return sheet;
}

Image MaskSheet(const Image& sheet) {
    Image mask(256, 160, 1);
    // Character masks: one per column, shared by the walking and charging rows,
    // and repeated in rows 32..63.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 256; ++x) {
            std::uint8_t transparent = sheet.at(x, y) == 0 ? 1 : 0;
            mask.set(x, y, transparent);
            mask.set(x, y + 32, transparent);
        }
    for (int y = 64; y < 160; ++y)
        for (int x = 0; x < 256; ++x)
            mask.set(x, y, sheet.at(x, y) == 0 ? 1 : 0);
    return mask;
}
