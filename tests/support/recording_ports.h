#pragma once

#include "core/game_state.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Stand-ins for every port of the core that write down each call, in order,
// as a short text: "PlayEffect 141", "CheckMenuItem 40007 0", "StopMusic".
namespace recording {

std::vector<std::string>& Calls();
void Record(std::string call);
void Clear();

// Calls whose text starts with the given prefix.
std::vector<std::string> CallsStartingWith(const std::string& prefix);

// What the game record held when a drawing port was called, for the rules
// about drawing before or after a change.
struct DrawSnapshot {
    std::string call; // "DrawFullFrame", "DrawPartialFrame" or "DrawFloorCounter"
    GameMode mode;
    std::int32_t playerX;
    std::int32_t playerY;
    std::int32_t rollPhase;
    std::int32_t shownFloor;
};
std::vector<DrawSnapshot>& Draws();

// The effects played since the last Clear, in order.
std::vector<int> Effects();

// What the dialogs answer. The name dialog stores nameAnswer in
// lastInputName unless it is empty-and-unset (keepPreset).
struct DialogAnswers {
    bool keepPreset = true;
    std::string name;
    std::int32_t clearChoice = 1;
};
DialogAnswers& Answers();

// Called inside RunNameEntryDialog, so tests can look at the state there.
std::function<void(GameState&)>& OnNameDialog();

} // namespace recording

// A zero-filled game record with the start values of a fresh window:
// settings at their defaults, title mode, a laid-out field.
GameState MakeTitleState(std::uint32_t seed = 1);

namespace recording {
// What the recording shell stand-ins answer for the tick timer and the tick count.
std::uint32_t& TickTimerAnswer();
std::uint32_t& TickCountAnswer();
} // namespace recording
