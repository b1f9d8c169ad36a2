#include "tests/render/partial_game_check.h"

#include "core/game_state.h"
#include "platform/gdi/gdi.h"
#include "render/partial_frame.h"
#include "tests/assets/asset_readers.h"
#include "tools/varnisk-sim/runner.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <vector>

// The checker sits between the game and the renderer: the test is linked
// with --wrap for DrawPartialFrame, so every call the game makes (ticks,
// commands, repaint) comes here first and goes on to the real one.
extern "C" void __real__Z16DrawPartialFrameR9GameState(GameState& state);
extern "C" void __wrap__Z16DrawPartialFrameR9GameState(GameState& state);

namespace {

constexpr int fieldX = 24, fieldY = 64, fieldW = 416, fieldH = 352;

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0; // field coordinates, exclusive
    bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

struct SlotImage {
    Box at;             // where it is drawn
    int sheetX, sheetY; // its image's top-left in the sprite sheet
};

// Where a slot shows and with which image, worked out here from the slot's
// fields, not by the game's own functions.
SlotImage ImageOf(const FloorSlot& s, int animFrame) {
    int sx = 0, sy = 160, w = 96, h = 16, dx = s.x, dy = s.y;
    const int k = animFrame % 4;
    switch (s.kind) {
    case FloorKind::ConveyorLeft: sy = 240 + 16 * k; break;
    case FloorKind::ConveyorRight: sy = 176 + 16 * k; break;
    case FloorKind::MovingLR: dx += s.phase / 10; break;
    case FloorKind::MovingUD: dy += s.phase / 10; break;
    case FloorKind::Ground: sy = 400, w = 384, h = 32; break;
    case FloorKind::Spring:
        sx = 96, sy = 256 + 24 * (s.phase / 2), h = 16 - s.phase, dy += s.phase;
        break;
    case FloorKind::Wall: sx = 352, sy = 0, w = 16, h = 384; break;
    case FloorKind::Normal: break;
    }
    return {{dx, dy, dx + w, dy + h}, sx, sy};
}

class Checker {
  public:
    Checker()
        : sheet_(asset_readers::LoadBmp("bitmaps/sprites.bmp")),
          masks_(asset_readers::LoadBmp("bitmaps/masks.bmp")) {}

    void Before(const GameState& state) {
        screenBefore_ = Field(state);
        for (int i = 0; i < floorSlotCount; ++i) {
            marks_[i] = state.floors[i].dirty;
        }
        memory_ = PartialFrameRectangles();
    }

    void After(const GameState& state) {
        ++figures.frames;
        const std::vector<std::uint8_t> screen = Field(state);
        const std::vector<std::uint8_t> want = Compose(state, false);
        std::vector<std::uint8_t> cell; // made when first needed
        std::map<std::string, std::int64_t> seen;
        for (int y = 0; y < fieldH; ++y) {
            for (int x = 0; x < fieldW; ++x) {
                const std::size_t p = static_cast<std::size_t>(y * fieldW + x);
                if (screen[p] == want[p]) {
                    continue;
                }
                if (cell.empty() && ShowsCharacter(state)) {
                    cell = Compose(state, true);
                }
                const std::string rule = Explain(state, x, y, screen[p], cell);
                ++seen[rule];
            }
        }
        wasAirborne_ = state.airborne != 0;
        if (!seen.empty()) {
            ++figures.framesDiffering;
        }
        for (const auto& [rule, pixels] : seen) {
            figures.byRule[rule].pixels += pixels;
            ++figures.byRule[rule].frames;
            if (rule.rfind("fault", 0) == 0) {
                figures.faults += pixels;
                if (figures.firstFault.empty()) {
                    figures.firstFault =
                        rule + " at tick " + std::to_string(tick) + " (" + cause + ")";
                }
            }
        }
    }

    PartialGameFigures figures;
    std::int64_t tick = 0;
    std::string cause; // what the runner is doing when the frame comes

  private:
    static bool ShowsCharacter(const GameState& s) {
        return s.mode == GameMode::Playing || s.mode == GameMode::Paused;
    }
    static Box CharacterBox(const GameState& s) {
        return {s.playerX + 16, s.playerY, s.playerX + 48, s.playerY + 32};
    }

    // Field pixel (x, y) inside a remembered window box.
    static bool Held(int x, int y, const WindowBox& c) {
        return x + fieldX >= c.left && x + fieldX < c.right && y + fieldY >= c.top &&
               y + fieldY < c.bottom;
    }

    // The window's field, read straight from its surface: a window's surface
    // keeps its rows top row first.
    std::vector<std::uint8_t> Field(const GameState& state) const {
        const BitmapHandle window = GetSelectedBitmap(state.windowDC);
        const std::uint8_t* bits = BitmapBits(window);
        const std::int32_t stride = BitmapStride(window);
        std::vector<std::uint8_t> pixels(fieldW * fieldH);
        for (int y = 0; y < fieldH; ++y) {
            const std::uint8_t* row = bits + (fieldY + y) * stride + fieldX;
            std::copy(row, row + fieldW, pixels.begin() + y * fieldW);
        }
        return pixels;
    }

