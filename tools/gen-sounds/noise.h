#pragma once

#include <cstdint>

namespace gensounds {

// White noise from a fixed seed, so every run writes byte-identical files.
struct NoiseSource {
    std::uint32_t state;

    explicit NoiseSource(std::uint32_t seed) : state(seed == 0 ? 1u : seed) {}

    // The next value, evenly spread over -1..1.
    double Next();
};

} // namespace gensounds
