// VARNISK: the program entry on the desktop.

#include "platform/sdl/sdl_backend.h"
#include "platform/user/user.h"
#include "shell/desktop/program.h"

int main() {
    SdlBackend backend;
    StartWindowSystem(backend);
    const int exitCode = RunGame();
    ShutdownWindowSystem();
    return exitCode;
}
