// The committed wave effects 141..160 keep the format the game loads, the
// lengths the game's timing relies on, and the mastering rules that keep them
// free of clicks and clipping.

#include "tests/assets/asset_readers.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace asset_readers;

constexpr std::uint32_t kRate = 11025;

Bytes Samples(int id) {
    return ReadWave("waves/" + std::to_string(id) + ".wav").samples;
}
double Level(std::uint8_t sample) {
    return (sample - 128.0) / 128.0;
}

// Each effect is 8-bit mono PCM of its length: the pause and game-over
// effects hold the game for exactly this long, and the gauge tones must fit
// their 40 ms ticks. A file that starts or ends away from the midpoint
// clicks, a sample on 0 or 255 means the mastering clipped, and no effect
// should jump out over the others or vanish under them.
TEST(SoundEffects, EveryEffectHasItsFormatAndLengthAndIsCleanUnclippedAndEvenlyLoud) {
    constexpr double kSeconds[] = {0.17,  0.27,  0.087, 0.087, 0.087, 0.087, 0.087,
                                   0.087, 0.087, 0.087, 0.087, 0.087, 0.087, 0.087,
                                   0.44,  0.14,  0.32,  0.80,  1.38,  1.78};
    double quietest = 1, loudest = 0;
    for (int id = 141; id <= 160; ++id) {
        SCOPED_TRACE(id);
        const Wave wave = ReadWave("waves/" + std::to_string(id) + ".wav");
        const Bytes& s = wave.samples;
        ASSERT_EQ(wave.error, "");
        EXPECT_EQ(wave.format, (std::array<std::uint32_t, 6>{1, 1, kRate, kRate, 1, 8}));
        ASSERT_NEAR(double(s.size()) / kRate, kSeconds[id - 141], 0.001);
        EXPECT_NEAR(s.front(), 128, 2);
        EXPECT_NEAR(s.back(), 128, 2);
        EXPECT_EQ(std::ranges::count(s, 0) + std::ranges::count(s, 255), 0);
        double sum = 0;
        for (std::uint8_t v : s)
            sum += Level(v) * Level(v);
        const double rms = std::sqrt(sum / double(s.size()));
        EXPECT_TRUE(rms > 0.15 && rms < 0.35) << rms;
        quietest = std::min(quietest, rms), loudest = std::max(loudest, rms);
    }
    EXPECT_LT(loudest / quietest, 1.5);
}

// The player reads the gauge by ear: every step sounds at least a semitone's
// worth higher than the last and the twelve span an octave or more. A new
// tone cuts the last one every 40 ms, so each is at full strength within 4 ms.
TEST(SoundEffects, GaugeTonesClimbStepByStepAndSpeakAtOnce) {
    double previous = 0, lowest = 0;
    for (int id = 143; id <= 154; ++id) {
        SCOPED_TRACE(id);
        const Bytes s = Samples(id);
        double peak = 0, earlyPeak = 0;
        for (std::size_t i = 0; i < s.size(); ++i) {
            peak = std::max(peak, std::abs(Level(s[i])));
            earlyPeak = i < kRate * 4 / 1000 ? peak : earlyPeak;
        }
        EXPECT_GT(earlyPeak, 0.6 * peak);
        // Pitch from zero crossings, with a dead band so small ripples near
        // the midpoint are not counted as extra cycles.
        int sign = 0, crossings = 0;
        std::size_t first = 0, last = 0;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double x = Level(s[i]);
            const int now = x > 0.1 * peak ? 1 : x < -0.1 * peak ? -1 : 0;
            if (now != 0 && sign != 0 && now != sign)
                first = crossings++ == 0 ? i : first, last = i;
            sign = now != 0 ? now : sign;
        }
        ASSERT_GE(crossings, 3);
        const double pitch = (crossings - 1) / 2.0 * kRate / double(last - first);
        EXPECT_GT(pitch, previous * 1.04);
        previous = pitch, lowest = id == 143 ? pitch : lowest;
    }
    EXPECT_GE(previous, 2.0 * lowest);
}

} // namespace
