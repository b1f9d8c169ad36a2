// The committed wave effects 141..160 keep the format the game loads, the
// lengths the game's timing relies on, and the mastering rules that keep them
// free of clicks and clipping.

#include "tests/assets/asset_readers.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace asset_readers;

constexpr std::uint32_t kRate = 11025;
constexpr int kFirst = 141, kLast = 160, kFirstGaugeTone = 143, kLastGaugeTone = 154;

// How long each effect lasts, from 141: the pause and game-over effects hold
// the game for exactly this long, and the gauge tones must fit their 40 ms ticks.
constexpr double kSeconds[] = {0.17,  0.27,  0.087, 0.087, 0.087, 0.087, 0.087, 0.087, 0.087, 0.087,
                               0.087, 0.087, 0.087, 0.087, 0.44,  0.14,  0.32,  0.80,  1.38,  1.78};

const Wave& Effect(int id) {
    static const std::vector<Wave> all = [] {
        std::vector<Wave> waves;
        for (int i = kFirst; i <= kLast; ++i)
            waves.push_back(ReadWave("waves/" + std::to_string(i) + ".wav"));
        return waves;
    }();
    return all.at(id - kFirst);
}

double Level(std::uint8_t sample) {
    return (sample - 128.0) / 128.0;
}

// Pitch from zero crossings, with a dead band so small ripples near the
// midpoint are not counted as extra cycles.
double PitchHz(const Bytes& samples) {
    double peak = 0;
    for (std::uint8_t s : samples)
        peak = std::max(peak, std::abs(Level(s)));
    int sign = 0, crossings = 0;
    std::size_t first = 0, last = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double x = Level(samples[i]);
        const int now = x > 0.1 * peak ? 1 : x < -0.1 * peak ? -1 : 0;
        if (now != 0 && now != sign && sign != 0) {
            first = crossings == 0 ? i : first;
            last = i;
            ++crossings;
        }
        sign = now != 0 ? now : sign;
    }
    return crossings < 3 ? 0.0 : (crossings - 1) / 2.0 / (double(last - first) / kRate);
}

TEST(SoundEffects, EveryFileIsEightBitMonoPcmOfItsLength) {
    for (int id = kFirst; id <= kLast; ++id) {
        SCOPED_TRACE(id);
        const Wave& wave = Effect(id);
        ASSERT_EQ(wave.error, "");
        EXPECT_EQ(wave.format, (std::array<std::uint32_t, 6>{1, 1, kRate, kRate, 1, 8}));
        EXPECT_NEAR(double(wave.samples.size()) / kRate, kSeconds[id - kFirst], 0.001);
    }
}

// A file that starts or ends away from the midpoint clicks, a sample on 0 or
// 255 means the mastering clipped, and no effect should jump out over the
// others or vanish under them.
TEST(SoundEffects, EveryEffectIsCleanAtItsEndsUnclippedAndAsLoudAsTheOthers) {
    double quietest = 1, loudest = 0;
    for (int id = kFirst; id <= kLast; ++id) {
        SCOPED_TRACE(id);
        const Bytes& s = Effect(id).samples;
        ASSERT_FALSE(s.empty());
        EXPECT_NEAR(s.front(), 128, 2);
        EXPECT_NEAR(s.back(), 128, 2);
        EXPECT_EQ(std::count(s.begin(), s.end(), 0) + std::count(s.begin(), s.end(), 255), 0);
        double sum = 0;
        for (std::uint8_t v : s)
            sum += Level(v) * Level(v);
        const double rms = std::sqrt(sum / double(s.size()));
        EXPECT_GT(rms, 0.15);
        EXPECT_LT(rms, 0.35);
        quietest = std::min(quietest, rms), loudest = std::max(loudest, rms);
    }
    EXPECT_LT(loudest / quietest, 1.5);
}

// The player reads the gauge by ear: every step sounds at least a semitone's
// worth higher than the last and the twelve span an octave or more. A new
// tone cuts the last one every 40 ms, so each is at full strength within 4 ms.
TEST(SoundEffects, GaugeTonesClimbStepByStepAndSpeakAtOnce) {
    double previous = 0, lowest = 0;
    for (int id = kFirstGaugeTone; id <= kLastGaugeTone; ++id) {
        SCOPED_TRACE(id);
        const Bytes& s = Effect(id).samples;
        const double pitch = PitchHz(s);
        EXPECT_GT(pitch, previous * 1.04);
        previous = pitch, lowest = id == kFirstGaugeTone ? pitch : lowest;
        double peak = 0, earlyPeak = 0;
        for (std::size_t i = 0; i < s.size(); ++i) {
            peak = std::max(peak, std::abs(Level(s[i])));
            earlyPeak = i < kRate * 4 / 1000 ? peak : earlyPeak;
        }
        EXPECT_GT(earlyPeak, 0.6 * peak);
    }
    EXPECT_GE(previous, 2.0 * lowest);
}

} // namespace
