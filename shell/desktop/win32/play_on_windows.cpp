#include "play_on_windows.h"

#include "platform/win32/win32_backend.h"
#include "shell/desktop/program.h"

int PlayOnWindows() {
    Win32Backend backend;
    if (!backend.Initialised()) {
        return 1; // no window class: there is no desktop to tell it on
    }
    return PlayOnDesktop(backend, [&backend](std::int32_t zoom) { backend.RequestZoom(zoom); });
}
