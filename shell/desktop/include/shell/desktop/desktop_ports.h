#pragma once

#include "render/render_window.h"
#include "shell/main_window.h"
#include "shell/shell_ports.h"

// The ports of a main window on the platform's window system: the renderer
// draws into the window's record, the sound plays through the platform's
// audio, the menu is the record's menu bar, the panel and dialogs are the
// shell's own. The game and the headless runner plug in these.
class DesktopPorts final : public ShellPorts, private RenderWindow {
  public:
    explicit DesktopPorts(MainWindow& window);

    // The game core's ports.
    void DrawFullFrame(GameState& state) override;
    void DrawPartialFrame(GameState& state) override;
    void DrawJumpGauge(GameState& state) override;
    void DrawFloorCounter(GameState& state) override;
    void DrawDifficultyAndBest(GameState& state) override;
    void DrawJumpCount(GameState& state) override;
    void FillWindowRectBlack(GameState& state, std::int32_t left, std::int32_t top,
                             std::int32_t right, std::int32_t bottom) override;
    void PlayEffect(GameState& state, int effectId) override;
    void PlayMusic(GameState& state) override;
    void StopMusic(GameState& state) override;
    void CreateStartPanel(GameState& state) override;
    void DestroyStartPanel(GameState& state) override;
    void RunNameEntryDialog(GameState& state) override;
    std::int32_t RunClearBest5Dialog(GameState& state) override;
    void UpdateMenuChecks(GameState& state) override;
    void SwitchMenuToPlayState(GameState& state) override;
    void SwitchMenuToTitleState(GameState& state) override;
    void RedrawMenuBar(GameState& state) override;
    void SetPauseItemLabel(GameState& state, bool paused) override;
    void CheckMenuItem(GameState& state, int commandId, bool checked) override;
    WindowHandle GetKeyboardFocus(GameState& state) override;
    void SetKeyboardFocus(GameState& state, WindowHandle window) override;
    void CaptureMouse(GameState& state) override;
    void ReleaseMouseCapture(GameState& state) override;
    void SendDestroyMessage(GameState& state) override;

    // The main window's own.
    void CreateSurfaces() override;
    void ReleaseSurfaces() override;
    void PaintWindow() override;
    void DrawJumpCountLabel() override;
    void LoadEffects() override;
    void ReleaseEffects() override;
    void OpenMusic() override;
    void CloseMusic() override;
    void DrawBest5Pages() override;
    void RunAboutDialog() override;
    void ShowMainWindow() override;
    std::uint32_t CreateTickTimer() override;
    void SoundDefaultBeep() override;
    std::uint32_t GetTickCount() override;
    void ShowHelpTopics() override;
    void CloseHelp() override;
    void PostQuitMessage(int exitCode) override;
    void TellSettingsProblem(const std::string& message, const std::string& logLine) override;
    bool OfferToRetrySave(const std::string& message, const std::string& logLine) override;

  private:
    // The renderer's window: the main window itself.
    ContextHandle DrawingContext() override;
    void BeginPaint() override;
    void EndPaint() override;
    void InvalidateClient() override;

    MainWindow& window_;
};
