// Whole SpeedUp games (the climber's, 60 floors, committed beside this file),
// every partial frame checked against the state composed on black: a pixel
// that differs is put down to the partial redraw's rule that explains it, or
// counted as a fault. VARNISK_PARTIAL_GAMES=folder plays scripts from there.

#include "core/slot_rects.h"
#include "tests/render/render_fixture.h"
#include "tools/varnisk-sim/runner.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

namespace render_test {
namespace {

bool ShowsCharacter(const GameState& s) {
    return s.mode == GameMode::Playing || s.mode == GameMode::Paused;
}

// Whether field pixel (x, y) lies in a field rectangle or a window box.
bool Holds(const Rect& r, int x, int y) {
    return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}
bool Holds(const WindowBox& b, int x, int y) {
    return Holds(Rect{b.left - 24, b.top - 64, b.right - b.left, b.bottom - b.top}, x, y);
}

struct RuleCount {
    std::int64_t pixels = 0, frames = 0; // frames: those in which the rule showed
};

// Watches every partial frame from just before it to just after.
class Checker {
  public:
    void Before(const GameState& state, const RenderResources& screen) {
        before_ = FieldModel::Read(GetSelectedBitmap(screen.windowDC));
        for (int i = 0; i < floorSlotCount; ++i)
            marks_[i] = state.floors[i].dirty;
        memory_ = screen.partialFrame;
    }

    void After(const GameState& state, const RenderResources& screen) {
        ++frames;
        const FieldModel got = FieldModel::Read(GetSelectedBitmap(screen.windowDC));
        const FieldModel want = Compose(state, false);
        const FieldModel cell = Compose(state, true);
        std::map<std::string, std::int64_t> seen;
        for (int y = 0; y < fieldHeight; ++y) {
            for (int x = 0; x < fieldWidth; ++x)
                if (got.At(x, y) != want.At(x, y))
                    ++seen[Explain(state, x, y, got.At(x, y), cell)];
        }
        for (int i = 0; i < floorSlotCount; ++i)
            if (state.floors[i].dirty != std::max(marks_[i] - 1, 0))
                ++seen["fault: a slot's redraw mark not counted down"];
        wasAirborne_ = state.airborne != 0;
        framesDiffering += seen.empty() ? 0 : 1;
        for (const auto& [rule, pixels] : seen) {
            byRule[rule].pixels += pixels;
            ++byRule[rule].frames;
            if (rule.starts_with("fault")) {
                faults += pixels;
                if (firstFault.empty())
                    firstFault = rule + " at tick " + std::to_string(tick) + " (" + cause + ")";
            }
        }
    }

    std::int64_t frames = 0, framesDiffering = 0, faults = 0;
    std::map<std::string, RuleCount> byRule;
    std::string firstFault; // where and when the first fault was
    std::int64_t tick = 0;
    std::string cause; // what the runner is doing when the frame comes

  private:
    // On black: the slots in index order, the character, the pause sign. As
    // the cell: only the slots marked 2, and the character.
    FieldModel Compose(const GameState& s, bool asCell) const {
        FieldModel field;
        for (int i = 0; i < floorSlotCount; ++i)
            if (!asCell || marks_[i] == 2)
                field.PutSlot(s, i);
        if (ShowsCharacter(s))
            field.PutCharacter(s);
        if (s.mode == GameMode::Paused && !asCell)
            field.PutPauseSign();
        return field;
    }

    // Which rule leaves pixel (x, y) unlike the composition.
    std::string Explain(const GameState& s, int x, int y, std::uint8_t got,
                        const FieldModel& cell) const {
        if (s.mode == GameMode::Paused && Holds(Rect{144, 144, 128, 48}, x, y))
            return "fault: the pause sign";
        int front = -1, unchanged = -1; // the slot the composition shows here
        for (int i = 0; i < floorSlotCount; ++i) {
            if (Holds(SlotDrawRect(s, i), x, y)) {
                front = i;
                unchanged = marks_[i] == 0 ? i : unchanged;
            }
        }
        // Inside the character's box everything comes from the cell.
        if (ShowsCharacter(s) && Holds(Rect{s.playerX + 16, s.playerY, 32, 32}, x, y)) {
            if (got != cell.At(x, y))
                return "fault: the character's box is not its cell";
            if (front < 0)
                return "fault: the cell differs where no slot is";
            if (cause != "tick")
                return s.mode == GameMode::Paused ? "cell: the pause frame has no marks of 2"
                                                  : "cell: every slot marked 1 by " + cause;
            if (marks_[front] != 1)
                return "fault: a slot under the body was not marked";
            // The probe marked the slots under the body where it stood then.
            if (wasAirborne_ && s.airborne == 0)
                return "cell: the landing lifted the body over a slot it had left";
            if (!wasAirborne_ && s.airborne != 0)
                return "cell: walking off a spring put its mark back to 1";
            return "fault: a slot under the body marked 1 in an ordinary tick";
        }
        const bool untouched = got == before_.At(x, y);
        if (unchanged >= 0) {
            if (!untouched)
                return "fault: an unchanged slot's pixels changed";
            if (marks_[front] != 0)
                return "an unchanged slot stays in front of a changed one";
            return Holds(memory_.lastPlayerRect, x, y)
                       ? "an unchanged slot keeps what the character left in its box"
                       : "an unchanged slot keeps what a changed floor left in its box";
        }
        if (front >= 0)
            return "fault: a changed slot not drawn";
        // Nothing stands here now: black where something was remembered.
        bool remembered = Holds(memory_.lastPlayerRect, x, y);
        for (const Rect& r : memory_.lastSlotRects)
            remembered = remembered || Holds(Rect{r.x - 24, r.y - 64, r.width, r.height}, x, y);
        return remembered || !untouched ? "fault: not erased"
                                        : "fault: pixels left where nothing was remembered";
    }

