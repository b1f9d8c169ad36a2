#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A font file found through the system's font configuration.
struct FontFace {
    std::string file;
    std::int32_t index = 0; // the face within a collection file
    bool bold = false;      // the face itself is bold
};

// The best face of exactly this family (case-insensitive) near the weight
// (400 normal, 700 bold); nothing when the family is not installed, even if
// the configuration would substitute another one.
std::optional<FontFace> FindFontFace(std::string_view family, std::int32_t weight);
// The configuration's own choice for a sans face, whatever its family:
// nothing only when no font is installed at all.
std::optional<FontFace> FindDefaultFontFace(std::int32_t weight);
