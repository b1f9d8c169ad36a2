#pragma once

#include "core/ports.h"

#include <cstdint>
#include <string>

// What the main window's handlers ask of the renderer, the sound, the
// dialogs and the window system besides the game core's own ports, for the
// one window whose ports these are: resources made at start-up and let go at
// teardown, the repaint, the window, the timer, help and the dialogs the menu
// opens. The game and the runner plug in the desktop's; tests their own.
class ShellPorts : public GamePorts {
  public:
    ShellPorts() = default;
    ShellPorts(const ShellPorts&) = delete;
    ShellPorts& operator=(const ShellPorts&) = delete;
    virtual ~ShellPorts() = default;

    // The renderer's surfaces and palette, the repaint and the jump label.
    virtual void CreateSurfaces() = 0;
    virtual void ReleaseSurfaces() = 0;
    virtual void PaintWindow() = 0;
    virtual void DrawJumpCountLabel() = 0;

    // The effects and the music device (its device in the window's record).
    virtual void LoadEffects() = 0;
    virtual void ReleaseEffects() = 0;
    virtual void OpenMusic() = 0;
    virtual void CloseMusic() = 0;

    // The start panel's Best5 pages and the dialogs of the menu.
    virtual void DrawBest5Pages() = 0;
    virtual void RunAboutDialog() = 0;

    // The window and the system.
    virtual void ShowMainWindow() = 0;
    virtual std::uint32_t CreateTickTimer() = 0; // the timer id, 0 when none could be made
    virtual void SoundDefaultBeep() = 0;
    virtual std::uint32_t GetTickCount() = 0;
    virtual void ShowHelpTopics() = 0;
    virtual void CloseHelp() = 0;
    virtual void PostQuitMessage(int exitCode) = 0;

    // The settings file could not be read or saved: `message` for the player,
    // `logLine` for standard error. The save's question is answered true for
    // another try.
    virtual void TellSettingsProblem(const std::string& message, const std::string& logLine) = 0;
    virtual bool OfferToRetrySave(const std::string& message, const std::string& logLine) = 0;
};
