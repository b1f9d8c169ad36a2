#pragma once

#include "core/game_state.h"
#include "base/handles.h"

#include <cstdint>

// What the game core asks of the presentation, the audio, the start panel,
// the dialogs, the menu and the window. The core only declares these and
// never uses what they do: the game links the real ones, tests and tools link
// stand-ins that record the calls. The one answer the core takes is the
// Clear Best5 dialog's choice (and the focus it hands back unchanged).

// The play field and the status panel.
void DrawFullFrame(GameState& state);
void DrawPartialFrame(GameState& state);
void DrawJumpGauge(GameState& state);
void DrawFloorCounter(GameState& state);
void DrawDifficultyAndBest(GameState& state);
void DrawJumpCount(GameState& state);
// Fills a window rectangle (right and bottom exclusive) with the black brush.
void FillWindowRectBlack(GameState& state, std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom);

// Effects and music.
void PlayEffect(GameState& state, int effectId);
void PlayMusic(GameState& state);
void StopMusic(GameState& state);

// The start panel and the dialogs.
void CreateStartPanel(GameState& state);
void DestroyStartPanel();
void RunNameEntryDialog(GameState& state);
// 0 cancelled, 1 clear all, 2..4 clear Easy, Normal or Hard.
std::int32_t RunClearBest5Dialog(GameState& state);

// The menu bar.
void UpdateMenuChecks(GameState& state);
void SwitchMenuToPlayState(GameState& state);
void SwitchMenuToTitleState(GameState& state);
void RedrawMenuBar(GameState& state);
// Item 40003 reads "&Resume" while a game is paused, "&Pause" otherwise.
void SetPauseItemLabel(GameState& state, bool paused);
void CheckMenuItem(GameState& state, int commandId, bool checked);

// The window: keyboard focus, mouse capture and the destroy message.
WindowHandle GetKeyboardFocus();
void SetKeyboardFocus(WindowHandle window);
void CaptureMouse(GameState& state);
void ReleaseMouseCapture();
void SendDestroyMessage(GameState& state);

// "Render one frame": the partial redraw when SpeedUp is on, else a full frame.
inline void RenderFrame(GameState& state) {
    if (state.speedUp != 0) {
        DrawPartialFrame(state);
    } else {
        DrawFullFrame(state);
    }
}

// Every effect the game plays is played only while the Sound option is on.
inline void PlaySound(GameState& state, int effectId) {
    if (state.soundOn != 0) {
        PlayEffect(state, effectId);
    }
}
