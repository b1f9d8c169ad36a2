// What the game and its main window ask of the window system, done on the
// platform: showing the window, the tick timer, focus, capture, the menu
// bar, the destroy message, help and the system's little services.

#include "core/ports.h"
#include "platform/user/user.h"
#include "data_files.h"
#include "shell/shell_ports.h"

void ShowMainWindow(GameState& state) {
    ShowWindow(state.window, true);
}

std::uint32_t CreateTickTimer(GameState& state) {
    constexpr std::uint32_t tickTimerId = 1;
    constexpr std::uint32_t tickMilliseconds = 40;
    return SetTimer(state.window, tickTimerId, tickMilliseconds);
}

void SoundDefaultBeep() {
    MessageBeep();
}

void DrawMenuBarOf(GameState& state) {
    DrawMenuBar(state.window);
}

void ShowHelpTopics(GameState&) {
    // A missing page or a browser that will not open is no error of the game's.
    if (const std::string url = HelpPageUrl(); !url.empty()) {
        OpenUrl(url);
    }
}

void CloseHelp(GameState&) {
    // The browser's page is the player's: there is nothing of ours to close.
}

WindowHandle GetKeyboardFocus() {
    return GetFocus();
}

void SetKeyboardFocus(WindowHandle window) {
    SetFocus(window);
}

void CaptureMouse(GameState& state) {
    SetCapture(state.window);
}

void ReleaseMouseCapture() {
    ReleaseCapture();
}

void SendDestroyMessage(GameState& state) {
    SendMessage(state.window, wm::destroy, 0, 0);
}
