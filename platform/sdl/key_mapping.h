#pragma once

#include <SDL_keycode.h>

// The keys the game and its dialogs know, from SDL's layout-aware key codes
// to the virtual-key codes of backend.h. 0 for a key the game has no use for.
int VirtualKeyFromKeycode(SDL_Keycode key);
