#pragma once

#include "core/game_state.h"

#include <cstdint>
#include <filesystem>
#include <optional>

// The main window's message handlers, one per message, each given the
// window's game record and what it uses of the message.

// Where the settings and records are read at start-up and written at
// teardown (an empty path means none: defaults, or nothing written), and
// the random seed when a replay fixes it in place of the tick count.
struct StartupOptions {
    std::filesystem::path load;
    std::filesystem::path save;
    std::optional<std::uint32_t> seed;
};
void SetStartupOptions(StartupOptions options);

void OnCreate(GameState& state);  // the whole start-up
void OnDestroy(GameState& state); // the whole teardown
void OnCommand(GameState& state, int commandId);
void OnKeyDown(GameState& state, int virtualKey);
void OnKeyUp(GameState& state, int virtualKey);
void OnTimer(GameState& state, std::uint32_t timerId);
void OnLeftButtonDown(GameState& state, std::int32_t x, std::int32_t y);
void OnLeftButtonUp(GameState& state);
void OnPaint(GameState& state);
