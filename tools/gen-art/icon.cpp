#include "icon.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Grid = std::vector<std::string>;

// Left halves; the right half is the mirror image, so the face is symmetric.
const Grid kHead32 = {
    "................", "..........oooooo", "........ooWWWYYY", ".......oWWWYYYYY",
    "......oWWYYYYYoo", ".....oWWYYYYYolL", ".....oWYYYYYYolL", "....oWYYYYYYYolL",
    "....oYYYYYYYYool", "....oYYYYYYYYYoo", "....oyYYYYYYYYYY", "...ooyyyyyyyyyyy",
    "..oooooooooooooo", "...oohhhhhhhhhhh", "...ohhhhhhhsshhh", "...ohhhsssssssss",
    "...ohhssssssssss", "...ohsssseeessss", "...osssssEeessss", "...oSssssEeessss",
    "...oSssssseessss", "...oSscccsssssss", "....oSssssssssmm", "....oSSsssssssss",
    ".....ooSSSSSSSSS", ".......ooooooooo", ".....oorrrrrrrrr", "....orrrrbbrrrrr",
    "...orrrrrbbbbbbb", "...orrrrrbbbbbbb", "...orrrrrbbbbxbb", "...orrrrrbbbbbbb",
};

const Grid kHead16 = {
    "....oooo", "..ooWWYY", ".oWYYYoL", ".oYYYYoL", ".oyyyyyo", "oooooooo", ".ohhhhhh", ".ohssshs",
    ".osseess", ".osseess", ".oScssss", "..oSsssm", "...ooSSS", "..orrobb", ".orrrbbb", ".orrrbbb",
};

// Each symbol's colour in the game palette and in the 16-colour table.
struct IconKey {
    char symbol;
    std::uint8_t index256;
    std::uint8_t index16;
};

const std::vector<IconKey>& Keys() {
    using namespace ink;
    static const std::vector<IconKey> keys = {
        {'o', kInk(1), 0},   {'W', kYellow(11), 15}, {'Y', kYellow(8), 11}, {'y', kYellow(4), 3},
        {'L', kSky(15), 15}, {'l', kSky(11), 7},     {'h', kHair(3), 1},    {'s', kSkin(7), 15},
        {'S', kSkin(4), 7},  {'e', kInk(0), 0},      {'E', kCream(15), 15}, {'c', kHot(11), 9},
        {'m', kHot(3), 1},   {'r', kHot(6), 9},      {'b', kCloth(7), 12},  {'x', kYellow(10), 11},
    };
    return keys;
}

// The standard 16-colour table of icons.
const std::vector<Rgb>& Vga16() {
    static const std::vector<Rgb> colours = {
        {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
        {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
        {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    };
    return colours;
}

// Expands a left half into a full square picture, in one of the two colour sets.
IconImage Render(const Grid& half, bool sixteen, const Palette& pal) {
    int size = static_cast<int>(half.size());
    IconImage icon;
    icon.pixels = Image(size, size);
    icon.transparent = Image(size, size, 1);
    icon.bitCount = sixteen ? 4 : 8;
    if (sixteen) {
        icon.colours = Vga16();
    } else {
        icon.colours.assign(pal.begin(), pal.end());
    }
    for (int y = 0; y < size; ++y) {
        if (static_cast<int>(half[y].size()) * 2 != size) {
            std::fprintf(stderr, "gen-art: icon row %d has the wrong width\n", y);
            std::exit(1);
        }
        for (int x = 0; x < size / 2; ++x) {
            for (const IconKey& k : Keys()) {
                if (k.symbol != half[y][x])
                    continue;
                std::uint8_t v = sixteen ? k.index16 : k.index256;
                icon.pixels.set(x, y, v);
                icon.pixels.set(size - 1 - x, y, v);
                icon.transparent.set(x, y, 0);
                icon.transparent.set(size - 1 - x, y, 0);
            }
        }
    }
    return icon;
}

} // namespace

std::vector<IconImage> IconImages(const Palette& pal) {
    return {Render(kHead32, true, pal), Render(kHead32, false, pal), Render(kHead16, true, pal),
            Render(kHead16, false, pal)};
}

Image IconArt32() {
    Palette unused{};
    IconImage icon = Render(kHead32, false, unused);
    return icon.pixels;
}
