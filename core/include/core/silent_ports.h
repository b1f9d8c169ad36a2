#pragma once

#include "core/ports.h"

// Ports that do nothing, for a game record with no outside: a look-ahead
// that plays a copy of the game blind and silent, or a benchmark that times
// the rules alone. The one answer the core takes, the Clear Best5 choice, is
// "cancelled".
class SilentPorts final : public GamePorts {
  public:
    void DrawFullFrame(GameState&) override {}
    void DrawPartialFrame(GameState&) override {}
    void DrawJumpGauge(GameState&) override {}
    void DrawFloorCounter(GameState&) override {}
    void DrawDifficultyAndBest(GameState&) override {}
    void DrawJumpCount(GameState&) override {}
    void FillWindowRectBlack(GameState&, std::int32_t, std::int32_t, std::int32_t,
                             std::int32_t) override {}
    void PlayEffect(GameState&, int) override {}
    void PlayMusic(GameState&) override {}
    void StopMusic(GameState&) override {}
    void CreateStartPanel(GameState&) override {}
    void DestroyStartPanel(GameState&) override {}
    void RunNameEntryDialog(GameState&) override {}
    std::int32_t RunClearBest5Dialog(GameState&) override { return 0; }
    void UpdateMenuChecks(GameState&) override {}
    void SwitchMenuToPlayState(GameState&) override {}
    void SwitchMenuToTitleState(GameState&) override {}
    void RedrawMenuBar(GameState&) override {}
    void SetPauseItemLabel(GameState&, bool) override {}
    void CheckMenuItem(GameState&, int, bool) override {}
    WindowHandle GetKeyboardFocus(GameState&) override { return nullptr; }
    void SetKeyboardFocus(GameState&, WindowHandle) override {}
    void CaptureMouse(GameState&) override {}
    void ReleaseMouseCapture(GameState&) override {}
    void SendDestroyMessage(GameState&) override {}
};
