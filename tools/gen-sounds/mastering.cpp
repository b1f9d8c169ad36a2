#include "mastering.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gensounds {

double RmsOf(const Signal& signal) {
    if (signal.empty()) {
        return 0.0;
    }
    double sum = 0.0;
    for (double x : signal) {
        sum += x * x;
    }
    return std::sqrt(sum / static_cast<double>(signal.size()));
}

double PeakOf(const Signal& signal) {
    double peak = 0.0;
    for (double x : signal) {
        peak = std::max(peak, std::abs(x));
    }
    return peak;
}

void NormalizeLoudness(Signal& signal, double targetRms, double peakLimit) {
    const double rms = RmsOf(signal);
    const double peak = PeakOf(signal);
    if (rms <= 0.0 || peak <= 0.0) {
        return;
    }
    const double gain = std::min(targetRms / rms, peakLimit / peak);
    for (double& x : signal) {
        x *= gain;
    }
}

void Saturate(Signal& signal, double drive) {
    const double peak = PeakOf(signal);
    if (drive <= 0.0 || peak <= 0.0) {
        return;
    }
    for (double& x : signal) {
        x = std::tanh(drive * x / peak) / std::tanh(drive);
    }
}

void ApplyEdgeFades(Signal& signal, double fadeInSeconds, double fadeOutSeconds) {
    const std::size_t n = signal.size();
    const std::size_t fadeIn = std::min(n, SamplesFor(fadeInSeconds));
    const std::size_t fadeOut = std::min(n, SamplesFor(fadeOutSeconds));
    // Gain 0 on the very first and very last sample, rising along half a cosine.
    for (std::size_t i = 0; i < fadeIn; ++i) {
        const double x = static_cast<double>(i) / static_cast<double>(fadeIn);
        signal[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * x);
    }
    for (std::size_t i = 0; i < fadeOut; ++i) {
        const double x = static_cast<double>(i) / static_cast<double>(fadeOut);
        signal[n - 1 - i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * x);
    }
}

std::vector<std::uint8_t> ToUnsigned8(const Signal& signal) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(signal.size());
    for (double x : signal) {
        const long level = std::lround(128.0 + 127.0 * x);
        bytes.push_back(static_cast<std::uint8_t>(std::clamp(level, 1L, 254L)));
    }
    return bytes;
}

} // namespace gensounds
