#include "instruments.h"

#include "envelopes.h"
#include "filters.h"
#include "oscillators.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gensounds {
namespace {

// Pitch factor of a vibrato that fades in over 0.1 s once `delay` has passed.
double Vibrato(double t, double cents, double hz, double delay) {
    if (cents == 0.0 || t < delay) {
        return 1.0;
    }
    const double depth = cents * std::min(1.0, (t - delay) / 0.1);
    return std::exp2(depth / 1200.0 * std::sin(2.0 * std::numbers::pi * hz * (t - delay)));
}

// A straight fade over the last `release` seconds of a note lasting `seconds`.
double Release(double t, double seconds, double release) {
    return std::clamp((seconds - t) / release, 0.0, 1.0);
}

} // namespace

Signal Render(const PulseNote& note) {
    Signal out(SamplesFor(note.seconds));
    Oscillator osc;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(i);
        const double hz =
            note.hz * Vibrato(t, note.vibratoCents, note.vibratoHz, note.vibratoDelay);
        const double level =
            AttackDecay(t, note.attack, note.decay) * Release(t, note.seconds, note.release);
        out[i] = 0.5 * level * NextPulse(osc, hz, note.duty);
    }
    return out;
}

Signal Render(const FmBell& bell) {
    Signal out(SamplesFor(bell.seconds));
    Oscillator carrier;
    Oscillator modulator;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(i);
        const double index = bell.strikeIndex * std::exp(-t / bell.strikeDecay);
        const double mod = index * NextSine(modulator, bell.hz * bell.modulatorRatio);
        out[i] = AttackDecay(t, 0.002, bell.ringDecay) * NextSine(carrier, bell.hz, mod);
    }
    return out;
}

Signal Render(const WahNote& note) {
    Signal out(SamplesFor(note.seconds));
    Oscillator osc;
    StateVariableFilter filter;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(i);
        double hz = note.hz;
        if (t > note.fallStart) {
            hz = Glide(t - note.fallStart, note.hz, note.fallToHz, note.seconds - note.fallStart);
        }
        hz *= Vibrato(t, note.vibratoCents, note.vibratoHz, note.vibratoDelay);
        // The mute opening: bright after 50 ms, then closing to a dull hum.
        const double cutoff = 350.0 + 2600.0 * AttackDecay(t, 0.05, 0.16);
        const double level = Segments(t, {{0.0, 0.0}, {0.012, 1.0}, {note.seconds, 0.8}}) *
                             Release(t, note.seconds, note.release);
        out[i] = level * filter.Process(NextSaw(osc, hz), cutoff, 2.0).low;
    }
    return out;
}

} // namespace gensounds
