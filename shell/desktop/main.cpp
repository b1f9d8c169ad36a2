// VARNISK: the program entry on the desktop.

#include "persist/settings_file.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/user/user.h"
#include "shell/desktop/music_file.h"
#include "shell/desktop/program.h"
#include "shell/text_faces.h"

int main() {
    // One settings and records file, read at start-up and replaced at the end.
    const std::filesystem::path settings = SettingsFilePath();
    SdlBackend backend;
    backend.RequestZoom(LoadZoomSetting(settings));
    // Menus and dialogs are written in the game's own faces.
    StartWindowSystem(backend, {.faces = GameTextFaces()});
    const int exitCode = RunGame({settings, settings, std::nullopt, LocateMusicFile()});
    ShutdownWindowSystem();
    return exitCode;
}
