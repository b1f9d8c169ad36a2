#pragma once

#include <array>
#include <string_view>

// A player's name as the record book keeps it: at most 255 bytes of UTF-8 and
// a terminating zero in a 256-byte buffer, so the whole game record stays a
// plain, zero-fillable block.
inline constexpr int maxNameBytes = 255;
using Name = std::array<char, maxNameBytes + 1>;

// Cuts text to at most maxBytes bytes without splitting a UTF-8 sequence.
std::string_view CutAtCharacterBoundary(std::string_view text, int maxBytes);

// Stores text in a name buffer, cut at 255 bytes on a character boundary.
void SetName(Name& name, std::string_view text);

// The text of a name buffer, up to its terminator.
std::string_view NameText(const Name& name);
