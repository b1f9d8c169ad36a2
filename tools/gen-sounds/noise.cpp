#include "noise.h"

namespace gensounds {

double NoiseSource::Next() {
    // xorshift32: tiny, fast, and the same on every machine.
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 2147483647.5 - 1.0;
}

} // namespace gensounds
