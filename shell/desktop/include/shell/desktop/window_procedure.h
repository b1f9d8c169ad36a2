#pragma once

#include "platform/user/user.h"

// The main window's procedure: every message to its one handler, with the
// window's game record and what the handler uses of the message.
LResult MainWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

// Takes down a main window whose teardown has already run: its record is
// freed first, so nothing of the game runs again.
void DiscardMainWindow(WindowHandle window);
