// VARNISK.EXE: the program entry on Windows.
//
// A GUI program has no console to print on, so there are no command-line
// options here: what `varnisk --help` and `--version` say on Linux, the
// help page and the file's properties say on Windows. Whatever Explorer or
// a shortcut passes on the command line is ignored.

#include "play_on_windows.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return PlayOnWindows();
}
