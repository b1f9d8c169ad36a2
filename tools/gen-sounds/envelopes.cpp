#include "envelopes.h"

#include <algorithm>
#include <cmath>

namespace gensounds {

double AttackDecay(double t, double attack, double decay) {
    if (t < 0.0) {
        return 0.0;
    }
    if (t < attack) {
        return t / attack;
    }
    return std::exp(-(t - attack) / decay);
}

double Segments(double t, const std::vector<Breakpoint>& corners) {
    if (corners.empty()) {
        return 0.0;
    }
    if (t <= corners.front().time) {
        return corners.front().level;
    }
    for (std::size_t i = 1; i < corners.size(); ++i) {
        const Breakpoint& a = corners[i - 1];
        const Breakpoint& b = corners[i];
        if (t < b.time) {
            const double span = b.time - a.time;
            return span <= 0.0 ? b.level : a.level + (b.level - a.level) * (t - a.time) / span;
        }
    }
    return corners.back().level;
}

double Glide(double t, double fromHz, double toHz, double seconds) {
    const double x = std::clamp(t / seconds, 0.0, 1.0);
    return fromHz * std::pow(toHz / fromHz, x);
}

} // namespace gensounds
