#include "tools/varnisk-sim/runner.h"

#include "dialog_answers.h"
#include "screen_file.h"
#include "shell/desktop/music_file.h"
#include "shell/desktop/program.h"
#include "shell/desktop/window_procedure.h"
#include "shell/dialogs/dialogs.h"
#include "shell/text_faces.h"
#include "trace.h"

#include <algorithm>
#include <iostream>

namespace {

// The status for output the run could not write, the same as for a bad
// command line: the caller asked for something it did not get.
constexpr int badRunOutput = 2;

bool InClientArea(WindowHandle window, std::int32_t x, std::int32_t y) {
    const Rect client = GetClientRect(window);
    return x >= 0 && x < client.width && y >= 0 && y < client.height;
}

// Handles every message that is due now, as the game's loop would.
void PumpPending(SimRun& run) {
    Message message{};
    while (!run.ended && PeekMessage(message)) {
        if (message.message == wm::quit) {
            run.ended = true;
            break;
        }
        ProcessMessage(run.mainWindow, message);
    }
}

void PushAtClientPoint(SimRun& run, InputEvent::Kind kind, std::int32_t x, std::int32_t y) {
    InputEvent input;
    input.kind = kind;
    input.x = x;
    input.y = y;
    ClientToScreen(run.mainWindow, input.x, input.y);
    run.backend.Push(input, run.backend.Now());
}

void PushKey(SimRun& run, InputEvent::Kind kind, int virtualKey) {
    InputEvent input;
    input.kind = kind;
    input.virtualKey = virtualKey;
    run.backend.Push(input, run.backend.Now());
}

// Each screen is taken once: while a dialog of its tick is open, just
// before it is confirmed, or else after the tick's timer message.
void SaveScreens(SimRun& run, const std::vector<ScreenRequest>& screens, std::int64_t tick) {
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const ScreenRequest& request = screens[i];
        if (request.tick != tick ||
            std::ranges::find(run.screensTaken, i) != run.screensTaken.end()) {
            continue;
        }
        if (!SaveClientArea(run.mainWindow, run.window.screen.palette, request.file)) {
            run.screensLost.push_back(request.file);
        }
        run.screensTaken.push_back(i);
    }
}

} // namespace

SimRun::~SimRun() {
    if (started) {
        EndRun(*this);
        CloseRun(*this);
    }
}

void StartRun(SimRun& run, const SimOptions& options) {
    // The script answers the real dialogs; a dialog open in a tick with a
    // screen shows on it, answered.
    run.window.dialogWatcher = [&run](WindowHandle dialog, DialogMoment moment) {
        AnswerDialogFromScript(run.host, dialog, moment);
    };
    run.host.keyboard = &run.backend;
    run.host.beforeConfirming = [&run, screens = options.screens] {
        SaveScreens(run, screens, run.tick);
    };
    // The runner keeps its own time, one game tick per trace line: an effect
    // that holds the game takes none of it.
    run.backend.SetBlockingEffectsTakeTime(false);
    StartWindowSystem(run.backend, {.faces = GameTextFaces()});
    run.started = true;
    run.window.options = {options.settings, options.save, options.seed, LocateMusicFile()};
    RegisterMainWindowClass();
    run.mainWindow = CreateMainWindow(run.window);
    PumpPending(run); // a newly shown window is painted before its first tick
}

GameState& RunState(SimRun& run) {
    return run.window.game;
}

namespace {

// Menu commands arrive only when the item can be chosen, as from the menu
// bar; keys and clicks come in as input and take the loop's own roads
// (accelerator, focus, capture, the window under the point) once the loop
// that is running takes them.
void QueueEvent(SimRun& run, const ScriptEvent& event) {
    SimHost& host = run.host;
    switch (event.verb) {
    case ScriptVerb::Command:
        if (FindMenuItem(run.window.menu, event.value) == nullptr ||
            IsCommandAvailable(run.window.menu, event.value)) {
            PostMessage(run.mainWindow, wm::command, static_cast<WParam>(event.value), 0);
        }
        break;
    case ScriptVerb::KeyDown: PushKey(run, InputEvent::Kind::KeyDown, event.value); break;
    case ScriptVerb::KeyUp: PushKey(run, InputEvent::Kind::KeyUp, event.value); break;
    case ScriptVerb::LeftButtonDown:
        run.lastPressX = event.x;
        run.lastPressY = event.y;
        if (InClientArea(run.mainWindow, event.x, event.y)) { // else it is the desktop's
            PushAtClientPoint(run, InputEvent::Kind::MouseDown, event.x, event.y);
        }
        break;
    case ScriptVerb::LeftButtonUp:
        PushAtClientPoint(run, InputEvent::Kind::MouseUp, event.hasPoint ? event.x : run.lastPressX,
                          event.hasPoint ? event.y : run.lastPressY);
        break;
    case ScriptVerb::EntryName: host.nextName = event.text; break;
    case ScriptVerb::ClearChoice: host.nextClearChoice = event.value; break;
    }
}

// The menu bar's keyboard mode (Alt, F10, Alt with a letter) is a loop of
// its own that would wait for keys for ever. While it is open, each time it
// would wait it is given the script's next event of this tick; when they run
// out it is closed with Escape, as a player would, before any time passes,
// so every tick still has its trace line.
bool FeedOpenMenu(SimRun& run) {
    if (!GetMenuTracking().active) {
        return false;
    }
    if (run.script != nullptr && run.nextEvent < run.script->size() &&
        (*run.script)[run.nextEvent].tick == run.tick) {
        QueueEvent(run, (*run.script)[run.nextEvent++]);
        return true;
    }
    // A press alone: the menu takes it, and no release is left over to reach
    // the game after the menu has closed.
    PushKey(run, InputEvent::Kind::KeyDown, vk::escape);
    return true;
}

} // namespace