    // The state composed on black: the slots in index order, the character
    // over them, the pause sign over all. As the cell: only the slots that
    // were marked 2, and only the character's box is meaningful.
    std::vector<std::uint8_t> Compose(const GameState& s, bool asCell) const {
        std::vector<std::uint8_t> out(fieldW * fieldH, 0);
        auto put = [&](int x, int y, std::uint8_t v) {
            if (x >= 0 && x < fieldW && y >= 0 && y < fieldH) {
                out[static_cast<std::size_t>(y * fieldW + x)] = v;
            }
        };
        for (int i = 0; i < floorSlotCount; ++i) {
            if (asCell && marks_[i] != 2) {
                continue;
            }
            const SlotImage image = ImageOf(s.floors[i], s.animFrame);
            for (int y = image.at.top; y < image.at.bottom; ++y) {
                for (int x = image.at.left; x < image.at.right; ++x) {
                    put(x, y,
                        sheet_.at(image.sheetX + x - image.at.left,
                                  image.sheetY + y - image.at.top));
                }
            }
        }
        if (ShowsCharacter(s)) {
            const int frame = s.airborne != 0 ? 0 : s.animFrame % 4;
            const int column = 2 * s.facing + 2 + frame;
            const int row = s.charging != 0 && s.airborne == 0 ? 32 : 0;
            const Box b = CharacterBox(s);
            for (int y = 0; y < 32; ++y) {
                for (int x = 0; x < 32; ++x) {
                    if (b.left + x < 0 || b.left + x >= fieldW || b.top + y < 0 ||
                        b.top + y >= fieldH) {
                        continue;
                    }
                    std::uint8_t& d =
                        out[static_cast<std::size_t>((b.top + y) * fieldW + b.left + x)];
                    if (masks_.at(32 * column + x, y) == 0) {
                        d = 0;
                    }
                    d |= sheet_.at(32 * column + x, row + y);
                }
            }
        }
        if (s.mode == GameMode::Paused && !asCell) {
            for (int y = 0; y < 48; ++y) {
                for (int x = 0; x < 128; ++x) {
                    put(144 + x, 144 + y, sheet_.at(x, 320 + y));
                }
            }
        }
        return out;
    }

    // Which rule leaves pixel (x, y) unlike the composition.
    std::string Explain(const GameState& s, int x, int y, std::uint8_t got,
                        const std::vector<std::uint8_t>& cell) const {
        const std::size_t p = static_cast<std::size_t>(y * fieldW + x);
        if (s.mode == GameMode::Paused && x >= 144 && x < 272 && y >= 144 && y < 192) {
            return "fault: the pause sign";
        }
        // Inside the character's box everything comes from the cell.
        if (ShowsCharacter(s) && CharacterBox(s).Holds(x, y)) {
            if (got != cell[p]) {
                return "fault: the character's box is not its cell";
            }
            int front = -1; // the slot the composition shows here
            for (int i = 0; i < floorSlotCount; ++i) {
                if (ImageOf(s.floors[i], s.animFrame).at.Holds(x, y)) {
                    front = i;
                }
            }
            if (front < 0) {
                return "fault: the cell differs where no slot is";
            }
            if (s.mode == GameMode::Paused && cause != "tick") {
                return "cell: the pause frame has no marks of 2";
            }
            if (cause != "tick") {
                return "cell: every slot marked 1 by " + cause;
            }
            if (marks_[front] != 1) {
                return "fault: a slot under the body was not marked";
            }
            // The probe marked the slots under the body where it stood then.
            if (wasAirborne_ && s.airborne == 0) {
                return "cell: the landing lifted the body over a slot it had left";
            }
            if (!wasAirborne_ && s.airborne != 0) {
                return "cell: walking off a spring put its mark back to 1";
            }
            return "fault: a slot under the body marked 1 in an ordinary tick";
        }
        int unchanged = -1, front = -1;
        for (int i = 0; i < floorSlotCount; ++i) {
            if (ImageOf(s.floors[i], s.animFrame).at.Holds(x, y)) {
                front = i;
                if (marks_[i] == 0) {
                    unchanged = i;
                }
            }
        }
        const bool untouched = got == screenBefore_[p];
        if (unchanged >= 0) {
            if (!untouched) {
                return "fault: an unchanged slot's pixels changed";
            }
            if (marks_[front] != 0) {
                return "an unchanged slot stays in front of a changed one";
            }
            return Held(x, y, memory_.lastPlayerRect)
                       ? "an unchanged slot keeps what the character left in its box"
                       : "an unchanged slot keeps what a changed floor left in its box";
        }
        if (front >= 0) {
            return "fault: a changed slot not drawn";
        }
        // Nothing stands here now: black where something was remembered.
        bool remembered = false;
        for (const Rect& r : memory_.lastSlotRects) {
            remembered |= x + fieldX >= r.x && x + fieldX < r.x + r.width && y + fieldY >= r.y &&
                          y + fieldY < r.y + r.height;
        }
        remembered |= Held(x, y, memory_.lastPlayerRect);
        if (remembered || !untouched) {
            return "fault: not erased";
        }
        return "fault: pixels left where nothing was remembered";
    }

