#pragma once

// The game on the Win32 backend, apart from the entry: the window system's
// names (GetFocus, PostQuitMessage, ...) are Win32's too, so the entry, which
// needs <windows.h>, never sees them. Returns the exit code.
int PlayOnWindows();
