#pragma once

#include "core/game_state.h"
#include "shell/menu_bar.h"
#include "shell/shell_ports.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Ports that write down each call, in order, as a short text ("PlayEffect
// 141", "CheckMenuItem 40007 0", "StopMusic"), and answer the dialogs and the
// system as told. Plugged into a game record (core tests) or a main window's
// record (shell tests).
class RecordingPorts final : public ShellPorts {
public:
    // What the game record held when a drawing port was called, for the rules
    // about drawing before or after a change.
    struct DrawSnapshot {
        std::string call; // "DrawFullFrame", "DrawPartialFrame" or "DrawFloorCounter"
        GameMode mode;
        std::int32_t playerX;
        std::int32_t playerY;
        std::int32_t rollPhase;
        std::int32_t shownFloor;
    };

    std::vector<std::string> calls;
    std::vector<DrawSnapshot> draws;

    // What the dialogs answer. The name dialog stores `name` in lastInputName
    // unless keepPreset.
    bool keepPreset = true;
    std::string name;
    std::int32_t clearChoice = 1;
    // Called inside RunNameEntryDialog, so tests can look at the state there.
    std::function<void(GameState&)> onNameDialog;
    // What the tick timer and the tick count answer.
    std::uint32_t tickTimer = 1;
    std::uint32_t tickCount = 1;
    // Where the menu ports act as the game's own, when a test gives one.
    MenuBar* menu = nullptr;

    void Clear();
    // Calls whose text starts with the given prefix.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
    // The effects played since the last Clear, in order.
    std::vector<int> Effects() const;

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

private:
    void Record(std::string call);
    void RecordDraw(const char* call, const GameState& state);
};

// A zero-filled game record with the start values of a fresh window:
// settings at their defaults, title mode, a laid-out field, on these ports
// (their record cleared).
GameState MakeTitleState(RecordingPorts& ports, std::uint32_t seed = 1);
