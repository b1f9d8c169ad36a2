#include "tools/varnisk-sim/runner.h"

#include "shell/main_menu.h"
#include "shell/main_window.h"
#include "tools/varnisk-sim/sim_host.h"
#include "tools/varnisk-sim/trace.h"

namespace {

constexpr std::int32_t clientWidth = 634;
constexpr std::int32_t clientHeight = 436;

bool InClientArea(std::int32_t x, std::int32_t y) {
    return x >= 0 && x < clientWidth && y >= 0 && y < clientHeight;
}

} // namespace

void StartRun(SimRun& run, const SimOptions& options) {
    ResetHost(options.seed);
    SetSettingsFiles({options.settings, options.save});
    // The record starts zero-filled, as the window's creation finds it.
    run.state = std::make_unique<GameState>();
    OnCreate(*run.state);
    OnPaint(*run.state); // a newly shown window is painted before its first tick
}

// Menu commands arrive only when the item can be chosen; F1 goes through the
// accelerator; clicks go to the window under them and releases to the window
// holding the capture.
void DeliverEvent(SimRun& run, const ScriptEvent& event) {
    GameState& state = *run.state;
    SimHost& host = Host();
    switch (event.verb) {
    case ScriptVerb::Command:
        if (FindMenuItem(MainMenu(), event.value) == nullptr ||
            IsCommandAvailable(MainMenu(), event.value)) {
            OnCommand(state, event.value);
        }
        break;
    case ScriptVerb::KeyDown:
        if (const int accelerated = AcceleratorCommand(event.value); accelerated != 0) {
            OnCommand(state, accelerated);
        } else {
            OnKeyDown(state, event.value);
        }
        break;
    case ScriptVerb::KeyUp: OnKeyUp(state, event.value); break;
    case ScriptVerb::LeftButtonDown:
        run.lastPressX = event.x;
        run.lastPressY = event.y;
        if (InClientArea(event.x, event.y)) {
            OnLeftButtonDown(state, event.x, event.y);
        }
        break;
    case ScriptVerb::LeftButtonUp: {
        const std::int32_t x = event.hasPoint ? event.x : run.lastPressX;
        const std::int32_t y = event.hasPoint ? event.y : run.lastPressY;
        if (host.mouseCaptured || InClientArea(x, y)) {
            OnLeftButtonUp(state);
        }
        break;
    }
    case ScriptVerb::EntryName: host.nextName = event.text; break;
    case ScriptVerb::ClearChoice: host.nextClearChoice = event.value; break;
    }
}

void DispatchGameTimer(SimRun& run) {
    OnTimer(*run.state, run.state->tickTimer);
}

bool ProgramEnded() {
    return Host().quit;
}

void EndRun(SimRun& run) {
    if (!ProgramEnded()) {
        OnDestroy(*run.state);
    }
}

void TakeHeard(std::vector<int>& sounds, std::vector<std::string>& music) {
    sounds.clear();
    music.clear();
    sounds.swap(Host().sounds);
    music.swap(Host().music);
}

int RunSimulation(const SimOptions& options, const std::vector<ScriptEvent>& events,
                  std::ostream& trace) {
    SimRun run;
    StartRun(run, options);
    std::size_t next = 0;
    std::vector<int> sounds;
    std::vector<std::string> music;
    for (std::int64_t tick = 0; tick < options.ticks && !ProgramEnded(); ++tick) {
        for (; next < events.size() && events[next].tick == tick && !ProgramEnded(); ++next) {
            DeliverEvent(run, events[next]);
        }
        if (ProgramEnded()) {
            break; // the program ended during this tick's input
        }
        DispatchGameTimer(run);
        TakeHeard(sounds, music);
        WriteTraceLine(trace, tick, *run.state, sounds, music);
    }
    EndRun(run);
    TakeHeard(sounds, music);
    WriteFinalLine(trace, *run.state, sounds, music);
    trace.flush();
    return 0;
}
