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

    void DrawFullFrame(GameState& state) override { RecordDraw("DrawFullFrame", state); }
    void DrawPartialFrame(GameState& state) override { RecordDraw("DrawPartialFrame", state); }
    void DrawJumpGauge(GameState& state) override {
        Record("DrawJumpGauge " + std::to_string(state.jumpPower));
    }
    void DrawFloorCounter(GameState& state) override { RecordDraw("DrawFloorCounter", state); }
    void DrawDifficultyAndBest(GameState&) override { Record("DrawDifficultyAndBest"); }
    void DrawJumpCount(GameState& state) override {
        Record("DrawJumpCount " + std::to_string(state.jumpCount));
    }
    void FillWindowRectBlack(GameState& state, std::int32_t left, std::int32_t top,
                             std::int32_t right, std::int32_t bottom) override;
    void PlayEffect(GameState&, int effectId) override {
        Record("PlayEffect " + std::to_string(effectId));
    }
    void PlayMusic(GameState&) override { Record("PlayMusic"); }
    void StopMusic(GameState&) override { Record("StopMusic"); }
    void CreateStartPanel(GameState&) override { Record("CreateStartPanel"); }
    void DestroyStartPanel(GameState&) override { Record("DestroyStartPanel"); }
    void RunNameEntryDialog(GameState& state) override;
    std::int32_t RunClearBest5Dialog(GameState& state) override;
    void UpdateMenuChecks(GameState& state) override;
    void SwitchMenuToPlayState(GameState& state) override;
    void SwitchMenuToTitleState(GameState& state) override;
    void RedrawMenuBar(GameState&) override { Record("RedrawMenuBar"); }
    void SetPauseItemLabel(GameState& state, bool paused) override;
    void CheckMenuItem(GameState& state, int commandId, bool checked) override;
    WindowHandle GetKeyboardFocus(GameState& state) override;
    void SetKeyboardFocus(GameState&, WindowHandle) override { Record("SetKeyboardFocus"); }
    void CaptureMouse(GameState&) override { Record("CaptureMouse"); }
    void ReleaseMouseCapture(GameState&) override { Record("ReleaseMouseCapture"); }
    void SendDestroyMessage(GameState&) override { Record("SendDestroyMessage"); }

    void CreateSurfaces() override { Record("CreateSurfaces"); }
    void ReleaseSurfaces() override { Record("ReleaseSurfaces"); }
    void PaintWindow() override { Record("PaintWindow"); }
    void DrawJumpCountLabel() override { Record("DrawJumpCountLabel"); }
    void LoadEffects() override { Record("LoadEffects"); }
    void ReleaseEffects() override { Record("ReleaseEffects"); }
    void OpenMusic() override { Record("OpenMusic"); }
    void CloseMusic() override { Record("CloseMusic"); }
    void DrawBest5Pages() override { Record("DrawBest5Pages"); }
    void RunAboutDialog() override { Record("RunAboutDialog"); }
    void ShowMainWindow() override { Record("ShowMainWindow"); }
    std::uint32_t CreateTickTimer() override;
    void SoundDefaultBeep() override { Record("SoundDefaultBeep"); }
    std::uint32_t GetTickCount() override;
    void ShowHelpTopics() override { Record("ShowHelpTopics"); }
    void CloseHelp() override { Record("CloseHelp"); }
    void PostQuitMessage(int exitCode) override {
        Record("PostQuitMessage " + std::to_string(exitCode));
    }
    // Each problem told, in full; a save is retried while retrySaves lasts.
    void TellSettingsProblem(const std::string& message, const std::string& logLine) override {
        Record("TellSettingsProblem " + message + " | " + logLine);
    }
    bool OfferToRetrySave(const std::string& message, const std::string& logLine) override {
        Record("OfferToRetrySave " + message + " | " + logLine);
        return retrySaves-- > 0;
    }
    int retrySaves = 0;

  private:
    void Record(std::string call);
    void RecordDraw(const char* call, const GameState& state);
};

// A zero-filled game record with the start values of a fresh window:
// settings at their defaults, title mode, a laid-out field, on these ports
// (their record cleared).
GameState MakeTitleState(RecordingPorts& ports, std::uint32_t seed = 1);
