// The headless runner's sound: effects and music are written down for the
// trace, not heard; blocking effects take no time.

#include "core/ports.h"
#include "shell/shell_ports.h"
#include "tools/varnisk-sim/sim_host.h"

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