void DeliverEvent(SimRun& run, const ScriptEvent& event) {
    QueueEvent(run, event);
    PumpPending(run);
}

void DispatchGameTimer(SimRun& run) {
    const std::uint32_t tickTimer = RunState(run).tickTimer;
    if (tickTimer == 0) {
        return; // no tick timer: nothing ever ticks
    }
    Message message{};
    while (!run.ended) {
        if (!GetMessage(message)) {
            run.ended = true;
            break;
        }
        ProcessMessage(run.mainWindow, message);
        if (message.message == wm::timer && message.window == run.mainWindow &&
            message.wParam == tickTimer) {
            break;
        }
    }
}

void EndRun(SimRun& run) {
    if (!run.ended) {
        // The teardown, as Exit runs it; it posts the quit message.
        SendMessage(run.mainWindow, wm::destroy, 0, 0);
        run.ended = true;
    }
}

void CloseRun(SimRun& run) {
    DiscardMainWindow(run.mainWindow);
    run.mainWindow = nullptr;
    ShutdownWindowSystem();
    run.started = false;
}

void TakeHeard(SimRun& run, std::vector<int>& sounds, std::vector<std::string>& music) {
    sounds.clear();
    music.clear();
    SimHost& host = run.host;
    const auto& effects = run.backend.Effects();
    for (; host.effectsShown < effects.size(); ++host.effectsShown) {
        sounds.push_back(effects[host.effectsShown].id);
    }
    // Every play and stop as the game gave it, also to a device that could
    // not be opened; a restart by the music's notice is a play too.
    using Kind = HeadlessBackend::MusicEvent::Kind;
    const auto& events = run.backend.Music();
    for (; host.musicShown < events.size(); ++host.musicShown) {
        const Kind kind = events[host.musicShown].kind;
        if (kind == Kind::Play || kind == Kind::Stop) {
            music.emplace_back(kind == Kind::Play ? "play" : "stop");
        }
    }
}

int RunSimulation(const SimOptions& options, const std::vector<ScriptEvent>& events,
                  std::ostream& trace) {
    SimRun run;
    run.script = &events;
    run.backend.SetIdleHandler([&run] { return FeedOpenMenu(run); });
    StartRun(run, options);
    std::vector<int> sounds;
    std::vector<std::string> music;
    for (std::int64_t tick = 0; tick < options.ticks && !run.ended; ++tick) {
        run.tick = tick;
        while (run.nextEvent < events.size() && events[run.nextEvent].tick == tick && !run.ended) {
            DeliverEvent(run, events[run.nextEvent++]);
        }
        if (run.ended) {
            break; // the program ended during this tick's input
        }
        DispatchGameTimer(run);
        if (run.ended) {
            break;
        }
        TakeHeard(run, sounds, music);
        WriteTraceLine(trace, tick, RunState(run), sounds, music);
        SaveScreens(run, options.screens, tick);
    }
    EndRun(run);
    TakeHeard(run, sounds, music);
    WriteFinalLine(trace, RunState(run), sounds, music);
    trace.flush();
    CloseRun(run);
    // The files were checked before the run, yet a disk may still fill up:
    // a screen asked for and not written is never passed over in silence.
    for (const std::filesystem::path& lost : run.screensLost) {
        std::cerr << "varnisk-sim: could not write the screen '" << lost.string() << "'\n";
    }
    return run.screensLost.empty() ? 0 : badRunOutput;
}
