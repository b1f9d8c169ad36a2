// The runner's screens against frames composed here, independently, from
// the committed pictures and the trace: the frame picture, the play field
// (backdrop window, floors, walls, charge sparkles, character, pause sign)
// and the status panel, pixel for pixel.

#include "tests/sim/run_script.h"

#include <array>
#include <fstream>
#include <map>
#include <sstream>

namespace {

using asset_readers::Bitmap;
using asset_readers::LoadBmp;

constexpr int clientWidth = 634;
constexpr int clientHeight = 436;
constexpr int fieldX = 24;
constexpr int fieldY = 64;
constexpr int fieldW = 416;
constexpr int fieldH = 352;

struct Slot {
    int kind, x, y, phase;
};

// What one trace line says about the picture: its numbers by name, and
// the floor slots.
struct Traced {
    explicit Traced(const std::string& traceLine) : line(traceLine) {
        std::istringstream in(line.substr(line.find("\"floors\":") + 9));
        char c = 0;
        in >> c; // the outer [
        for (Slot& slot : floors) {
            int velocity = 0, dirty = 0;
            in >> c >> slot.kind >> c >> slot.x >> c >> slot.y >> c >> slot.phase >> c >>
                velocity >> c >> dirty >> c >> c;
        }
    }
    int at(const std::string& key) const { return std::stoi(Field(line, key)); }
    std::string line;
    std::array<Slot, 14> floors{};
};

struct Picture {
    std::vector<std::uint8_t> px =
        std::vector<std::uint8_t>(std::size_t{clientWidth} * clientHeight);
    std::uint8_t& at(int x, int y) { return px[y * clientWidth + x]; }
};

class Composer {
  public:
    // With partial, the field as the SpeedUp mode shows it: black behind the
    // floors and no charge sparkles.
    Picture Compose(const Traced& t, const Traced& before, int bestScore, bool partial) {
        std::vector<std::uint8_t> field(std::size_t{fieldW} * fieldH, 0);
        // A w x h piece of the sprite sheet at (dx, dy) of the field, cut at
        // its edges: opaque, or through the mask piece at (mx, my).
        auto draw = [&](int sx, int sy, int w, int h, int dx, int dy, int mx = -1, int my = 0) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    if (dx + x < 0 || dx + x >= fieldW || dy + y < 0 || dy + y >= fieldH)
                        continue;
                    std::uint8_t& d = field[(dy + y) * fieldW + dx + x];
                    if (mx < 0 || masks_.at(mx + x, my + y) == 0)
                        d = 0;
                    d |= sheet_.at(sx + x, sy + y);
                }
        };
        for (int y = 0; y < (partial ? 0 : fieldH); ++y)
            for (int x = 0; x < 384; ++x)
                field[y * fieldW + 16 + x] =
                    tile_.at(x % 128, (y + 128 - t.at("scrollPhase")) % 128);
        const int a = t.at("animFrame");
        for (const Slot& s : t.floors) {
            int sx = 0, sy = 160, w = 96, h = 16, dx = s.x, dy = s.y;
            switch (s.kind) {
            case 1: sy = 240 + 16 * (a % 4); break; // belt to the left
            case 2: sy = 176 + 16 * (a % 4); break; // belt to the right
            case 3: dx += s.phase / 10; break;
            case 4: dy += s.phase / 10; break;
            case 5: sy = 400, w = 384, h = 32; break;
            case 6: sx = 96, sy = 256 + 24 * (s.phase / 2), h = 16 - s.phase, dy += s.phase; break;
            case 7: sx = 352, sy = 0, w = 16, h = 384; break;
            default: break;
            }
            draw(sx, sy, w, h, dx, dy);
        }
        if (t.at("mode") == 0 || t.at("mode") == 3) {
            const bool charging = t.at("charging") && !t.at("airborne");
            const int px = t.at("playerX"), py = t.at("playerY");
            const int sparkX = 64 * (a % 4), sparkY = 64 + 48 * (a / 4);
            if (charging && !partial)
                draw(sparkX, sparkY, 64, 48, px, py - 16, sparkX, sparkY);
            // The charging pose shares the walking mask: sprite row 32, mask row 0.
            const int column = 32 * (2 * t.at("facing") + 2 + (t.at("airborne") ? 0 : a % 4));
            draw(column, charging ? 32 : 0, 32, 32, px + 16, py, column, 0);
        }
        if (t.at("mode") == 3)
            draw(0, 320, 128, 48, 144, 144);

