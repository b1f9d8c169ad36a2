// The background music is restarted from its beginning every time it ends,
// so besides being a valid Standard MIDI File it has to end cleanly on a bar
// line with nothing left sounding.

#include "tests/assets/asset_readers.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

using namespace asset_readers;

const Midi bgm = ReadMidi("music/bgm1.mid");

// Timed in ticks per quarter, every track closed by its end-of-track; and a
// loop that stumbles is heard every minute or so, so the song stops exactly
// on a bar line, every track with it.
TEST(Bgm1, IsWellFormedLastsOneToTwoMinutesAndEveryTrackStopsOnTheSameBarLine) {
    ASSERT_EQ(bgm.error, "");
    EXPECT_TRUE(bgm.format == 1 || (bgm.format == 0 && bgm.tracks.size() == 1)) << bgm.format;
    EXPECT_EQ(bgm.declaredTracks, static_cast<int>(bgm.tracks.size()));
    EXPECT_TRUE(bgm.division > 0 && bgm.division < 0x8000) << "not SMPTE frames";
    ASSERT_FALSE(bgm.tracks.empty() || bgm.tracks[0].empty());
    const std::uint32_t end = bgm.tracks[0].back().tick;
    for (const auto& track : bgm.tracks)
        EXPECT_TRUE(!track.empty() && track.back().IsMeta(kEndOfTrack) && track.back().tick == end);
    const std::vector<MidiEvent> events = AllEvents(bgm);
    const auto quarter = static_cast<std::uint32_t>(bgm.division);
    double seconds = 0;
    std::uint32_t tick = 0, microsPerQuarter = 500000; // 120 a minute until told otherwise
    for (const MidiEvent& e : events)
        if (e.tick < end && e.IsMeta(kTempo) && e.data.size() == 3) {
            seconds += double(e.tick - tick) * microsPerQuarter / 1e6 / quarter;
            tick = e.tick, microsPerQuarter = Be(e.data, 0, 3);
        }
    seconds += double(end - tick) * microsPerQuarter / 1e6 / quarter;
    EXPECT_TRUE(seconds >= 60.0 && seconds <= 120.0) << seconds;
    // Walk the bars under the time signatures, 4/4 until told otherwise.
    std::uint32_t barLine = 0, barLength = 4 * quarter;
    for (auto next = events.begin(); barLine < end; barLine += std::max(barLength, 1u))
        for (; next != events.end() && next->tick <= barLine; ++next)
            if (next->IsMeta(kTimeSignature) && next->data.size() == 4)
                barLength = next->data[0] * 4 * quarter >> next->data[1];
    EXPECT_EQ(barLine, end) << "the song ends off the bar line";
}

// Whatever played before, every part sounds the same from its first note:
// program, volume and pan are set on the first tick of every channel used.
// Nothing is left sounding when the song loops.
TEST(Bgm1, EveryPartIsSetUpBeforeItPlaysAndReleasesEveryNote) {
    std::map<int, std::set<int>> setUp; // channel -> 0xC0 and the controller numbers seen
    std::map<std::pair<int, int>, std::uint32_t> sounding; // (channel, key) -> tick struck
    std::set<int> played;
    for (const MidiEvent& e : AllEvents(bgm)) {
        const int channel = e.Channel();
        const std::pair note{channel, e.data.empty() ? 0 : int(e.data[0])};
        if (e.tick == 0 && (e.Kind() == 0xC0 || e.Kind() == 0xB0))
            setUp[channel].insert(e.Kind() == 0xC0 ? 0xC0 : e.data[0]);
        if (e.IsNoteOn()) {
            EXPECT_TRUE(!played.insert(channel).second ||
                        std::ranges::includes(setUp[channel], std::set{0xC0, 7, 10}))
                << "channel " << channel << " plays before it is set up";
            EXPECT_TRUE(sounding.emplace(note, e.tick).second) << "struck twice at " << e.tick;
        } else if (e.IsNoteOff()) {
            EXPECT_TRUE(sounding.erase(note)) << "released unstruck at " << e.tick;
        }
    }
    for (const auto& [note, tick] : sounding)
        ADD_FAILURE() << "key " << note.second << " on channel " << note.first << ", struck at "
                      << tick << ", is never released";
    EXPECT_TRUE(played.erase(9)) << "drums play on channel 10";
    EXPECT_GE(played.size(), 3u) << "at least three parts besides the drums";
}

} // namespace
