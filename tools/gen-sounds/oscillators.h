#pragma once

namespace gensounds {

// A phase accumulator, 0..1 per cycle. The frequency is given anew for every
// sample, which is how sweeps, glides and vibrato are made.
struct Oscillator {
    double phase = 0.0;
};

// `bendRadians` shifts this sample's phase: the hook for FM (phase modulation).
double NextSine(Oscillator& osc, double hz, double bendRadians = 0.0);
double NextTriangle(Oscillator& osc, double hz);

// Sawtooth and pulse are band-limited (PolyBLEP): at 11025 Hz a naive square
// above a few hundred hertz folds its harmonics back as harsh, off-key whistles.
double NextSaw(Oscillator& osc, double hz);

// A pulse wave of the given duty (0..1), centred so it carries no DC: a fade or
// a cut in the middle of a note then never leaves a step behind. Peak-to-peak 2.
double NextPulse(Oscillator& osc, double hz, double duty);

// Frequency of a MIDI note number (69 = A 440 Hz); fractional notes bend.
double NoteHz(double midiNote);

} // namespace gensounds
