#pragma once

#include "platform/user/backend.h"

#include <SDL_events.h>

// Turns one SDL event into the input event the game knows. False for an
// event the game has no use for (other mouse buttons, unknown keys, window
// moves, ...), which the caller skips.
bool TranslateEvent(const SDL_Event& sdlEvent, InputEvent& event);
