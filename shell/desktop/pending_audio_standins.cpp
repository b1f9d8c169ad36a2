// The game's sound comes with its own piece of work; until then it is silent.

#include "core/ports.h"
#include "shell/shell_ports.h"

void PlayEffect(GameState&, int) {}
void PlayMusic(GameState&) {}
void StopMusic(GameState&) {}
void LoadEffects(GameState&) {}
void ReleaseEffects(GameState&) {}
std::uint32_t OpenMusic(GameState&) {
    return 0; // no music device
}
void CloseMusic(GameState&) {}
