#pragma once

#include "core/game_state.h"
#include "platform/user/user.h"

// The three modal dialogs: the name entry after a game that made the Best5,
// Clear Best5 and About. Each is owned by the main window, which it disables
// while it is open, and finds the game record through that owner. The
// Run...Dialog operations themselves are the game's ports (core/ports.h,
// shell/shell_ports.h).

// Moves a dialog to the middle of the desktop, which is the game's screen
// (the main window's menu bar and client area), keeping its size, and
// shows it.
void CenterOnDesktop(WindowHandle dialog);

// Whoever answers the dialogs in place of a person (the headless runner) is
// told when one of them has been set up and shown, before its loop takes the
// first message, and when it is about to be confirmed (OK, or Cancel where
// there is one), before it acts on its answer. nullptr, the game's case,
// tells nobody.
enum class DialogMoment { Shown, Confirming };
using DialogWatcher = void (*)(WindowHandle dialog, DialogMoment moment);
void SetDialogWatcher(DialogWatcher watcher);
void TellDialogWatcher(WindowHandle dialog, DialogMoment moment);

// The game record of the main window that owns a dialog.
GameState* OwnerState(WindowHandle dialog);

// Where the About picture (bitmap 123, 288 x 140) stands in its dialog.
inline constexpr int aboutPictureId = 123;
inline constexpr std::int32_t aboutPictureX = 13;
inline constexpr std::int32_t aboutPictureY = 12;
