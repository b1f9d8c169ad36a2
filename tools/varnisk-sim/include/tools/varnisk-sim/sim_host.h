#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the headless runner stands in for while the game has no player at
// the dialogs: it answers the dialogs from the script, and remembers how
// much of the backend's record of sound the trace has shown.
struct SimHost {
    // Answers for the next dialogs; without one a dialog is confirmed as opened.
    std::optional<std::string> nextName;
    std::optional<std::int32_t> nextClearChoice;
    // Where the answering keys are typed, and what is done with the dialog
    // shown and answered, just before it is confirmed (the screens of this
    // tick).
    class HeadlessBackend* keyboard = nullptr;
    std::function<void()> beforeConfirming;

    // How many of the backend's effects and music events the trace has shown.
    std::size_t effectsShown = 0;
    std::size_t musicShown = 0;
};