        Picture out;
        out.px = frame_.pixels;
        for (int y = 0; y < fieldH; ++y)
            for (int x = 0; x < fieldW; ++x)
                out.at(fieldX + x, fieldY + y) = field[y * fieldW + x];
        auto copy = [&](int sx, int sy, int w, int h, int dx, int dy) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    out.at(dx + x, dy + y) = sheet_.at(sx + x, sy + y);
        };
        // Four digits of n, 13 x 14 each, from (x, y) on.
        auto number = [&](int n, int x, int y) {
            for (int i = 0, divisor = 1000; i < 4; ++i, divisor /= 10)
                copy(320, 14 * (n / divisor % 10), 13, 14, x + 13 * i, y);
        };
        copy(192, 160 + 16 * t.at("jumpPower"), 96, 16, 88, 32);
        // The counter shows what its last drawing drew: during a roll that is
        // the state before this tick's step.
        const bool rolled = before.at("mode") == 0 && before.at("shownFloor") != t.at("floorCount");
        const int shown = (rolled ? before : t).at("shownFloor");
        const int roll = (rolled ? before : t).at("rollPhase");
        for (int i = 0, divisor = 1000; i < 4; ++i, divisor /= 10) {
            const int d = shown / divisor % 10, n = (shown + 1) / divisor % 10;
            copy(288, 32 * d + (n != d ? 4 * roll : 0), 30, 32, 216 + 30 * i, 16);
        }
        if (t.at("practiceDifficulty"))
            copy(0, 384, 100, 16, 512, 116);
        else
            copy(100 * (t.at("difficulty") - 1), 368, 100, 16, 512, 116);
        number(bestScore, 543, 165);
        if (t.at("showJumpCount")) {
            copy(100, 384, 64, 16, 464, 192);
            number(t.at("jumpCount"), 560, 213);
        } else {
            copy(164, 384, 64, 16, 464, 192);
            copy(228, 384, 52, 14, 560, 213);
        }
        return out;
    }

  private:
    Bitmap sheet_ = LoadBmp("bitmaps/sprites.bmp"), tile_ = LoadBmp("bitmaps/backwall.bmp");
    Bitmap masks_ = LoadBmp("bitmaps/masks.bmp"), frame_ = LoadBmp("bitmaps/frame.bmp");
};

std::string DescribeFirstDifference(const Picture& want, const Bitmap& got) {
    for (int y = 0; y < clientHeight; ++y)
        for (int x = 0; x < clientWidth; ++x)
            if (got.at(x, y) != want.px[y * clientWidth + x])
                return "first difference at (" + std::to_string(x) + ", " + std::to_string(y) +
                       "): want " + std::to_string(want.px[y * clientWidth + x]) + ", got " +
                       std::to_string(got.at(x, y));
    return "";
}

// The demo game, which climbs, charges, flies and rolls the counter early
// on, with the settings given and `extra` events, for `ticks` ticks; then
// again with the screens of `screens`, each against the frame composed from
// the art and the trace.
void CheckScreens(const std::string& settings, std::multimap<int, std::string> events,
                  std::int64_t ticks, const std::vector<std::int64_t>& screens, bool partial) {
    TempFolder folder;
    std::ofstream(folder.path / "in.ini") << settings;
    std::ifstream demo(std::string(VARNISK_SOURCE_DIR) + "/tools/varnisk-sim/demo/climb.script");
    for (std::string line; std::getline(demo, line);)
        if (!line.empty() && line[0] != '#') {
            const std::size_t blank = line.find(' ');
            events.insert({std::stoi(line.substr(0, blank)), line.substr(blank + 1)});
        }
    std::ostringstream script;
    for (const auto& [tick, event] : events)
        script << tick << " " << event << "\n";
    SimOptions options;
    options.seed = 2026;
    options.ticks = ticks;
    options.settings = folder.path / "in.ini";
    const std::vector<std::string> trace = RunScriptLines(script.str(), options);
    ASSERT_EQ(trace.size(), static_cast<std::size_t>(ticks + 1));

    for (const std::int64_t t : screens)
        options.screens.push_back({t, folder.path / ("screen-" + std::to_string(t) + ".bmp")});
    ASSERT_EQ(RunScriptLines(script.str(), options), trace)
        << "asking for screens changed the game";

    Composer composer;
    constexpr int defaultBest = 5;
    for (const ScreenRequest& request : options.screens) {
        const Bitmap got = folder.Screen(request.file.filename().string());
        ASSERT_EQ(got.error, "") << request.file;
        ASSERT_EQ(got.width, clientWidth);
        ASSERT_EQ(got.height, clientHeight);
        const auto t = static_cast<std::size_t>(request.tick);
        const Picture want = composer.Compose(Traced(trace[t]), Traced(trace[t == 0 ? 0 : t - 1]),
                                              defaultBest, partial);
        EXPECT_EQ(DescribeFirstDifference(want, got), "") << "tick " << t;
    }
}

} // namespace

// The title's first tick, then the game charging (19), flying while the
// field scrolls (65), rolling the counter (119) and paused (250; the rest of
// the game goes astray). A demo made anew needs these ticks picked anew.
TEST(Screens, MatchFramesComposedFromTheArtAndTheTrace) {
    CheckScreens("[Setting]\nJump=1\n", {{250, "key-down 27"}, {251, "key-up 27"}}, 260,
                 {0, 19, 65, 119, 250}, false);
}

// Charging on a floor (tick 20) and flying while the field scrolls (tick 95).
TEST(Screens, InTheSpeedUpModeShowTheFloorsAndTheCharacterOnBlack) {
    CheckScreens("[Setting]\nJump=1\nSpeed=1\n", {}, 100, {20, 95}, true);
}
