#pragma once

#include "signal.h"

namespace gensounds {

// The voices the jingles are played on.

// One note on a pulse wave, the lead voice of the era's sound chips.
struct PulseNote {
    double seconds = 0.1;
    double hz = 440.0;
    double duty = 0.25;
    double attack = 0.002;
    double decay = 10.0;    // seconds per fall by e; long means held
    double release = 0.012; // fade at the note's end, so notes in a row stay apart
    double vibratoCents = 0.0;
    double vibratoHz = 6.0;
    double vibratoDelay = 0.1; // a held note starts straight and then begins to sing
};
Signal Render(const PulseNote& note);

// A bell from two-operator FM: a modulator at an inharmonic ratio gives the
// metallic strike, and its depth dying away leaves a pure ringing tone.
struct FmBell {
    double seconds = 1.0;
    double hz = 1000.0;
    double modulatorRatio = 3.5;
    double strikeIndex = 2.2; // modulation depth at the strike
    double strikeDecay = 0.2; // how fast the metallic edge goes
    double ringDecay = 0.45;  // how long the tone rings
};
Signal Render(const FmBell& bell);

// A muted-brass "wah": a sawtooth through a low-pass whose cutoff opens at the
// start of the note and closes again. The pitch can fall along the way.
struct WahNote {
    double seconds = 0.25;
    double hz = 392.0;
    double fallStart = 1e9;  // seconds into the note where the pitch starts to drop
    double fallToHz = 392.0; // where the drop ends, at the note's end
    double vibratoCents = 0.0;
    double vibratoHz = 5.5;
    double vibratoDelay = 0.15;
    double release = 0.03;
};
Signal Render(const WahNote& note);

} // namespace gensounds
