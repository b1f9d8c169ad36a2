#pragma once

#include "core/game_state.h"
#include "render/window_drawing.h"

#include <cstdint>

// What the main window's handlers ask of the renderer, the audio and the
// platform besides the core's own ports: surfaces and effects at start-up and
// teardown, the window, the timer, help and the dialogs the menu opens. The
// game links the real ones; the headless runner and the tests link stand-ins.

// Surfaces, palette and the repaint: the renderer's (render/window_drawing.h).

// Effects and the music device.
void LoadEffects(GameState& state);
void ReleaseEffects(GameState& state);
std::uint32_t OpenMusic(GameState& state); // 0 when it could not be opened
void CloseMusic(GameState& state);

// The start panel's Best5 pages and the dialogs of the menu.
void DrawBest5Pages(GameState& state);
void RunAboutDialog(GameState& state);

// The window and the system.
void ShowMainWindow(GameState& state);
std::uint32_t CreateTickTimer(GameState& state); // the timer id, 0 when none could be made
void SoundDefaultBeep();
std::uint32_t GetTickCount();
void DrawMenuBarOf(GameState& state);
void ShowHelpTopics(GameState& state);
void CloseHelp(GameState& state);
void PostQuitMessage(int exitCode);
