#pragma once

#include "signal.h"

#include <cstdint>
#include <vector>

namespace gensounds {

double RmsOf(const Signal& signal);
double PeakOf(const Signal& signal);

// Scales the effect to `targetRms` so all effects sound about equally loud,
// but lowers it instead wherever that would push a peak past `peakLimit`.
void NormalizeLoudness(Signal& signal, double targetRms, double peakLimit);

// Rounds off the peaks with a tanh curve (`drive` > 0; 0 leaves the signal
// alone). Spiky sounds like a clank or a thud then carry as loud as the tonal
// ones without clipping, and pick up a little of the era's grit.
void Saturate(Signal& signal, double drive);

// Raised-cosine fades over the first and last samples, so the file starts and
// ends exactly on silence and the sound device never hears a step.
void ApplyEdgeFades(Signal& signal, double fadeInSeconds, double fadeOutSeconds);

// Unsigned 8-bit samples around 128. Values are clamped to 1..254, so no
// sample ever sits on a rail: a rail sample is the sign of clipping.
std::vector<std::uint8_t> ToUnsigned8(const Signal& signal);

} // namespace gensounds
