#include "filters.h"

#include "signal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gensounds {
namespace {

// Cutoffs near Nyquist make both filters misbehave; nothing here needs them.
double SafeCutoff(double hz) {
    return std::clamp(hz, 10.0, 0.45 * kSampleRate);
}

} // namespace

double OnePoleLowpass::Process(double x, double cutoffHz) {
    const double a = 1.0 - std::exp(-2.0 * std::numbers::pi * SafeCutoff(cutoffHz) / kSampleRate);
    state += a * (x - state);
    return state;
}

StateVariableFilter::Outputs StateVariableFilter::Process(double x, double cutoffHz,
                                                          double resonanceQ) {
    const double g = std::tan(std::numbers::pi * SafeCutoff(cutoffHz) / kSampleRate);
    const double k = 1.0 / resonanceQ;
    const double a1 = 1.0 / (1.0 + g * (g + k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = x - ic2;
    const double v1 = a1 * ic1 + a2 * v3;
    const double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0 * v1 - ic1;
    ic2 = 2.0 * v2 - ic2;
    return {v2, v1, x - k * v1 - v2};
}

double DcBlocker::Process(double x) {
    // A pole at 0.995 sits near 9 Hz: far below anything an effect plays.
    const double y = x - previousIn + 0.995 * previousOut;
    previousIn = x;
    previousOut = y;
    return y;
}

} // namespace gensounds
