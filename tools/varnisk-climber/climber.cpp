#include "climber.h"

#include "core/game_state.h"
#include "core/game_tick.h"
#include "core/silent_ports.h"
#include "tools/varnisk-sim/runner.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

constexpr int vkSpace = 32;

// Pixels climbed: two per step of the backdrop, plus the height in the field.
std::int64_t Height(const GameState& s) {
    const std::int64_t steps = 64 * std::int64_t{s.floorCount - 1} + s.scrollPhase % 64;
    return 2 * steps + (352 - s.playerY);
}

struct Plan {
    int wait;  // ticks before the jump key goes down
    int power; // ticks it is held: the gauge's power at the release
};

constexpr std::int64_t dies = std::numeric_limits<std::int64_t>::min();

struct Outcome {
    std::int64_t height = dies; // where the character stands after the jump
    GameState state{};          // its generator included
};

// Plays a plan on a copy of the game until the character has jumped and come
// to stand again. The copy plays blind and silent: nothing is drawn,
// sounded or shown, so the real window, its menu and the runner's record of
// sound keep the real game's.
Outcome TryPlan(const GameState& start, const Plan& plan) {
    static SilentPorts silent;
    Outcome outcome;
    outcome.state = start;
    GameState& s = outcome.state;
    s.ports = &silent;
    const int release = plan.wait + plan.power;
    for (int t = 0; t < 200; ++t) {
        s.jumpHeld = t >= plan.wait && t < release ? 1 : 0;
        GameTick(s);
        if (s.mode != GameMode::Playing) {
            break;
        }
        // Standing again, and not about to hop: a landing with the gauge
        // still charged launches a jump of speed 0 on the next tick.
        if (t >= release && s.airborne == 0 && s.charging == 0) {
            outcome.height = Height(s);
            break;
        }
    }
    return outcome;
}

std::vector<Plan> AllPlans() {
    std::vector<Plan> plans;
    for (const int wait : {0, 2, 4, 7, 11, 16, 22, 30, 40}) {
        for (int power = 1; power <= 12; ++power) {
            plans.push_back({wait, power});
        }
    }
    return plans;
}

// From where an outcome left the character, some jump lands again, and from
// there another, and so on, `depth` jumps deep.
bool CanGoOn(const Outcome& outcome, int depth) {
    if (depth == 0) {
        return true;
    }
    bool survives = false;
    for (const Plan& plan : AllPlans()) {
        const Outcome next = TryPlan(outcome.state, plan);
        if (next.height != dies && CanGoOn(next, depth - 1)) {
            survives = true;
            break;
        }
    }
    return survives;
}

Plan ChoosePlan(const GameState& state, bool climbing) {
    struct Candidate {
        Plan plan;
        Outcome outcome;
    };
    std::vector<Candidate> candidates;
    for (const Plan& plan : AllPlans()) {
        candidates.push_back({plan, TryPlan(state, plan)});
    }
    if (!climbing) {
        // Done: the lowest landing, or better a fall out of the field.
        const auto lowest = std::min_element(candidates.begin(), candidates.end(),
                                             [](const Candidate& a, const Candidate& b) {
                                                 return a.outcome.height < b.outcome.height;
                                             });
        return lowest->plan;
    }
    // Climbing: the highest landing from which the climb can go on for a
    // few more jumps. Landings that differ in nothing are tried once.
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const Candidate& a, const Candidate& b) { return a.outcome.height > b.outcome.height; });
    for (const int depth : {5, 2, 1}) {
        std::vector<std::pair<std::int64_t, std::int32_t>> failed;
        for (const Candidate& c : candidates) {
            const std::pair<std::int64_t, std::int32_t> key{c.outcome.height,
                                                            c.outcome.state.playerX};
            if (c.outcome.height == dies ||
                std::find(failed.begin(), failed.end(), key) != failed.end()) {
                continue;
            }
            if (CanGoOn(c.outcome, depth)) {
                return c.plan;
            }
            failed.push_back(key);
        }
    }
    return {1, 0}; // nothing safe: wait and look again
}

struct Player {
    SimRun run;
    ClimbResult result;
    std::int64_t tick = 0;

    void Send(ScriptVerb verb, int value, const std::string& text = {}) {
        ScriptEvent event{};
        event.tick = tick;
        event.verb = verb;
        event.value = value;
        event.text = text;
        DeliverEvent(run, event);
        const char* word = verb == ScriptVerb::Command   ? "command"
                           : verb == ScriptVerb::KeyDown ? "key-down"
                           : verb == ScriptVerb::KeyUp   ? "key-up"
                                                         : "name";
        result.script += std::to_string(tick) + " " + word;
        result.script += verb == ScriptVerb::EntryName ? " " + text : " " + std::to_string(value);
        result.script += "\n";
    }

    void Tick() {
        DispatchGameTimer(run);
        ++tick;
    }
};

} // namespace

ClimbResult ClimbAndFall(std::uint32_t seed, int difficultyCommand, std::int32_t goalFloors,
                         const std::string& name, std::int64_t maxTicks) {
    Player p;
    SimOptions options;
    options.seed = seed;
    StartRun(p.run, options);
    GameState& state = RunState(p.run);
    p.Send(ScriptVerb::Command, difficultyCommand);
    p.Send(ScriptVerb::EntryName, 0, name);
    p.Send(ScriptVerb::Command, 40001);
    while (p.tick < maxTicks && state.mode == GameMode::Playing) {
        if (state.airborne != 0 || state.charging != 0) {
            p.Tick();
            continue;
        }
        const Plan plan = ChoosePlan(state, state.floorCount < goalFloors);
        for (int w = 0; w < plan.wait && state.mode == GameMode::Playing; ++w) {
            p.Tick();
        }
        if (plan.power == 0 || state.mode != GameMode::Playing) {
            continue;
        }
        p.Send(ScriptVerb::KeyDown, vkSpace);
        for (int h = 0; h < plan.power && state.mode == GameMode::Playing; ++h) {
            p.Tick();
        }
        p.Send(ScriptVerb::KeyUp, vkSpace);
    }
    p.result.ended = state.mode == GameMode::Title;
    p.result.ticks = p.tick;
    p.result.floors = state.floorCount;
    p.result.jumps = state.jumpCount;
    EndRun(p.run);
    CloseRun(p.run);
    return p.result;
}
