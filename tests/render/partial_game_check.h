// Long games played in the SpeedUp mode, every partial frame checked against
// the same state composed from scratch on black. Each pixel that differs is
// put down to the rule of the partial redraw that explains it, or counted as
// a fault.
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct RuleCount {
    std::int64_t pixels = 0;
    std::int64_t frames = 0; // frames in which the rule showed
};

struct PartialGameFigures {
    std::int64_t ticks = 0;
    std::int64_t frames = 0;          // partial frames checked
    std::int64_t framesDiffering = 0; // frames unlike the composition anywhere
    std::int32_t floors = 0;          // the floor count the game ended with
    std::int32_t pauses = 0;
    std::map<std::string, RuleCount> byRule;
    std::int64_t faults = 0; // pixels no rule explains
    std::string firstFault;  // where and when the first of them was
};

// Replays a climber's game (a runner script that ends with the fall out of
// the field, made by varnisk-climber with the same seed) with SpeedUp
// switched on in the title, a pause every pauseEvery ticks, the option
// switched off and on again once during play, and some ticks of the title
// after the game.
PartialGameFigures CheckPartialGame(const std::string& climbScript, std::uint32_t seed,
                                    std::int64_t pauseEvery);
