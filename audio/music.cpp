// The background music: one MIDI piece on the platform's music device. It
// is played once per PlayMusic with a notice when it ends; the notice starts
// it again only while a game is played with the music on, which is what
// loops it (and why a stop, whose notice comes too, never restarts it).

#include "audio/audio.h"
#include "platform/user/backend.h"
#include "platform/user/dialog.h"
#include "platform/user/user.h"

namespace {

// Plays from the beginning with the notice to the main window.
void PlayFromStart(AudioResources& sound) {
    const WindowHandle window = sound.window;
    const std::uint32_t device = sound.musicDevice;
    const int error = CurrentBackend().PlayMidi(device, [window, device](std::uint32_t flags) {
        PostMessage(window, wm::mciNotify, flags, static_cast<LParam>(device));
    });
    if (error != 0) {
        ReportMusicError(sound.window, error);
    }
}

} // namespace

void OpenMusic(AudioResources& sound, std::string_view file) {
    int error = 0;
    sound.musicDevice = CurrentBackend().OpenMidi(file, error);
    if (sound.musicDevice == 0) {
        ReportMusicError(sound.window, error);
    }
}

void PlayMusic(AudioResources& sound) {
    PlayFromStart(sound);
}

void StopMusic(AudioResources& sound) {
    const int error = CurrentBackend().StopMidi(sound.musicDevice);
    if (error != 0) {
        ReportMusicError(sound.window, error);
    }
}

void OnMusicNotify(const GameState& state, AudioResources& sound, std::uint32_t device,
                   std::uint32_t) {
    // Ended, stopped or superseded alike: only the state decides.
    if (device == sound.musicDevice && state.mode == GameMode::Playing && state.musicOn != 0) {
        PlayFromStart(sound);
    }
}

void CloseMusic(AudioResources& sound) {
    const int error = CurrentBackend().CloseMidi(sound.musicDevice);
    if (error != 0) {
        ReportMusicError(sound.window, error);
    }
}

void ReportMusicError(WindowHandle window, int error) {
    if (error == mci::errorFileNotFound) {
        MessageBox(window, musicMissingText, musicErrorCaption, mb::ok | mb::iconExclamation);
    }
}
