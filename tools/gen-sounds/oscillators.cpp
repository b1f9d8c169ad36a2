#include "oscillators.h"

#include "signal.h"

#include <cmath>
#include <numbers>

namespace gensounds {
namespace {

// The residual that turns a naive step at phase 0 into a band-limited one.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Wrap(double phase) {
    return phase - std::floor(phase);
}

double Advance(Oscillator& osc, double hz) {
    const double before = osc.phase;
    osc.phase = Wrap(osc.phase + hz / kSampleRate);
    return before;
}

double BandLimitedSaw(double phase, double dt) {
    return 2.0 * phase - 1.0 - PolyBlep(phase, dt);
}

} // namespace

double NextSine(Oscillator& osc, double hz, double bendRadians) {
    return std::sin(2.0 * std::numbers::pi * Advance(osc, hz) + bendRadians);
}

double NextTriangle(Oscillator& osc, double hz) {
    const double p = Advance(osc, hz);
    return p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;
}

double NextSaw(Oscillator& osc, double hz) {
    const double dt = hz / kSampleRate;
    return BandLimitedSaw(Advance(osc, hz), dt);
}

double NextPulse(Oscillator& osc, double hz, double duty) {
    // The difference of two saws offset by the duty is a pulse whose mean is zero.
    const double dt = hz / kSampleRate;
    const double p = Advance(osc, hz);
    return BandLimitedSaw(p, dt) - BandLimitedSaw(Wrap(p + duty), dt);
}

double NoteHz(double midiNote) {
    return 440.0 * std::exp2((midiNote - 69.0) / 12.0);
}

} // namespace gensounds
