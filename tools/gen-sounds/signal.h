#pragma once

#include <cstddef>
#include <vector>

namespace gensounds {

// Effects are rendered at the rate the game plays them, so what we tune here is
// exactly what ends up in the files.
inline constexpr int kSampleRate = 11025;

// One rendered effect: one channel, nominally within -1..1 before mastering.
using Signal = std::vector<double>;

// The number of samples in `seconds`, rounded to the nearest sample.
std::size_t SamplesFor(double seconds);

// The time in seconds at which sample `index` plays.
inline double TimeOf(std::size_t index) {
    return static_cast<double>(index) / kSampleRate;
}

// Adds `source` times `gain` into `target`, starting `offset` samples in; whatever
// runs past the end of `target` is dropped, so phrases can be laid out freely.
void MixInto(Signal& target, const Signal& source, std::size_t offset, double gain);

} // namespace gensounds
