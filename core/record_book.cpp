#include "core/record_book.h"

#include "core/ports.h"
#include "effects.h"

#include <utility>

namespace {

enum ClearBest5Choice : std::int32_t {
    ClearCancelled = 0,
    ClearAll = 1,
    ClearEasy = 2, // ClearEasy + d clears table d
};

bool Qualifies(const GameState& state, const RecordEntry& fifth) {
    return state.floorCount > fifth.score ||
           (state.floorCount == fifth.score && state.jumpCount < fifth.jumps);
}

} // namespace

void OfferRecord(GameState& state) {
    if (state.practiceDifficulty != 0) {
        return; // practice games are never recorded
    }
    RecordTable& table = state.records[state.difficulty - 1];
    RecordEntry& fifth = table[recordPlaces - 1];
    if (!Qualifies(state, fifth)) {
        return;
    }
    PlaySound(state, effect::record); // sounds while the name dialog opens
    RunNameEntryDialog(state);
    fifth.name = state.lastInputName;
    fifth.score = state.floorCount;
    fifth.jumps = state.jumpCount;
    // One pass from the bottom up carries the new entry to its place, below
    // every entry that is better or equal in both score and jumps.
    for (int i = recordPlaces - 1; i >= 1; --i) {
        if (IsBetterRecord(table[i], table[i - 1])) {
            std::swap(table[i - 1], table[i]);
        }
    }
}

void ApplyClearBest5(GameState& state) {
    const WindowHandle focus = GetKeyboardFocus(state);
    const std::int32_t choice = RunClearBest5Dialog(state);
    SetKeyboardFocus(state, focus);
    for (int d = 0; d < difficultyCount; ++d) {
        if (choice == ClearAll || choice == ClearEasy + d) {
            ResetRecordTable(state.records[d]);
        }
    }
    if (choice != ClearCancelled && state.mode == GameMode::Title) {
        // The start panel shows the tables: make it anew.
        DestroyStartPanel(state);
        CreateStartPanel(state);
    }
    DrawDifficultyAndBest(state);
}