    asset_readers::Bitmap sheet_, masks_;
    std::vector<std::uint8_t> screenBefore_;
    std::array<std::int32_t, floorSlotCount> marks_{};
    PartialFrameMemory memory_{};
    bool wasAirborne_ = false; // in the last frame
};

Checker* active = nullptr;

struct Timed {
    std::int64_t tick;
    std::string event;
};

// The climber's script with SpeedUp switched on in the title, a pause of
// three ticks every pauseEvery ticks (the rest of the game moved on by the
// pause, so it stays the climber's game), and the option switched off for a
// few ticks in the middle.
std::string WithPausesAndSwitches(const std::string& climbScript, std::int64_t pauseEvery,
                                  std::int32_t& pauses) {
    constexpr std::int64_t pauseLength = 3;
    std::multimap<std::int64_t, std::string> climb;
    std::istringstream lines(climbScript);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] != '#') {
            const std::size_t blank = line.find(' ');
            climb.insert({std::stoll(line.substr(0, blank)), line.substr(blank + 1)});
        }
    }
    const std::int64_t climbTicks = climb.empty() ? 0 : climb.rbegin()->first;
    std::vector<std::int64_t> pauseAt; // in the climber's own ticks
    for (std::int64_t t = pauseEvery; t + 10 < climbTicks; t += pauseEvery) {
        pauseAt.push_back(t);
    }
    pauses = static_cast<std::int32_t>(pauseAt.size());
    const auto moved = [&](std::int64_t t) {
        std::int64_t shift = 0;
        for (const std::int64_t p : pauseAt) {
            shift += p <= t ? pauseLength : 0;
        }
        return t + shift;
    };
    std::multimap<std::int64_t, std::string> events;
    events.insert({0, "command 40015"});
    for (std::size_t k = 0; k < pauseAt.size(); ++k) {
        const std::int64_t at = pauseAt[k] + pauseLength * static_cast<std::int64_t>(k);
        events.insert({at, "key-down 27"});
        events.insert({at, "key-up 27"});
        events.insert({at + pauseLength, "key-down 27"});
        events.insert({at + pauseLength, "key-up 27"});
    }
    const std::int64_t middle = moved(climbTicks / 2) + 1;
    events.insert({middle, "command 40015"});
    events.insert({middle + 4, "command 40015"});
    for (const auto& [tick, event] : climb) {
        events.insert({moved(tick), event});
    }
    std::ostringstream script;
    for (const auto& [tick, event] : events) {
        script << tick << " " << event << "\n";
    }
    return script.str();
}

std::string Describe(const ScriptEvent& e) {
    switch (e.verb) {
    case ScriptVerb::Command: return "command " + std::to_string(e.value);
    case ScriptVerb::KeyDown: return "key-down " + std::to_string(e.value);
    default: return "input";
    }
}

} // namespace

extern "C" void __wrap__Z16DrawPartialFrameR9GameState(GameState& state) {
    if (active == nullptr || state.windowDC == nullptr) {
        __real__Z16DrawPartialFrameR9GameState(state);
        return;
    }
    active->Before(state);
    __real__Z16DrawPartialFrameR9GameState(state);
    active->After(state);
}

PartialGameFigures CheckPartialGame(const std::string& climbScript, std::uint32_t seed,
                                    std::int64_t pauseEvery) {
    Checker checker;
    const std::string script =
        WithPausesAndSwitches(climbScript, pauseEvery, checker.figures.pauses);
    std::istringstream in(script);
    const ScriptResult parsed = ParseScript(in);
    const std::vector<ScriptEvent>& events = parsed.events;

    SimRun run;
    SimOptions options;
    options.seed = seed;
    StartRun(run, options);
    ResetPartialFrameState(); // a fresh program
    active = &checker;
    const std::int64_t ticks = events.empty() ? 0 : events.back().tick + 40;
    std::size_t next = 0;
    for (std::int64_t tick = 0; tick < ticks && !run.ended; ++tick) {
        checker.tick = tick;
        for (; next < events.size() && events[next].tick == tick && !run.ended; ++next) {
            checker.cause = Describe(events[next]);
            DeliverEvent(run, events[next]);
        }
        checker.cause = "tick";
        DispatchGameTimer(run);
        checker.figures.floors = std::max(checker.figures.floors, RunState(run).floorCount);
        ++checker.figures.ticks;
    }
    active = nullptr;
    EndRun(run);
    CloseRun(run);
    return checker.figures;
}
