#pragma once

#include <vector>

namespace gensounds {

// A linear ramp up over `attack` seconds, then a fall by a factor e every
// `decay` seconds: the shape of anything struck or plucked.
double AttackDecay(double t, double attack, double decay);

// One corner of a piecewise-linear envelope.
struct Breakpoint {
    double time;
    double level;
};

// The level at `t` on straight lines between the corners (sorted by time);
// before the first and after the last corner it holds their levels.
double Segments(double t, const std::vector<Breakpoint>& corners);

// A glide from `fromHz` to `toHz` over `seconds`, even in pitch (exponential in
// frequency) so a sweep sounds like it climbs at one steady rate; holds `toHz` after.
double Glide(double t, double fromHz, double toHz, double seconds);

} // namespace gensounds
