#pragma once

#include "signal.h"

#include <functional>
#include <string>
#include <vector>

namespace gensounds {

// One wave effect: its resource number, how long the game expects it to be, and
// how to render it.
struct Effect {
    int id;
    double seconds;
    std::string name;
    double loudness;      // RMS to master to; kept close together so no effect jumps out
    double drive;         // peak rounding before mastering, 0 for none
    double fadeInSeconds; // short, so the attack still feels immediate
    double fadeOutSeconds;
    std::function<Signal(std::size_t samples)> render;
};

// The twenty effects 141..160, in order.
std::vector<Effect> AllEffects();

} // namespace gensounds
