#pragma once

#include <cstdint>

// The game's own linear congruential generator. Its state is one value for
// the whole program, seeded once at start-up, so consecutive games continue
// one sequence.

// Advances the state and returns bits 16..30 of it: 0..32767.
std::int32_t NextRandom();

void SeedRandom(std::uint32_t seed);

// The generator's state as it stands, so that a look-ahead (a test's player
// trying out jumps) can put it back with SeedRandom.
std::uint32_t RandomState();
