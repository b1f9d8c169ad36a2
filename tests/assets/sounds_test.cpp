// The effects keep the lengths the game's timing needs, clean mastering and a
// climbing gauge; the looped music ends on a bar line with nothing sounding.

#include "tests/assets/asset_readers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

using namespace asset_readers;

constexpr std::uint32_t kRate = 11025;

// Each effect is 8-bit mono PCM of its length (the pause and game-over ones
// hold the game that long; gauge tones fit 40 ms ticks), starts and ends at
// the midpoint (no click), peaks with headroom, is evenly loud; the gauge
// (143..154) climbs a semitone or more a step, an octave in all.
TEST(SoundEffects, EveryEffectHasItsLengthIsCleanUnclippedEvenlyLoudAndTheGaugeClimbs) {
    constexpr double kSeconds[] = {0.17,  0.27,  0.087, 0.087, 0.087, 0.087, 0.087,
                                   0.087, 0.087, 0.087, 0.087, 0.087, 0.087, 0.087,
                                   0.44,  0.14,  0.32,  0.80,  1.38,  1.78};
    double pitch = 0, lowest = 0;
    for (int id = 141; id <= 160; ++id) {
        SCOPED_TRACE(id);
        const Wave wave = ReadWave("waves/" + std::to_string(id) + ".wav");
        ASSERT_EQ(wave.error, "");
        EXPECT_EQ(std::tuple(wave.formatTag, wave.channels, wave.rate, wave.bits),
                  std::tuple(1u, 1u, kRate, 8u))
            << "PCM, mono, 11025 Hz, 8 bits";
        std::vector<double> s(wave.samples.begin(), wave.samples.end());
        ASSERT_NEAR(double(s.size()) / kRate, kSeconds[id - 141], 0.001);
        double sum = 0, peak = 0;
        for (double& x : s)
            x = (x - 128) / 128, sum += x * x, peak = std::max(peak, std::abs(x));
        EXPECT_TRUE(std::abs(s.front()) <= 0.02 && std::abs(s.back()) <= 0.02) << "clicks";
        EXPECT_LT(peak, 0.95);
        EXPECT_NEAR(std::sqrt(sum / double(s.size())), 0.24, 0.06) << "loudness (RMS)";
        if (id < 143 || id > 154)
            continue;
        // Pitch from upward crossings, with a dead band against ripples.
        int cycles = 0;
        std::size_t first = 0, last = 0;
        for (std::size_t i = 0, low = 0; i < s.size(); ++i)
            if (s[i] < -0.05)
                low = 1;
            else if (s[i] > 0.05 && std::exchange(low, 0))
                first = cycles++ ? first : i, last = i;
        const double previous =
            std::exchange(pitch, (cycles - 1) * double(kRate) / double(last - first));
        EXPECT_GT(pitch, previous * 1.04) << "gauge tone";
        lowest = id == 143 ? pitch : lowest;
    }
    EXPECT_GE(pitch, 2.0 * lowest) << "the gauge spans an octave";
}

const Midi bgm = ReadMidi("music/bgm1.mid");

// A stumbling loop is heard every minute: every track ends on one tick, a
// whole number of bars (4/4 until a time signature says otherwise) in.
TEST(Music, EveryTrackStopsOnTheSameBarLine) {
    ASSERT_EQ(bgm.error, "");
    ASSERT_TRUE(bgm.division > 0 && bgm.division < 0x8000) << "ticks per quarter";
    const std::uint32_t end = bgm.tracks.at(0).back().tick, quarter = bgm.division;
    for (const auto& track : bgm.tracks)
        EXPECT_TRUE(track.back().IsMeta(kEndOfTrack) && track.back().tick == end);
    std::uint32_t barLine = 0, barLength = 4 * quarter;
    for (const MidiEvent& e : AllEvents(bgm)) {
        while (barLine < e.tick)
            barLine += barLength;
        if (e.IsMeta(kTimeSignature) && e.tick == barLine)
            barLength = e.data.at(0) * 4 * quarter >> e.data.at(1);
    }
    EXPECT_EQ(barLine, end) << "the song ends off the bar line";
}

// Every note is released before the loop, and no key struck again while it sounds.
TEST(Music, ReleasesEveryNoteItStrikes) {
    std::map<std::pair<int, int>, std::uint32_t> sounding; // (channel, key) -> tick struck
    for (const MidiEvent& e : AllEvents(bgm)) {
        const std::pair note{e.Channel(), e.data.empty() ? 0 : int(e.data[0])};
        if (e.IsNoteOn()) {
            EXPECT_TRUE(sounding.emplace(note, e.tick).second) << "struck twice at " << e.tick;
        } else if (e.IsNoteOff()) {
            EXPECT_TRUE(sounding.erase(note)) << "released unstruck at " << e.tick;
        }
    }
    for (const auto& [note, tick] : sounding)
        ADD_FAILURE() << "key " << note.second << " on channel " << note.first << ", struck at "
                      << tick << ", is never released";
}

} // namespace
