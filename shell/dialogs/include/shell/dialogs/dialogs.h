#pragma once

#include "platform/user/user.h"
#include "shell/main_window.h"

#include <cstdint>

// The three modal dialogs: the name entry after a game that made the Best5,
// Clear Best5 and About. Each is owned by the main window, which it disables
// while it is open, and finds the window's record through that owner.

// The name entry: lastInputName takes what was typed; when the dialog cannot
// be shown it keeps its earlier value.
void RunNameEntryDialog(MainWindow& window);
// 0 cancelled, 1 clear all, 2..4 clear Easy, Normal or Hard; -1 when the
// dialog could not be shown, which matches no table.
std::int32_t RunClearBest5Dialog(MainWindow& window);
void RunAboutDialog(MainWindow& window);

// Moves a dialog to the middle of the desktop, which is the game's screen
// (the main window's menu bar and client area), keeping its size, and
// shows it.
void CenterOnDesktop(WindowHandle dialog);

// The record of the main window that owns a dialog.
MainWindow* OwnerWindow(WindowHandle dialog);

// Tells the owner's dialog watcher, if it has one, that the dialog has come
// to this moment.
void TellDialogWatcher(WindowHandle dialog, DialogMoment moment);

// Where the About picture (bitmap 123, 288 x 140) stands in its dialog.
inline constexpr int aboutPictureId = 123;
inline constexpr std::int32_t aboutPictureX = 13;
inline constexpr std::int32_t aboutPictureY = 12;
