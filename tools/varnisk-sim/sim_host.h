#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the headless runner stands in for while the game has no sound card
// and no player at the dialogs: it answers the dialogs from the script and
// records what would be heard. One for the program, as there is one main
// window.
struct SimHost {
    // Answers for the next dialogs; without one a dialog is confirmed as opened.
    std::optional<std::string> nextName;
    std::optional<std::int32_t> nextClearChoice;

    // Heard since the last trace line.
    std::vector<int> sounds;
    std::vector<std::string> music; // "play" or "stop"
};

SimHost& Host();
void ResetHost();
