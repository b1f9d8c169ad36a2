// VARNISK: the program entry on the desktop.

#include "audio/audio.h"
#include "persist/settings_file.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/user/user.h"
#include "shell/desktop/music_file.h"
#include "shell/desktop/program.h"
#include "shell/main_window.h"

int main() {
    // One settings and records file, read at start-up and replaced at the end.
    const std::filesystem::path settings = SettingsFilePath();
    SetStartupOptions({settings, settings, std::nullopt});
    SetMusicFile(LocateMusicFile());
    SdlBackend backend;
    backend.RequestZoom(LoadZoomSetting(settings));
    StartWindowSystem(backend);
    const int exitCode = RunGame();
    ShutdownWindowSystem();
    return exitCode;
}
