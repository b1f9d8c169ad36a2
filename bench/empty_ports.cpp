// Every port of the core doing nothing, so the benchmarks time the game's
// own arithmetic alone.

#include "core/ports.h"

void DrawFullFrame(GameState&) {}
void DrawPartialFrame(GameState&) {}
void DrawJumpGauge(GameState&) {}
void DrawFloorCounter(GameState&) {}
void DrawDifficultyAndBest(GameState&) {}
void DrawJumpCount(GameState&) {}
void FillWindowRectBlack(GameState&, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
void PlayEffect(GameState&, int) {}
void PlayMusic(GameState&) {}
void StopMusic(GameState&) {}
void CreateStartPanel(GameState&) {}
void DestroyStartPanel() {}
void RunNameEntryDialog(GameState&) {}
std::int32_t RunClearBest5Dialog(GameState&) {
    return 0;
}
void UpdateMenuChecks(GameState&) {}
void SwitchMenuToPlayState(GameState&) {}
void SwitchMenuToTitleState(GameState&) {}
void RedrawMenuBar(GameState&) {}
void SetPauseItemLabel(GameState&, bool) {}
void CheckMenuItem(GameState&, int, bool) {}
WindowHandle GetKeyboardFocus() {
    return nullptr;
}
void SetKeyboardFocus(WindowHandle) {}
void CaptureMouse(GameState&) {}
void ReleaseMouseCapture() {}
void SendDestroyMessage(GameState&) {}
