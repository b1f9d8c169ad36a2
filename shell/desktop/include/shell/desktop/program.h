#pragma once

#include "platform/user/user.h"
#include "shell/main_window.h"

#include <functional>

// The program entry's steps, shared by the game and the headless runner:
// the window class, the main window, and the loop's handling of one
// message (accelerator first, then the start panel's dialog keys, then
// dispatch).

inline constexpr std::string_view mainClassName = "VarniskClass";
inline constexpr std::string_view mainWindowTitle = "VARNISK";
inline constexpr std::int32_t mainWindowWidth = 640;
inline constexpr std::int32_t mainWindowHeight = 480;
inline constexpr int mainIconId = 101;

bool RegisterMainWindowClass();
// The 640 x 480 main window centred on the desktop (not clamped to it), on
// the record the caller owns and keeps beyond the window; nullptr when it
// could not be made.
WindowHandle CreateMainWindow(MainWindow& record);
// What the message loop does with one message.
void ProcessMessage(WindowHandle mainWindow, const Message& message);
// The whole program on a started window system: returns the exit code.
int RunGame(const StartupOptions& options);
// The game on a desktop backend that is up, as both desktop programs run
// it: the zoom the settings file asks for goes to requestZoom before the
// window opens, the window system starts in the game's faces, the game plays
// with its settings and records file and its music, and the window system
// ends. Returns the exit code. A backend that can show the game fullscreen
// is told the file's choice the same way, and asked for its own when the
// game saves; without those, the file's Fullscreen key is left alone.
int PlayOnDesktop(Backend& backend, const std::function<void(std::int32_t zoom)>& requestZoom,
                  const std::function<void(bool fullscreen)>& requestFullscreen = {},
                  std::function<bool()> fullscreen = {});
