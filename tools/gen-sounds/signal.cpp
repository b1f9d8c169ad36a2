#include "signal.h"

#include <cmath>

namespace gensounds {

std::size_t SamplesFor(double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * kSampleRate));
}

void MixInto(Signal& target, const Signal& source, std::size_t offset, double gain) {
    for (std::size_t i = 0; i < source.size() && offset + i < target.size(); ++i) {
        target[offset + i] += gain * source[i];
    }
}

} // namespace gensounds
