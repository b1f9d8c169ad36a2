// The runner's screens against frames composed here, independently, from
// the committed pictures and the trace: the frame picture, the play field
// (backdrop window, floors, walls, charge sparkles, character, pause sign)
// and the status panel, pixel for pixel.

#include "tests/assets/asset_readers.h"
#include "tests/sim/run_script.h"
#include "tools/varnisk-sim/runner.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
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

// What one trace line says about the picture.
struct Traced {
    std::map<std::string, int> value;
    std::array<Slot, 14> floors{};
};

int IntAfter(const std::string& line, const std::string& key) {
    const std::size_t at = line.find("\"" + key + "\":");
    return std::stoi(line.substr(at + key.size() + 3));
}

Traced ParseLine(const std::string& line) {
    Traced t;
    for (const char* key :
         {"mode", "playerX", "playerY", "facing", "jumpPower", "charging", "airborne", "animFrame",
          "scrollPhase", "rollPhase", "shownFloor", "floorCount", "jumpCount", "difficulty",
          "practiceDifficulty", "showJumpCount"}) {
        t.value[key] = IntAfter(line, key);
    }
    std::istringstream floors(line.substr(line.find("\"floors\":") + 9));
    char c = 0;
    floors >> c; // the outer [
    for (Slot& slot : t.floors) {
        int velocity = 0, dirty = 0;
        floors >> c >> slot.kind >> c >> slot.x >> c >> slot.y >> c >> slot.phase >> c >>
            velocity >> c >> dirty >> c >> c;
    }
    return t;
}

struct Picture {
    std::vector<std::uint8_t> px = std::vector<std::uint8_t>(clientWidth * clientHeight);
    std::uint8_t& at(int x, int y) { return px[y * clientWidth + x]; }
};

class Composer {
  public:
    Composer()
        : sheet_(LoadBmp("bitmaps/sprites.bmp")), tile_(LoadBmp("bitmaps/backwall.bmp")),
          masks_(LoadBmp("bitmaps/masks.bmp")), frame_(LoadBmp("bitmaps/frame.bmp")) {}

