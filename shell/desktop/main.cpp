// VARNISK: the program entry on the desktop.

#include "persist/settings_file.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/user/user.h"
#include "shell/desktop/program.h"
#include "shell/main_window.h"

int main() {
    // One settings and records file, read at start-up and replaced at the end.
    const std::filesystem::path settings = SettingsFilePath();
    SetStartupOptions({settings, settings, std::nullopt});
    SdlBackend backend;
    StartWindowSystem(backend);
    const int exitCode = RunGame();
    ShutdownWindowSystem();
    return exitCode;
}
