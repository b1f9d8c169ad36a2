#include "title_pictures.h"

#include "backwall.h"
#include "character.h"
#include "floors.h"
#include "lettering.h"
#include "sparkles.h"

namespace {

constexpr int kW = 288;
constexpr int kH = 140;

// A slice of the shaft: back wall, a pillar at each side, a few floors.
Image ShaftScene(int scroll) {
    Image img(kW, kH);
    Image tile = BackWallTile();
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            img.set(x, y, tile.at(x % 128, (y + scroll) % 128));
    Image wall = WallColumn();
    img.paste(wall.crop(0, scroll % 32, 16, kH), 0, 0);
    img.paste(wall.crop(0, scroll % 32, 16, kH), kW - 16, 0);
    return img;
}

LetterStyle NameStyle(int scale) {
    LetterStyle s = GoldLetters(scale, 0.3);
    s.outline = ink::kInk(0);
    s.shadow = ink::kGold(1);
    s.shadowOffset = 3;
    return s;
}

// Darkens the top of the scene towards the lettering, so it stands out.
void ShadeTop(Image& img, int rows) {
    for (int y = 0; y < rows; ++y)
        for (int x = 16; x < kW - 16; ++x) {
            double t = 0.12 + 0.2 * y / rows;
            if (img.at(x, y) >= ink::kBackWall.first &&
                img.at(x, y) < ink::kBackWall.first + ink::kBackWall.count)
                img.set(x, y, Dither(ink::kBackWall, t, x, y));
        }
}

} // namespace

Image TitlePicture(const Palette& pal) {
    Image img = ShaftScene(40);
    ShadeTop(img, 60);
    img.paste(PlainFloor(), 24, 120);
    img.paste(ConveyorFloor(0, true), 172, 104);
    img.paste(SpringImage(4), 112, 124);
    // The climber charging a jump on the left floor, and mid-air on the right.
    img.pasteOver(SparkleFrame(2), 40, 72);
    img.pasteOver(TintedRed(CharacterFrame(0, true), pal), 56, 88);
    img.pasteOver(CharacterFrame(0, false), 222, 62);
    DrawTextCentred(img, kW / 2, 8, "VARNISK", NameStyle(5));
    LetterStyle tag;
    tag.fill = ink::kCream;
    tag.fillTop = 1.0;
    tag.fillBottom = 0.8;
    tag.shadow = ink::kInk(0);
    DrawTextCentred(img, kW / 2, 51, "JUMP UP THE ENDLESS SHAFT", tag);
    return img;
}

Image AboutPicture(const Palette& pal) {
    (void)pal;
    Image img = ShaftScene(90);
    ShadeTop(img, 80);
    img.paste(GroundStrip().crop(0, 0, kW - 32, 32), 16, 112);
    Image hero = CharacterFrame(1, true).scaled(2);
    img.pasteOver(SparkleFrame(5).scaled(1), 20, 66);
    img.pasteOver(hero, 28, 48);
    DrawTextCentred(img, 178, 16, "VARNISK", NameStyle(4));
    LetterStyle credit;
    credit.fill = ink::kCream;
    credit.fillTop = 1.0;
    credit.fillBottom = 0.75;
    credit.shadow = ink::kInk(0);
    DrawTextCentred(img, 178, 60, "A VARNISK PRODUCTION", credit);
    LetterStyle small = credit;
    small.fill = ink::kSky;
    DrawTextCentred(img, 178, 78, "HOLD TO CHARGE", small);
    DrawTextCentred(img, 178, 90, "LET GO TO JUMP!", small);
    return img;
}