    // With partial, the field as the SpeedUp mode shows it: black behind the
    // floors and no charge sparkles.
    Picture Compose(const Traced& t, const Traced& before, int bestScore, bool partial = false) {
        Picture out;
        out.px = frame_.pixels;
        std::vector<std::uint8_t> field(fieldW * fieldH, 0);
        auto put = [&](int x, int y, std::uint8_t v) {
            if (x >= 0 && x < fieldW && y >= 0 && y < fieldH)
                field[y * fieldW + x] = v;
        };
        const int phase = t.value.at("scrollPhase");
        for (int y = 0; y < (partial ? 0 : fieldH); ++y)
            for (int x = 0; x < 384; ++x)
                put(16 + x, y, tile_.at(x % 128, (y + 128 - phase) % 128));
        const int k = t.value.at("animFrame") % 4;
        for (const Slot& s : t.floors) {
            int sx = 0, sy = 160, w = 96, h = 16, dx = s.x, dy = s.y;
            switch (s.kind) {
            case 1: sy = 240 + 16 * k; break; // belt to the left
            case 2: sy = 176 + 16 * k; break; // belt to the right
            case 3: dx += s.phase / 10; break;
            case 4: dy += s.phase / 10; break;
            case 5: sy = 400, w = 384, h = 32; break;
            case 6: sx = 96, sy = 256 + 24 * (s.phase / 2), h = 16 - s.phase, dy += s.phase; break;
            case 7: sx = 352, sy = 0, w = 16, h = 384; break;
            default: break;
            }
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    put(dx + x, dy + y, sheet_.at(sx + x, sy + y));
        }
        const int mode = t.value.at("mode");
        if (mode == 0 || mode == 3) {
            const bool charging = t.value.at("charging") && !t.value.at("airborne");
            const int px = t.value.at("playerX"), py = t.value.at("playerY");
            auto masked = [&](int sx, int sy, int w, int h, int dx, int dy) {
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        if (dx + x < 0 || dx + x >= fieldW || dy + y < 0 || dy + y >= fieldH)
                            continue;
                        std::uint8_t& d = field[(dy + y) * fieldW + dx + x];
                        if (masks_.at(sx + x, sy + y) == 0)
                            d = 0;
                        d |= sheet_.at(sx + x, sy + y);
                    }
            };
            const int a = t.value.at("animFrame");
            if (charging && !partial)
                masked(64 * (a % 4), 64 + 48 * (a / 4), 64, 48, px, py - 16);
            const int f = t.value.at("airborne") ? 0 : a % 4;
            const int column = 2 * t.value.at("facing") + 2 + f;
            // The charging pose shares the walking mask: sprite row 32, mask row 0.
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    if (px + 16 + x < 0 || px + 16 + x >= fieldW || py + y < 0 || py + y >= fieldH)
                        continue;
                    std::uint8_t& d = field[(py + y) * fieldW + px + 16 + x];
                    if (masks_.at(32 * column + x, y) == 0)
                        d = 0;
                    d |= sheet_.at(32 * column + x, (charging ? 32 : 0) + y);
                }
        }
        if (mode == 3)
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 128; ++x)
                    put(144 + x, 144 + y, sheet_.at(x, 320 + y));
        for (int y = 0; y < fieldH; ++y)
            for (int x = 0; x < fieldW; ++x)
                out.at(fieldX + x, fieldY + y) = field[y * fieldW + x];

        auto copy = [&](int sx, int sy, int w, int h, int dx, int dy) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    out.at(dx + x, dy + y) = sheet_.at(sx + x, sy + y);
        };
        copy(192, 160 + 16 * t.value.at("jumpPower"), 96, 16, 88, 32);
        // The counter shows what its last drawing drew: during a roll that is
        // the state before this tick's step.
        const bool rolled = before.value.at("mode") == 0 &&
                            before.value.at("shownFloor") != t.value.at("floorCount");
        const Traced& drawn = rolled ? before : t;
        const int shown = drawn.value.at("shownFloor"), roll = drawn.value.at("rollPhase");
        const int divisors[] = {1000, 100, 10, 1};
        for (int i = 0; i < 4; ++i) {
            const int d = shown / divisors[i] % 10, n = (shown + 1) / divisors[i] % 10;
            copy(288, 32 * d + (n != d ? 4 * roll : 0), 30, 32, 216 + 30 * i, 16);
        }
        const int difficulty = t.value.at("difficulty");
        if (t.value.at("practiceDifficulty"))
            copy(0, 384, 100, 16, 512, 116);
        else
            copy(100 * (difficulty - 1), 368, 100, 16, 512, 116);
        for (int i = 0; i < 4; ++i)
            copy(320, 14 * (bestScore / divisors[i] % 10), 13, 14, 543 + 13 * i, 165);
        if (t.value.at("showJumpCount")) {
            copy(100, 384, 64, 16, 464, 192);
            for (int i = 0; i < 4; ++i)
                copy(320, 14 * (t.value.at("jumpCount") / divisors[i] % 10), 13, 14, 560 + 13 * i,
                     213);
        } else {
            copy(164, 384, 64, 16, 464, 192);
            copy(228, 384, 52, 14, 560, 213);
        }
        return out;
    }

  private:
    Bitmap sheet_, tile_, masks_, frame_;
};

Bitmap LoadScreen(const std::filesystem::path& file) {
    // LoadBmp reads below the asset folder; a path from the root climbs out.
    return LoadBmp(std::filesystem::relative(file, VARNISK_ASSET_DIR).string());
}

std::string DescribeFirstDifference(const Picture& want, const Bitmap& got) {
    for (int y = 0; y < clientHeight; ++y)
        for (int x = 0; x < clientWidth; ++x)
            if (got.at(x, y) != want.px[y * clientWidth + x])
                return "first difference at (" + std::to_string(x) + ", " + std::to_string(y) +
                       "): want " + std::to_string(want.px[y * clientWidth + x]) + ", got " +
                       std::to_string(got.at(x, y));
    return "";
}

std::vector<std::string> RunScript(const std::string& script, std::int64_t ticks,
                                   const std::vector<ScreenRequest>& screens,
                                   const std::filesystem::path& settings) {
    SimOptions options;
    options.seed = 2026;
    options.ticks = ticks;
    options.settings = settings;
    options.screens = screens;
    return RunScriptLines(script, options);
}

} // namespace

