#include "core/record_table.h"

#include <algorithm>

bool IsBetterRecord(const RecordEntry& a, const RecordEntry& b) {
    return a.score > b.score || (a.score == b.score && a.jumps < b.jumps);
}

void ResetRecordTable(RecordTable& table) {
    for (int i = 0; i < recordPlaces; ++i) {
        RecordEntry& entry = table[i];
        entry.score = recordPlaces - i;
        entry.jumps = (recordPlaces - i) * 2;
        SetName(entry.name, defaultHolderName);
    }
}

void SortRecordTable(RecordTable& table) {
    std::stable_sort(table.begin(), table.end(), IsBetterRecord);
}
