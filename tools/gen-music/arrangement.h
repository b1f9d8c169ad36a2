#pragma once

#include "composition.h"
#include "midi_writer.h"

#include <cstdint>
#include <vector>

namespace genmusic {

struct Arrangement {
    std::vector<MidiTrack> tracks; // the conductor first, then one per instrument
    uint32_t endTick = 0;          // the last bar line, where every track ends
};

// Lays the song out bar by bar on all parts. Throws if a bar's tune does not
// fill the bar exactly.
Arrangement ArrangeSong(const std::vector<Section>& song);

} // namespace genmusic
