#pragma once

#include "base/rect.h"
#include "core/game_state.h"

#include <cstdint>

// The shaft: fourteen slots of floors, ground and walls that scroll, recycle
// at the top, slide, spring back and carry the character.

// The level that sets how wide floors zigzag and how often special floors
// come: the difficulty's start level plus one per 50 floors, at most 4.
std::int32_t FloorLevel(std::int32_t difficulty, std::int32_t floorCount);

// Both draw from the game's generator: the kind one number, the place one.
FloorKind ChooseFloorKind(Random& random, std::int32_t difficulty, std::int32_t floorCount,
                          std::int32_t floorFlags);
std::int32_t ChooseFloorX(Random& random, std::int32_t difficulty, std::int32_t floorCount,
                          std::int32_t row);

void LayOutField(GameState& state);
void ScrollField(GameState& state, std::int32_t dy);
// Marks every slot for the next partial frame to draw again, as a scroll by
// nothing does (walls and floors settle by the scroll's rules too).
void MarkAllSlotsForRedraw(GameState& state);
void MoveFloors(GameState& state);

// The strip the character's feet must meet to land on a slot.
Rect FloorTopLine(const GameState& state, int slot);