    FieldModel before_;
    std::array<std::int32_t, floorSlotCount> marks_{};
    PartialFrameMemory memory_{};
    bool wasAirborne_ = false; // in the last frame
};

// The climber's script with SpeedUp on from the title, a 3-tick pause every
// 150 ticks (later events moved on by the pauses), and SpeedUp off 4 ticks midway.
std::string WithPausesAndSwitches(const std::string& climbScript, std::int32_t& pauses) {
    std::multimap<std::int64_t, std::string> climb, events;
    std::istringstream lines(climbScript);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] != '#') {
            const std::size_t blank = line.find(' ');
            climb.insert({std::stoll(line.substr(0, blank)), line.substr(blank + 1)});
        }
    }
    const std::int64_t end = climb.empty() ? 0 : climb.rbegin()->first;
    pauses = static_cast<std::int32_t>(
        std::max<std::int64_t>(0, (end - 11) / 150)); // the last 11 before the end
    const auto moved = [&](std::int64_t t) {
        return t + 3 * std::min<std::int64_t>(t / 150, pauses);
    };
    events.insert({0, "command 40015"});
    for (std::int64_t k = 1; k <= pauses; ++k) {
        for (const std::int64_t t : {153 * k - 3, 153 * k}) { // Escape pauses, Escape resumes
            events.insert({t, "key-down 27"});
            events.insert({t, "key-up 27"});
        }
    }
    events.insert({moved(end / 2) + 1, "command 40015"});
    events.insert({moved(end / 2) + 5, "command 40015"});
    for (const auto& [tick, event] : climb)
        events.insert({moved(tick), event});
    std::ostringstream script;
    for (const auto& [tick, event] : events)
        script << tick << " " << event << "\n";
    return script.str();
}

void CheckGame(const std::string& name, std::uint32_t seed) {
    const char* folder = std::getenv("VARNISK_PARTIAL_GAMES");
    const std::string path =
        (folder != nullptr ? std::string(folder)
                           : std::string(VARNISK_SOURCE_DIR) + "/tests/render/partial_games") +
        "/" + name + ".script";
    std::ifstream file(path);
    ASSERT_TRUE(file) << path;
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    // "# Played by varnisk-climber --seed 22: floor 60 with ..."
    const std::size_t at = text.find(": floor ");
    ASSERT_NE(at, std::string::npos);
    const std::int32_t goal = std::atoi(text.c_str() + at + 8);

    std::int32_t pauses = 0, floors = 0;
    std::istringstream in(WithPausesAndSwitches(text, pauses));
    const std::vector<ScriptEvent> events = ParseScript(in).events;
    SimRun run;
    SimOptions options;
    options.seed = seed;
    StartRun(run, options);
    Checker checker;
    RenderResources& screen = run.window.screen;
    screen.beforePartialFrame = [&](const auto& s, const auto& r) { checker.Before(s, r); };
    screen.afterPartialFrame = [&](const auto& s, const auto& r) { checker.After(s, r); };
    const std::int64_t ticks = events.empty() ? 0 : events.back().tick + 40;
    std::size_t next = 0;
    for (std::int64_t tick = 0; tick < ticks && !run.ended; ++tick) {
        checker.tick = tick;
        for (; next < events.size() && events[next].tick == tick && !run.ended; ++next) {
            const ScriptEvent& e = events[next];
            checker.cause =
                (e.verb == ScriptVerb::Command ? "command " : "input ") + std::to_string(e.value);
            DeliverEvent(run, events[next]);
        }
        checker.cause = "tick";
        DispatchGameTimer(run);
        floors = std::max(floors, RunState(run).floorCount);
    }
    screen.beforePartialFrame = screen.afterPartialFrame = nullptr;
    EndRun(run);
    CloseRun(run);

    EXPECT_EQ(floors, goal) << "the replayed game went astray";
    EXPECT_GE(pauses, 10);
    std::cout << name << ": " << ticks << " ticks, " << checker.frames << " partial frames, "
              << pauses << " pauses; " << checker.framesDiffering << " frames differ\n";
    for (const auto& [rule, count] : checker.byRule)
        std::cout << "  " << rule << ": " << count.pixels << " pixels in " << count.frames
                  << " frames\n";
    EXPECT_EQ(checker.faults, 0) << checker.firstFault;
}

TEST(EveryPartialFrameIsTheCompositionButWhereARuleSaysOtherwise, InEasyNormalAndHardGames) {
    for (const auto& [name, seed] : {std::pair{"easy", 22u}, {"normal", 33u}, {"hard", 11u}}) {
        SCOPED_TRACE(name);
        CheckGame(name, seed);
    }
}

} // namespace
} // namespace render_test
