#pragma once

#include "core/game_state.h"
#include "tools/varnisk-sim/script.h"
#include "tools/varnisk-sim/sim_options.h"

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// One headless run of the game: the main window's record and the little
// input state the message routing keeps.
struct SimRun {
    std::unique_ptr<GameState> state;
    std::int32_t lastPressX = 0;
    std::int32_t lastPressY = 0;
};

// Start-up as the main window's creation, then the first paint.
void StartRun(SimRun& run, const SimOptions& options);
// Delivers one event as the message loop would.
void DeliverEvent(SimRun& run, const ScriptEvent& event);
// Dispatches one game-timer message.
void DispatchGameTimer(SimRun& run);
// True once the program has ended (Exit, or Escape on the start panel).
bool ProgramEnded();
// The teardown, unless the program already ended.
void EndRun(SimRun& run);
// The effects and music operations since the last call.
void TakeHeard(std::vector<int>& sounds, std::vector<std::string>& music);

// Plays the game headless: start-up, the script's events and one game-timer
// message per tick, a trace line after each, the teardown and a final line.
// Returns the exit status.
int RunSimulation(const SimOptions& options, const std::vector<ScriptEvent>& events,
                  std::ostream& trace);