TEST(Screens, MatchFramesComposedFromTheArtAndTheTrace) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "varnisk-screen-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "in.ini") << "[Setting]\nJump=1\n";

    // A game with charging, jumps, scrolling, the counter rolling and a pause.
    // The demo game climbs, charges, flies and rolls the counter early on;
    // a pause at tick 250 shows the sign (the rest of the game goes astray).
    std::ifstream demo(std::string(VARNISK_SOURCE_DIR) + "/tools/varnisk-sim/demo/climb.script");
    std::multimap<int, std::string> events = {{250, "key-down 27"}, {251, "key-up 27"}};
    for (std::string line; std::getline(demo, line);) {
        if (!line.empty() && line[0] != '#') {
            const std::size_t blank = line.find(' ');
            events.insert({std::stoi(line.substr(0, blank)), line.substr(blank + 1)});
        }
    }
    std::ostringstream script;
    for (const auto& [tick, event] : events)
        script << tick << " " << event << "\n";
    const std::int64_t ticks = 260;

    const std::vector<std::string> first = RunScript(script.str(), ticks, {}, folder / "in.ini");
    ASSERT_GE(first.size(), 2u);
    std::vector<std::int64_t> chosen = {0};
    bool charged = false, flying = false, paused = false, rolling = false;
    for (std::size_t t = 1; t + 1 < first.size(); ++t) {
        const Traced line = ParseLine(first[t]);
        const auto& v = line.value;
        auto pick = [&](bool& done, bool when) {
            if (!done && when) {
                done = true;
                chosen.push_back(static_cast<std::int64_t>(t));
            }
        };
        pick(charged,
             v.at("mode") == 0 && v.at("charging") && !v.at("airborne") && v.at("jumpPower") > 3);
        pick(flying, v.at("mode") == 0 && v.at("airborne") && v.at("scrollPhase") > 0);
        pick(rolling, v.at("mode") == 0 && v.at("rollPhase") > 2);
        pick(paused, v.at("mode") == 3);
    }
    EXPECT_TRUE(charged && flying && paused && rolling) << "the script no longer shows them all";

    std::vector<ScreenRequest> screens;
    for (const std::int64_t t : chosen)
        screens.push_back({t, folder / ("screen-" + std::to_string(t) + ".bmp")});
    const std::vector<std::string> second =
        RunScript(script.str(), ticks, screens, folder / "in.ini");
    ASSERT_EQ(second, first) << "asking for screens changed the game";

    Composer composer;
    constexpr int defaultBest = 5;
    for (const ScreenRequest& request : screens) {
        const Bitmap got = LoadScreen(request.file);
        ASSERT_EQ(got.error, "") << request.file;
        ASSERT_EQ(got.width, clientWidth);
        ASSERT_EQ(got.height, clientHeight);
        const auto t = static_cast<std::size_t>(request.tick);
        const Traced now = ParseLine(first[t]);
        const Traced before = ParseLine(first[t == 0 ? 0 : t - 1]);
        const Picture want = composer.Compose(now, before, defaultBest);
        EXPECT_EQ(DescribeFirstDifference(want, got), "") << "tick " << t;
    }
    std::filesystem::remove_all(folder);
}

TEST(Screens, InTheSpeedUpModeShowTheFloorsAndTheCharacterOnBlack) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "varnisk-screen-test-partial";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "in.ini") << "[Setting]\nJump=1\nSpeed=1\n";
    std::ifstream demo(std::string(VARNISK_SOURCE_DIR) + "/tools/varnisk-sim/demo/climb.script");
    std::ostringstream script;
    script << demo.rdbuf();
    // Charging on a floor (tick 20) and flying while the field scrolls (tick 95).
    const std::vector<ScreenRequest> screens = {{20, folder / "charging.bmp"},
                                                {95, folder / "flying.bmp"}};
    const std::vector<std::string> lines = RunScript(script.str(), 100, screens, folder / "in.ini");
    ASSERT_GE(lines.size(), 100u);
    Composer composer;
    for (const ScreenRequest& request : screens) {
        const Bitmap got = LoadScreen(request.file);
        ASSERT_EQ(got.error, "") << request.file;
        const auto t = static_cast<std::size_t>(request.tick);
        const Picture want =
            composer.Compose(ParseLine(lines[t]), ParseLine(lines[t - 1]), 5, true);
        EXPECT_EQ(DescribeFirstDifference(want, got), "") << "tick " << t;
    }
    std::filesystem::remove_all(folder);
}
