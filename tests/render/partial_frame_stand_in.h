// The partial redraw renderer is not part of this library yet: the repaint
// tests link this stand-in, which lets a test look at the state and the
// window at the moment the repaint asks for a partial frame.
#pragma once

#include "core/game_state.h"

#include <functional>

namespace render_test {

// Called with the state by every DrawPartialFrame; empty by default.
std::function<void(GameState&)>& OnPartialFrame();

} // namespace render_test
