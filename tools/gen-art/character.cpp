#include "character.h"

#include <string>
#include <vector>

namespace {

using Grid = std::vector<std::string>;

// Head and body, facing right, drawn at rows 0..24.
const Grid kUpperBody = {
    "................................", "................................",
    "................................", "...........ooooooo..............",
    ".........ooWWWYYYYoo............", "........oWWYYYYYYYYYo...........",
    ".......oWYYYYYYYYYYYYo..........", ".......oYYYYYYYYYYYYYooo........",
    "......oYYYYYYYYYYYYYYolLo.......", "......oyYYYYYYYYYYYYYolLo.......",
    "......oyyyyyyyyyyyyyyyooo.......", ".....ooooooooooooooooooooo......",
    "......ohhhhhssssssssssssoo......", "......ohhhhssssssssesswsso......",
    "......ohhhsssssssssessssso......", "......ohhSssssssssssssssoo......",
    ".......ohSsssssssscccsso........", "........oSSsssssssssso..........",
    ".........ooSSSSSSSSoo...........", "........orrroooooorrro..........",
    ".......orrqrrrrrrrrqrro.........", "......orrbbrrrrrrrbbrrro........",
    "......oRrbbnbbbbbbbbrgGo........", "......oRobbbbxbbbbxbogGo........",
    ".......o.obbbbbbbbbboooo........",
};

// Legs for the stride frames, rows 25..31: near leg forward.
const Grid kLegsStride = {
    ".........obbbbbbbbbbo...........", "........oBBBo..obbbbo...........",
    "........oBBo....obbbo...........", ".......oBBo......obbo...........",
    "......oKKKo......okkkoo.........", ".....oKKKKKo.....okjkkko........",
    ".....ooooooo.....oooooooo.......",
};

// Legs for the passing frames, rows 24..31: the legs cross under the body.
const Grid kLegsPassing = {
    ".........obbbbbbbbbbo...........", ".........obbbbbbbbbo............",
    "..........oBBbbbbbo.............", "..........oBBobbbbo.............",
    "..........oBBobbbo..............", "..........oKKokkkkoo............",
    ".........oKKKokjkkko............", ".........oooooooooooo...........",
};

const std::vector<GridKey>& Key() {
    using namespace ink;
    static const std::vector<GridKey> key = {
        {'o', kInk(1)},    {'W', kYellow(11)}, {'Y', kYellow(8)}, {'y', kYellow(4)},
        {'L', kSky(15)},   {'l', kSky(11)},    {'h', kHair(3)},   {'H', kHair(1)},
        {'s', kSkin(7)},   {'S', kSkin(4)},    {'w', kSkin(9)},   {'e', kInk(0)},
        {'c', kHot(11)},   {'r', kHot(6)},     {'R', kHot(3)},    {'q', kHot(9)},
        {'b', kCloth(7)},  {'B', kCloth(4)},   {'n', kCloth(10)}, {'x', kYellow(10)},
        {'g', kCream(14)}, {'G', kCream(9)},   {'k', kHair(3)},   {'K', kHair(1)},
        {'j', kHair(6)},
    };
    return key;
}

// Swaps the near and far leg shades, so stride 2 has the other foot forward.
Grid SwappedLegs(const Grid& legs) {
    Grid out = legs;
    for (std::string& row : out)
        for (char& c : row) {
            if (c == 'b')
                c = 'B';
            else if (c == 'B')
                c = 'b';
            else if (c == 'k' || c == 'j') // the near leg's highlight goes far with it
                c = 'K';
            else if (c == 'K')
                c = 'k';
        }
    return out;
}

} // namespace

Image CharacterFrame(int frame, bool facingRight) {
    Image img(32, 32);
    bool passing = frame % 2 == 1;
    DrawGrid(img, 0, passing ? -1 : 0, kUpperBody, Key());
    if (passing) {
        DrawGrid(img, 0, 24, frame == 1 ? kLegsPassing : SwappedLegs(kLegsPassing), Key());
    } else {
        DrawGrid(img, 0, 25, frame == 0 ? kLegsStride : SwappedLegs(kLegsStride), Key());
    }
    // Centre the figure's bulk in the cell so turning round does not jump sideways.
    Image centred(32, 32);
    centred.paste(img, 1, 0);
    return facingRight ? centred : centred.mirrored();
}

Image TintedRed(const Image& frame, const Palette& pal) {
    Image out = frame;
    for (std::uint8_t& v : out.pixels) {
        if (v == 0 || (v >= ink::kInk.first && v < ink::kInk.first + ink::kInk.count))
            continue;
        const Rgb& c = pal[v];
        double lum = (0.30 * c.r + 0.59 * c.g + 0.11 * c.b) / 255.0;
        v = ink::kHot.at(0.25 + 0.75 * lum);
    }
    return out;
}
