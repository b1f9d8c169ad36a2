// The headless backend keeps time with the sounds by reading their lengths:
// the waves' are seen in the effects' timings, the music's eighty seconds
// where the game loops it; here a tempo change within a piece, and files
// cut short, which are not guessed at.

#include "assets/resources.h"
#include "platform/headless/sound_lengths.h"

#include <gtest/gtest.h>
#include <vector>

TEST(SoundLengths, TempoChangesTakeEffectWhereTheyStandAndCutFilesHaveNone) {
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
    EXPECT_FALSE(MidiLengthMs(std::span(midi).first(midi.size() - 1)));
    const std::span<const std::uint8_t> wave = *FindResource(ResourceKind::Wave, 141);
    EXPECT_FALSE(WaveLengthMs(wave.first(30))) << "a cut header";
    EXPECT_FALSE(WaveLengthMs({}));
}
