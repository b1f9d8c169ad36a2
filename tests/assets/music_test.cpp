// The background music is restarted from its beginning every time it ends,
// so besides being a valid Standard MIDI File it has to end cleanly on a bar
// line with nothing left sounding.

#include "tests/assets/asset_readers.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

using namespace asset_readers;

constexpr int kDrumChannel = 9; // "channel 10"

const Midi& Bgm1() {
    static const Midi file = ReadMidi("music/bgm1.mid");
    return file;
}

TEST(Bgm1, IsAStandardMidiFileWithWellFormedTracks) {
    const Midi& file = Bgm1();
    ASSERT_EQ(file.error, "");
    EXPECT_TRUE(file.format == 0 || file.format == 1) << file.format;
    EXPECT_EQ(file.declaredTracks, static_cast<int>(file.tracks.size()));
    EXPECT_TRUE(file.format != 0 || file.tracks.size() == 1);
    EXPECT_GT(file.division, 0);
    EXPECT_LT(file.division, 0x8000) << "timed in ticks per quarter, not SMPTE frames";
    for (const auto& track : file.tracks)
        EXPECT_TRUE(!track.empty() && track.back().IsMeta(kEndOfTrack));
}

// A loop that stumbles is heard every minute or so: the song stops exactly on
// a bar line, every track with it.
TEST(Bgm1, LastsOneToTwoMinutesAndEveryTrackStopsOnTheSameBarLine) {
    const Midi& file = Bgm1();
    ASSERT_EQ(file.error, "");
    std::uint32_t end = 0;
    for (const auto& track : file.tracks)
        end = std::max(end, track.empty() ? 0 : track.back().tick);
    for (const auto& track : file.tracks)
        EXPECT_TRUE(!track.empty() && track.back().tick == end);
    const std::vector<MidiEvent> events = AllEvents(file);
    const auto quarter = static_cast<std::uint32_t>(file.division);
    double seconds = 0;
    std::uint32_t tick = 0, microsPerQuarter = 500000; // 120 a minute until told otherwise
    for (const MidiEvent& e : events)
        if (e.tick < end && e.IsMeta(kTempo) && e.data.size() == 3) {
            seconds += double(e.tick - tick) * microsPerQuarter / 1e6 / quarter;
            tick = e.tick, microsPerQuarter = Be(e.data, 0, 3);
        }
    seconds += double(end - tick) * microsPerQuarter / 1e6 / quarter;
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
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
    for (const MidiEvent& e : AllEvents(Bgm1())) {
        const int channel = e.Channel();
        const std::pair<int, int> note{channel, e.data.empty() ? 0 : e.data[0]};
        if (e.tick == 0 && (e.Kind() == 0xC0 || e.Kind() == 0xB0))
            setUp[channel].insert(e.Kind() == 0xC0 ? 0xC0 : e.data[0]);
        if (e.IsNoteOn() && played.insert(channel).second) {
            EXPECT_TRUE(std::ranges::includes(setUp[channel], std::set{0xC0, 7, 10}))
                << "channel " << channel << " plays before its program, volume and pan are set";
        }
        const std::string key = "key " + std::to_string(note.second) + " on channel " +
                                std::to_string(channel) + " at tick " + std::to_string(e.tick);
        if (e.IsNoteOn()) {
            EXPECT_TRUE(sounding.emplace(note, e.tick).second) << key << " is struck twice";
        } else if (e.IsNoteOff()) {
            EXPECT_TRUE(sounding.erase(note)) << key << " is released unstruck";
        }
    }
    for (const auto& [note, tick] : sounding)
        ADD_FAILURE() << "key " << note.second << " on channel " << note.first << ", struck at "
                      << tick << ", is never released";
    EXPECT_TRUE(played.contains(kDrumChannel)) << "drums play on channel 10";
    played.erase(kDrumChannel);
    EXPECT_GE(played.size(), 3u) << "at least three parts besides the drums";
}

} // namespace
