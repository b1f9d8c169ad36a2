// gen-art: makes every picture the game carries, from text grids, shapes and
// gradients on the game's own palette. Run by hand; its output is committed.
//
//   gen-art <asset dir> [--contact-sheet <png>] [--preview <dir>]

#include "backwall.h"
#include "bmp_writer.h"
#include "contact_sheet.h"
#include "frame_picture.h"
#include "ico_writer.h"
#include "icon.h"
#include "png_writer.h"
#include "sprite_sheet.h"
#include "title_pictures.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

ArtSet MakeArt() {
    ArtSet art;
    art.palette = BuildPalette();
    art.frame = FramePicture();
    art.sprites = SpriteSheet(art.palette, art.frame);
    art.masks = MaskSheet(art.sprites);
    art.backwall = BackWallTile();
    art.title = TitlePicture(art.palette);
    art.about = AboutPicture(art.palette);
    return art;
}

void WriteAssets(const std::string& dir, const ArtSet& art) {
    std::filesystem::create_directories(dir + "/bitmaps");
    std::filesystem::create_directories(dir + "/icons");
    const Palette& pal = art.palette;
    WriteBmp8(dir + "/bitmaps/sprites.bmp", art.sprites, pal, BmpCompression::None);
    WriteBmp8(dir + "/bitmaps/backwall.bmp", art.backwall, pal, BmpCompression::None);
    WriteBmp1(dir + "/bitmaps/masks.bmp", art.masks);
    WriteBmp8(dir + "/bitmaps/about.bmp", art.about, pal, BmpCompression::Rle8);
    WriteBmp8(dir + "/bitmaps/title.bmp", art.title, pal, BmpCompression::None);
    WriteBmp8(dir + "/bitmaps/frame.bmp", art.frame, pal, BmpCompression::Rle8);

    WriteIco(dir + "/icons/varnisk.ico", IconImages(pal));
    Image head = IconArt32();
    for (int scale : {1, 2, 4, 8}) {
        RgbaImage png = ToRgba(head.scaled(scale), pal, 1);
        Image big = head.scaled(scale);
        for (std::size_t i = 0; i < png.pixels.size(); ++i)
            if (big.pixels[i] == 0)
                png.pixels[i].a = 0;
        WritePng(dir + "/icons/varnisk-" + std::to_string(32 * scale) + ".png", png);
    }
}

void WritePreviews(const std::string& dir, const ArtSet& art) {
    std::filesystem::create_directories(dir);
    const Palette& pal = art.palette;
    WritePng(dir + "/sprites.png", ToRgba(art.sprites, pal, 2));
    WritePng(dir + "/frame.png", ToRgba(art.frame, pal, 1));
    WritePng(dir + "/title.png", ToRgba(art.title, pal, 3));
    WritePng(dir + "/about.png", ToRgba(art.about, pal, 3));
    WritePng(dir + "/window.png", ToRgba(ComposeGameWindow(art, false), pal, 1));
    WritePng(dir + "/window-paused.png", ToRgba(ComposeGameWindow(art, true), pal, 1));
    Image tiled(384, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 384; ++x)
            tiled.set(x, y, art.backwall.at(x % 128, y % 128));
    WritePng(dir + "/backwall-tiled.png", ToRgba(tiled, pal, 2));
    WritePng(dir + "/characters.png", ToRgba(art.sprites.crop(0, 0, 256, 160), pal, 4));
    WritePng(dir + "/floors.png", ToRgba(art.sprites.crop(0, 160, 288, 240), pal, 3));
    WritePng(dir + "/icon32.png", ToRgba(IconArt32(), pal, 8));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: gen-art <asset dir> [--contact-sheet <png>] [--preview <dir>]\n");
        return 2;
    }
    ArtSet art = MakeArt();
    WriteAssets(argv[1], art);
    for (int i = 2; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--contact-sheet") {
            WriteContactSheet(argv[i + 1], art);
        } else if (option == "--preview") {
            WritePreviews(argv[i + 1], art);
        } else {
            std::fprintf(stderr, "gen-art: unknown option %s\n", option.c_str());
            return 2;
        }
    }
    return 0;
}
