#pragma once

#include "core/handles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the headless runner stands in for while the game has no screen, no
// sound card and no player: it answers the dialogs from the script, records
// what would be heard, and keeps the little window state the input routing
// needs. One for the program, as there is one main window.
struct SimHost {
    std::uint32_t seed = 1; // what the tick count reads at start-up

    // Answers for the next dialogs; without one a dialog is confirmed as opened.
    std::optional<std::string> nextName;
    std::optional<std::int32_t> nextClearChoice;

    // Heard since the last trace line.
    std::vector<int> sounds;
    std::vector<std::string> music; // "play" or "stop"

    bool mouseCaptured = false;
    bool startPanelShown = false;
    bool quit = false;
    int exitCode = 0;
};

SimHost& Host();
void ResetHost(std::uint32_t seed);
