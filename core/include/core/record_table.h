#pragma once

#include "core/game_state.h"

// The Best5 tables: five best games per difficulty, higher score first, then
// fewer jumps, then the older entry.

inline constexpr const char* defaultHolderName = "QUILLMARE";

// A better than B: more floors, or as many with fewer jumps.
bool IsBetterRecord(const RecordEntry& a, const RecordEntry& b);

// Writes the default table: scores 5..1 with twice as many jumps.
void ResetRecordTable(RecordTable& table);

// Puts a table into the book's order, keeping equal entries in their order.
void SortRecordTable(RecordTable& table);
