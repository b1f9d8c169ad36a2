// Stand-ins for the sound, the start panel and the dialogs of the headless
// runner: effects and music are written down for the trace, the dialogs are
// answered from the script.

#include "core/ports.h"
#include "shell/shell_ports.h"
#include "tools/varnisk-sim/sim_host.h"

SimHost& Host() {
    static SimHost host;
    return host;
}

void ResetHost() {
    Host() = SimHost{};
}

// Effects and music are recorded, not heard; blocking effects take no time.
void PlayEffect(GameState&, int effectId) {
    Host().sounds.push_back(effectId);
}
void PlayMusic(GameState&) {
    Host().music.emplace_back("play");
}
void StopMusic(GameState&) {
    Host().music.emplace_back("stop");
}
void LoadEffects(GameState&) {}
void ReleaseEffects(GameState&) {}
std::uint32_t OpenMusic(GameState&) {
    return 1;
}
void CloseMusic(GameState&) {}

// The start panel and the dialogs answer at once.
void CreateStartPanel(GameState&) {}
void DestroyStartPanel() {}
void DrawBest5Pages(GameState&) {}
void RunNameEntryDialog(GameState& state) {
    if (Host().nextName) {
        SetName(state.lastInputName, *Host().nextName);
        Host().nextName.reset();
    }
}
std::int32_t RunClearBest5Dialog(GameState&) {
    const std::int32_t choice = Host().nextClearChoice.value_or(1); // opens on "Clear All"
    Host().nextClearChoice.reset();
    return choice;
}
void RunAboutDialog(GameState&) {}
