#pragma once

#include <cstdint>
#include <string>

// A scripted player for demos and whole-game tests: it plays a game in-process through
// the runner, trying out every jump power (after a short wait or none) on a
// copy of the game and taking the one that lands highest, until the floor
// count reaches its goal; then it lets the character fall out. What it did
// comes back as a runner script, so the same game can be replayed through
// varnisk-sim.
struct ClimbResult {
    std::string script;      // the events it sent, as script lines
    std::int64_t ticks = 0;  // how many game-timer messages the game took
    std::int32_t floors = 0; // the floor count the game ended with
    std::int32_t jumps = 0;
    bool ended = false; // the character fell out of the field
};

// difficultyCommand: 40006 Easy, 40007 Normal, 40008 Hard.
ClimbResult ClimbAndFall(std::uint32_t seed, int difficultyCommand, std::int32_t goalFloors,
                         const std::string& name, std::int64_t maxTicks);
