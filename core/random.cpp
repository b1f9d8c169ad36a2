#include "core/random.h"

namespace {

std::uint32_t randomState = 1;

} // namespace

std::int32_t NextRandom() {
    randomState = randomState * 1103515245u + 12345u; // wraps modulo 2^32
    return static_cast<std::int32_t>((randomState >> 16) & 0x7FFFu);
}

void SeedRandom(std::uint32_t seed) {
    randomState = seed;
}

std::uint32_t RandomState() {
    return randomState;
}
