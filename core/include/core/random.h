#pragma once

#include <cstdint>

// The game's own linear congruential generator. Each main window's game
// record holds one, seeded once at start-up, so consecutive games continue
// one sequence. A look-ahead (a test's player trying out jumps) copies it
// and puts it back.
struct Random {
    std::uint32_t state;
};

// Advances the state and returns bits 16..30 of it: 0..32767.
std::int32_t NextRandom(Random& random);

inline void SeedRandom(Random& random, std::uint32_t seed) {
    random.state = seed;
}
