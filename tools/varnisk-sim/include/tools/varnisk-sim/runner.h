#pragma once

#include "core/game_state.h"
#include "platform/headless/headless_backend.h"
#include "shell/main_window.h"
#include "tools/varnisk-sim/script.h"
#include "tools/varnisk-sim/sim_host.h"
#include "tools/varnisk-sim/sim_options.h"

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// One headless run of the game: the real main window and its record on the
// headless backend, the runner's stand-in at the dialogs, and the little the
// runner remembers of the input.
struct SimRun {
    SimRun() = default;
    SimRun(const SimRun&) = delete;
    SimRun& operator=(const SimRun&) = delete;
    // A run left half way (a check that gave up early) still takes its
    // window system down: the next run's start would otherwise tear down
    // this run's window after its record is gone.
    ~SimRun();

    HeadlessBackend backend;
    MainWindow window;
    SimHost host;
    WindowHandle mainWindow = nullptr;
    std::int32_t lastPressX = 0;
    std::int32_t lastPressY = 0;
    bool ended = false; // the program's quit message has come
    // The tick whose events or timer message is being handled, and the
    // screens already taken in it (while a dialog was open).
    std::int64_t tick = 0;
    std::vector<std::size_t> screensTaken;
    // The script and its next event not yet delivered, shared with the open
    // menu's loop, which takes the tick's later events itself.
    const std::vector<ScriptEvent>* script = nullptr;
    std::size_t nextEvent = 0;
    std::vector<std::filesystem::path> screensLost; // taken but not written
    bool started = false;                           // from StartRun until CloseRun
};

// Start-up as the game's main window creation, then the first paint.
void StartRun(SimRun& run, const SimOptions& options);
// The main window's game record.
GameState& RunState(SimRun& run);
// Delivers one event as the message loop would.
void DeliverEvent(SimRun& run, const ScriptEvent& event);
// Runs the loop until the next game-timer message has been dispatched.
void DispatchGameTimer(SimRun& run);
// The teardown, unless the program already ended it.
void EndRun(SimRun& run);
// Takes the window system down again.
void CloseRun(SimRun& run);
// The effects and music operations since the last call.
void TakeHeard(SimRun& run, std::vector<int>& sounds, std::vector<std::string>& music);

// Plays the game headless: start-up, the script's events and one game-timer
// message per tick, a trace line after each (and the requested screens),
// the teardown and a final line. Returns the exit status.
int RunSimulation(const SimOptions& options, const std::vector<ScriptEvent>& events,
                  std::ostream& trace);
