// The background music: one MIDI piece on the platform's music device. It
// is played once per PlayMusic with a notice when it ends; the notice starts
// it again only while a game is played with the music on, which is what
// loops it (and why a stop, whose notice comes too, never restarts it).

#include "audio/audio.h"
#include "core/ports.h"
#include "platform/user/user.h"
#include "shell/shell_ports.h"

#include <utility>

namespace {

std::string musicFile{musicFileName};

// Plays from the beginning with the notice to the main window.
void PlayFromStart(GameState& state) {
    const WindowHandle window = state.window;
    const std::uint32_t device = state.musicDevice;
    const int error = CurrentBackend().PlayMidi(device, [window, device](std::uint32_t flags) {
        PostMessage(window, wm::mciNotify, flags, static_cast<LParam>(device));
    });
    if (error != 0) {
        ReportMusicError(state, error);
    }
}

} // namespace

void SetMusicFile(std::string path) {
    musicFile = std::move(path);
}

std::uint32_t OpenMusic(GameState& state) {
    int error = 0;
    const std::uint32_t device = CurrentBackend().OpenMidi(musicFile, error);
    if (device == 0) {
        ReportMusicError(state, error);
    }
    return device;
}

void PlayMusic(GameState& state) {
    PlayFromStart(state);
}

void StopMusic(GameState& state) {
    const int error = CurrentBackend().StopMidi(state.musicDevice);
    if (error != 0) {
        ReportMusicError(state, error);
    }
}

void OnMusicNotify(GameState& state, std::uint32_t device, std::uint32_t) {
    // Ended, stopped or superseded alike: only the state decides.
    if (device == state.musicDevice && state.mode == GameMode::Playing && state.musicOn != 0) {
        PlayFromStart(state);
    }
}

void CloseMusic(GameState& state) {
    const int error = CurrentBackend().CloseMidi(state.musicDevice);
    if (error != 0) {
        ReportMusicError(state, error);
    }
}

void ReportMusicError(GameState&, int error) {
    if (error == mci::errorFileNotFound) {
        MessageBox(musicErrorCaption, musicMissingText);
    }
}
