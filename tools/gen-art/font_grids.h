#pragma once

#include <string>
#include <vector>

// The game's own bitmap lettering, drawn as text grids ('#' is ink).

// Capitals, digits and a little punctuation, 5 wide and 7 tall.
const std::vector<std::string>& Glyph5x7(char c);

// The counter's digits (and the "F" after it): 8 wide, 12 tall, rounded.
const std::vector<std::string>& GlyphDigit8x12(char c);
