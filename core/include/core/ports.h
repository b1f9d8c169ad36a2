#pragma once

#include "base/handles.h"
#include "core/game_state.h"

#include <cstdint>

// What the game core asks of the presentation, the audio, the start panel,
// the dialogs, the menu and the window. The core calls these through the
// game record's ports and never depends on what they do: the game and the
// runner plug in the real ones, tests and benchmarks their own. The one
// answer the core takes is the Clear Best5 dialog's choice (and the focus it
// hands back unchanged).
class GamePorts {
  public:
    // The play field and the status panel.
    virtual void DrawFullFrame(GameState& state) = 0;
    virtual void DrawPartialFrame(GameState& state) = 0;
    virtual void DrawJumpGauge(GameState& state) = 0;
    virtual void DrawFloorCounter(GameState& state) = 0;
    virtual void DrawDifficultyAndBest(GameState& state) = 0;
    virtual void DrawJumpCount(GameState& state) = 0;
    // Fills a window rectangle (right and bottom exclusive) with the black brush.
    virtual void FillWindowRectBlack(GameState& state, std::int32_t left, std::int32_t top,
                                     std::int32_t right, std::int32_t bottom) = 0;

    // Effects and music.
    virtual void PlayEffect(GameState& state, int effectId) = 0;
    virtual void PlayMusic(GameState& state) = 0;
    virtual void StopMusic(GameState& state) = 0;

    // The start panel and the dialogs.
    virtual void CreateStartPanel(GameState& state) = 0;
    virtual void DestroyStartPanel(GameState& state) = 0;
    virtual void RunNameEntryDialog(GameState& state) = 0;
    // 0 cancelled, 1 clear all, 2..4 clear Easy, Normal or Hard.
    virtual std::int32_t RunClearBest5Dialog(GameState& state) = 0;

    // The menu bar.
    virtual void UpdateMenuChecks(GameState& state) = 0;
    virtual void SwitchMenuToPlayState(GameState& state) = 0;
    virtual void SwitchMenuToTitleState(GameState& state) = 0;
    virtual void RedrawMenuBar(GameState& state) = 0;
    // Item 40003 reads "&Resume" while a game is paused, "&Pause" otherwise.
    virtual void SetPauseItemLabel(GameState& state, bool paused) = 0;
    virtual void CheckMenuItem(GameState& state, int commandId, bool checked) = 0;

    // The window: keyboard focus, mouse capture and the destroy message.
    virtual WindowHandle GetKeyboardFocus(GameState& state) = 0;
    virtual void SetKeyboardFocus(GameState& state, WindowHandle window) = 0;
    virtual void CaptureMouse(GameState& state) = 0;
    virtual void ReleaseMouseCapture(GameState& state) = 0;
    virtual void SendDestroyMessage(GameState& state) = 0;

  protected:
    GamePorts() = default;
    GamePorts(const GamePorts&) = default;
    GamePorts& operator=(const GamePorts&) = default;
    ~GamePorts() = default;
};

// The rules call the ports by these names, on the record's own ports.
inline void DrawFullFrame(GameState& state) {
    state.ports->DrawFullFrame(state);
}
inline void DrawPartialFrame(GameState& state) {
    state.ports->DrawPartialFrame(state);
}
inline void DrawJumpGauge(GameState& state) {
    state.ports->DrawJumpGauge(state);
}
inline void DrawFloorCounter(GameState& state) {
    state.ports->DrawFloorCounter(state);
}
inline void DrawDifficultyAndBest(GameState& state) {
    state.ports->DrawDifficultyAndBest(state);
}
inline void DrawJumpCount(GameState& state) {
    state.ports->DrawJumpCount(state);
}
inline void FillWindowRectBlack(GameState& state, std::int32_t left, std::int32_t top,
                                std::int32_t right, std::int32_t bottom) {
    state.ports->FillWindowRectBlack(state, left, top, right, bottom);
}
inline void PlayEffect(GameState& state, int effectId) {
    state.ports->PlayEffect(state, effectId);
}
inline void PlayMusic(GameState& state) {
    state.ports->PlayMusic(state);
}
inline void StopMusic(GameState& state) {
    state.ports->StopMusic(state);
}
inline void CreateStartPanel(GameState& state) {
    state.ports->CreateStartPanel(state);
}
inline void DestroyStartPanel(GameState& state) {
    state.ports->DestroyStartPanel(state);
}
inline void RunNameEntryDialog(GameState& state) {
    state.ports->RunNameEntryDialog(state);
}
inline std::int32_t RunClearBest5Dialog(GameState& state) {
    return state.ports->RunClearBest5Dialog(state);
}
inline void UpdateMenuChecks(GameState& state) {
    state.ports->UpdateMenuChecks(state);
}
inline void SwitchMenuToPlayState(GameState& state) {
    state.ports->SwitchMenuToPlayState(state);
}
inline void SwitchMenuToTitleState(GameState& state) {
    state.ports->SwitchMenuToTitleState(state);
}
inline void RedrawMenuBar(GameState& state) {
    state.ports->RedrawMenuBar(state);
}
inline void SetPauseItemLabel(GameState& state, bool paused) {
    state.ports->SetPauseItemLabel(state, paused);
}
inline void CheckMenuItem(GameState& state, int commandId, bool checked) {
    state.ports->CheckMenuItem(state, commandId, checked);
}
inline WindowHandle GetKeyboardFocus(GameState& state) {
    return state.ports->GetKeyboardFocus(state);
}
inline void SetKeyboardFocus(GameState& state, WindowHandle window) {
    state.ports->SetKeyboardFocus(state, window);
}
inline void CaptureMouse(GameState& state) {
    state.ports->CaptureMouse(state);
}
inline void ReleaseMouseCapture(GameState& state) {
    state.ports->ReleaseMouseCapture(state);
}
inline void SendDestroyMessage(GameState& state) {
    state.ports->SendDestroyMessage(state);
}

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
