#pragma once

#include "core/game_state.h"

#include <cstdint>
#include <string>

// Pages 1 to 3 of panelImage: the Best5 tables of Easy, Normal and Hard,
// drawn once per panel creation and per layout change so that a page tick is
// a plain copy. (DrawBest5Pages itself is declared with the shell's ports.)

// Where a table's columns stand: the place label at placeX, scores ending at
// scoreRight, "F" at floorX, the jump count "(n)" at jumpsX (or not drawn),
// the name at nameX.
struct Best5Layout {
    std::int32_t placeX;
    std::int32_t scoreRight;
    std::int32_t floorX;
    std::int32_t jumpsX; // -1: no jump column
    std::int32_t nameX;
};
inline constexpr Best5Layout plainBest5Layout{20, 83, 87, -1, 119};
inline constexpr Best5Layout jumpsBest5Layout{10, 69, 73, 89, 135};
const Best5Layout& Best5LayoutFor(std::int32_t showJumpCount);

// The page title of table d (0 Easy, 1 Normal, 2 Hard).
std::string Best5Title(int table);

// Text colours of the three tables: the palette's static yellow, cyan and
// magenta.
inline constexpr std::uint8_t best5TextColors[difficultyCount] = {251, 254, 253};
// The pages' face, its cell height, and where the rows stand on a page.
inline constexpr std::int32_t best5CellHeight = 13;
inline constexpr std::int32_t best5TitleX = 48;
inline constexpr std::int32_t best5TitleY = 14;
inline constexpr std::int32_t best5FirstRowY = 34;
inline constexpr std::int32_t best5RowStep = 20;
