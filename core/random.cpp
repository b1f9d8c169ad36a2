#include "core/random.h"

std::int32_t NextRandom(Random& random) {
    random.state = random.state * 1103515245u + 12345u; // wraps modulo 2^32
    return static_cast<std::int32_t>((random.state >> 16) & 0x7FFFu);
}
