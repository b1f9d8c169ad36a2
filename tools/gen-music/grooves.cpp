#include "composition.h"

namespace genmusic {
namespace {

// General MIDI percussion keys, played on channel 10.
constexpr int kKick = 36;
constexpr int kSnare = 38;
constexpr int kClap = 39;
constexpr int kClosedHat = 42;
constexpr int kPedalHat = 44;
constexpr int kOpenHat = 46;
constexpr int kRide = 51;
constexpr int kTambourine = 54;
constexpr int kLowTom = 45;
constexpr int kLowMidTom = 47;
constexpr int kHighMidTom = 48;
constexpr int kHighTom = 50;

} // namespace

BassFigure FigureFor(BassStyle style) {
    switch (style) {
    case BassStyle::Bounce: return {"R:2 O:2 R:2 O:2", "R:2 O:2 R:2 O:2"};
    case BassStyle::Walk: return {"R:3 R:1 F:2 O:2", "R:2 F:2 T:2 F:2"};
    case BassStyle::HalfTime: return {"R:6 R:2", "F:4 O:2 F:2"};
    case BassStyle::Pump: return {"R:2 R:1 O:1 R:2 F:2", "R:2 O:2 F:2 T:2"};
    }
    return {"R:8", "R:8"};
}

std::vector<DrumLine> DrumBar(DrumStyle style, BarRole role) {
    if (role == BarRole::LoopFill) {
        // Snare roll and toms all down the last beat: the crash on the song's
        // first beat answers it.
        return {{kKick, "X.......X......."},       {kSnare, "....X.x.xxxx...."},
                {kClosedHat, "x.x.x.x........."},  {kHighTom, "............X..."},
                {kHighMidTom, ".............x.."}, {kLowMidTom, "..............x."},
                {kLowTom, "...............X"}};
    }
    if (role == BarRole::SectionFill) {
        return {{kKick, "X.....x.X......."},
                {kSnare, "....X...x.xx..xX"},
                {kClosedHat, "x.x.x.x.x.x....."},
                {kHighTom, "............X..."},
                {kLowMidTom, ".............x.."}};
    }
    switch (style) {
    case DrumStyle::Intro:
        return {{kKick, "X.......X......."},
                {kSnare, "....o.......x..."},
                {kClosedHat, "x.x.x.x.x.x.x.x."}};
    case DrumStyle::Drive:
        return {{kKick, "X.....x.X.....x."},
                {kSnare, "....X.......X..."},
                {kClosedHat, "x.x.x.x.x.x.x..."},
                {kOpenHat, "..............x."}};
    case DrumStyle::Busy:
        return {{kKick, "X.....x.X..x...."},
                {kSnare, "....X.......X..o"},
                {kClap, "....x.......x..."},
                {kClosedHat, "xoxoxoxoxoxoxoxo"}};
    case DrumStyle::HalfTime:
        return {{kKick, "X.........x....."},
                {kSnare, "........X......."},
                {kRide, "x.x.x.x.x.x.x.x."},
                {kPedalHat, "....o.......o..."}};
    case DrumStyle::Final:
        return {{kKick, "X.....x.X.....x."},
                {kSnare, "....X.......X..."},
                {kClosedHat, "x.x.x.x.x.x.x..."},
                {kOpenHat, "..............x."},
                {kTambourine, "..x...x...x...x."}};
    }
    return {};
}

} // namespace genmusic
