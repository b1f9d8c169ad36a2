// The headless backend keeps time with the sounds by reading their lengths.

#include "assets/resources.h"
#include "platform/headless/sound_lengths.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {

std::span<const std::uint8_t> Wave(int id) {
    return *FindResource(ResourceKind::Wave, id);
}

TEST(SoundLengths, WavesLastAsTheirSamplesSay) {
    EXPECT_EQ(WaveLengthMs(Wave(141)), 170u);
    EXPECT_EQ(WaveLengthMs(Wave(143)), 87u);
    EXPECT_EQ(WaveLengthMs(Wave(159)), 1380u);
    EXPECT_EQ(WaveLengthMs(Wave(160)), 1781u); // 1.780045 s, rounded up
    std::vector<std::uint8_t> damaged(Wave(141).begin(), Wave(141).begin() + 30);
    EXPECT_FALSE(WaveLengthMs(damaged));
    EXPECT_FALSE(WaveLengthMs({}));
}

TEST(SoundLengths, TheMusicLastsEightySeconds) {
    std::ifstream in{VARNISK_ASSET_DIR "/music/bgm1.mid", std::ios::binary};
    const std::vector<std::uint8_t> midi{std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(midi.empty());
    EXPECT_EQ(MidiLengthMs(midi), 80000u);
    EXPECT_FALSE(MidiLengthMs(std::span(midi).first(40))) << "a cut file is not guessed at";
}

TEST(SoundLengths, TempoChangesTakeEffectWhereTheyStand) {
    // One track, 96 ticks a quarter: 96 ticks at 120 bpm (0.5 s), then a
    // change to 60 bpm and 192 ticks more (2 s), with running status.
    const std::vector<std::uint8_t> midi = {
        'M',  'T',  'h',  'd',  0,    0,    0,    6,  0, 0, 0, 1, 0, 96, //
        'M',  'T',  'r',  'k',  0,    0,    0,    19,                    //
        0x00, 0x90, 60,   100,                                           // note on
        0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,                        // 1 s a quarter
        0x81, 0x40, 60,   0,                                             // running status
        0x00, 0xFF, 0x2F, 0x00,                                          // end of track
    };
    EXPECT_EQ(MidiLengthMs(midi), 2500u);
}

} // namespace
