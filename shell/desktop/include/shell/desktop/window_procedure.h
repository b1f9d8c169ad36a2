#pragma once

#include "platform/user/user.h"
#include "shell/main_window.h"

// The main window's procedure: every message to its one handler, with the
// window's record and what the handler uses of the message. The record is
// made and owned by whoever creates the window, and handed over as the
// creation parameter; the window points to it from its first message
// (WM_NCCREATE) to its last (WM_NCDESTROY).
LResult MainWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

// The record of a main window, nullptr once it has let go of it.
MainWindow* MainWindowRecord(WindowHandle window);

// Takes down a main window whose teardown has already run: it lets go of its
// record first, so nothing of the game runs again.
void DiscardMainWindow(WindowHandle window);
