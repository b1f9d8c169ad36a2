#pragma once

#include "core/game_state.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// The runner's output: one JSON object a line, a fixed interface that other
// programs parse. Keys are only ever added, never renamed or reordered.

void WriteTraceLine(std::ostream& out, std::int64_t tick, const GameState& state,
                    const std::vector<int>& sounds, const std::vector<std::string>& music);

void WriteFinalLine(std::ostream& out, const GameState& state, const std::vector<int>& sounds,
                    const std::vector<std::string>& music);

// A JSON string literal; bytes that are not valid UTF-8 are written as the
// code points of the same value, so the line stays valid JSON.
std::string JsonString(std::string_view text);
