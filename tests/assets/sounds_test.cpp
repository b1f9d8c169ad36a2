// The committed wave effects 141..160 keep the format the game loads, the
// lengths the game's timing relies on, and the mastering rules that keep them
// free of clicks and clipping.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kRate = 11025;

struct Expected {
    int id;
    double seconds;
};

// How long each effect lasts: the pause and game-over effects hold the game
// for exactly this long, and the gauge tones must fit their 40 ms ticks.
const std::vector<Expected>& ExpectedEffects() {
    static const std::vector<Expected> effects = [] {
        std::vector<Expected> list = {{141, 0.17}, {142, 0.27}};
        for (int id = 143; id <= 154; ++id) {
            list.push_back({id, 0.087});
        }
        list.insert(list.end(),
                    {{155, 0.44}, {156, 0.14}, {157, 0.32}, {158, 0.80}, {159, 1.38}, {160, 1.78}});
        return list;
    }();
    return effects;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint32_t Little(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + i];
    }
    return value;
}

bool TagAt(const std::vector<std::uint8_t>& bytes, std::size_t at, const std::string& tag) {
    return at + 4 <= bytes.size() && std::equal(tag.begin(), tag.end(), bytes.begin() + at);
}

// What a RIFF WAVE file says about itself, read chunk by chunk as a loader would.
struct Wave {
    std::string problem; // empty when the file is well formed
    std::uint32_t format = 0;
    std::uint32_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t byteRate = 0;
    std::uint32_t blockAlign = 0;
    std::uint32_t bits = 0;
    std::vector<std::uint8_t> samples;
};

Wave ReadWave(int id) {
    const std::string path =
        std::string(VARNISK_ASSET_DIR) + "/waves/" + std::to_string(id) + ".wav";
    const std::vector<std::uint8_t> bytes = ReadFile(path);
    Wave wave;
    if (bytes.size() < 12 || !TagAt(bytes, 0, "RIFF") || !TagAt(bytes, 8, "WAVE")) {
        wave.problem = path + " is not a RIFF WAVE file";
        return wave;
    }
    if (Little(bytes, 4, 4) != bytes.size() - 8) {
        wave.problem = "RIFF size does not match the file size";
        return wave;
    }
    bool haveFormat = false;
    bool haveData = false;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::uint32_t size = Little(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size()) {
            wave.problem = "a chunk runs past the end of the file";
            return wave;
        }
        if (TagAt(bytes, at, "fmt ") && size >= 16) {
            wave.format = Little(bytes, body, 2);
            wave.channels = Little(bytes, body + 2, 2);
            wave.rate = Little(bytes, body + 4, 4);
            wave.byteRate = Little(bytes, body + 8, 4);
            wave.blockAlign = Little(bytes, body + 12, 2);
            wave.bits = Little(bytes, body + 14, 2);
            haveFormat = true;
        } else if (TagAt(bytes, at, "data")) {
            wave.samples.assign(bytes.begin() + body, bytes.begin() + body + size);
            haveData = true;
        }
        at = body + size + size % 2; // chunks are padded to even lengths
    }
    if (at != bytes.size() || !haveFormat || !haveData) {
        wave.problem = "missing fmt or data chunk, or stray bytes at the end";
    }
    return wave;
}

double Level(std::uint8_t sample) {
    return (static_cast<double>(sample) - 128.0) / 128.0;
}

double Rms(const std::vector<std::uint8_t>& samples) {
    double sum = 0.0;
    for (std::uint8_t s : samples) {
        sum += Level(s) * Level(s);
    }
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

// Pitch from zero crossings, with a dead band so small ripples near the
// midpoint are not counted as extra cycles.
double EstimatePitchHz(const std::vector<std::uint8_t>& samples) {
    double peak = 0.0;
    for (std::uint8_t s : samples) {
        peak = std::max(peak, std::abs(Level(s)));
    }
    const double deadBand = 0.1 * peak;
    int sign = 0;
    int crossings = 0;
    std::size_t first = 0;
    std::size_t last = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double x = Level(samples[i]);
        const int now = x > deadBand ? 1 : x < -deadBand ? -1 : 0;
        if (now != 0 && now != sign) {
            if (sign != 0) {
                if (crossings == 0) {
                    first = i;
                }
                last = i;
                ++crossings;
            }
            sign = now;
        }
    }
    if (crossings < 3) {
        return 0.0;
    }
    const double seconds = static_cast<double>(last - first) / kRate;
    return (crossings - 1) / 2.0 / seconds;
}

TEST(SoundEffects, EveryFileIsUnsignedEightBitMonoPcmAt11025Hz) {
    for (const Expected& effect : ExpectedEffects()) {
        SCOPED_TRACE(effect.id);
        const Wave wave = ReadWave(effect.id);
        ASSERT_EQ(wave.problem, "");
        EXPECT_EQ(wave.format, 1u);
        EXPECT_EQ(wave.channels, 1u);
        EXPECT_EQ(wave.rate, kRate);
        EXPECT_EQ(wave.byteRate, kRate);
        EXPECT_EQ(wave.blockAlign, 1u);
        EXPECT_EQ(wave.bits, 8u);
    }
}

TEST(SoundEffects, EveryEffectLastsItsLengthToTheMillisecond) {
    for (const Expected& effect : ExpectedEffects()) {
        SCOPED_TRACE(effect.id);
        const Wave wave = ReadWave(effect.id);
        const double seconds = static_cast<double>(wave.samples.size()) / kRate;
        EXPECT_NEAR(seconds, effect.seconds, 0.001);
    }
}

// A file that starts or ends away from the midpoint clicks when it starts, and
// a sample on 0 or 255 means the mastering clipped.
TEST(SoundEffects, EveryEffectStartsAndEndsOnSilenceAndNeverClips) {
    for (const Expected& effect : ExpectedEffects()) {
        SCOPED_TRACE(effect.id);
        const Wave wave = ReadWave(effect.id);
        ASSERT_FALSE(wave.samples.empty());
        EXPECT_NEAR(wave.samples.front(), 128, 2);
        EXPECT_NEAR(wave.samples.back(), 128, 2);
        EXPECT_EQ(std::count(wave.samples.begin(), wave.samples.end(), 0), 0);
        EXPECT_EQ(std::count(wave.samples.begin(), wave.samples.end(), 255), 0);
    }
}

// No effect should jump out over the others or vanish under them.
TEST(SoundEffects, EveryEffectIsAboutAsLoudAsTheOthers) {
    double quietest = 1.0;
    double loudest = 0.0;
    for (const Expected& effect : ExpectedEffects()) {
        SCOPED_TRACE(effect.id);
        const double rms = Rms(ReadWave(effect.id).samples);
        EXPECT_GT(rms, 0.15);
        EXPECT_LT(rms, 0.35);
        quietest = std::min(quietest, rms);
        loudest = std::max(loudest, rms);
    }
    EXPECT_LT(loudest / quietest, 1.5);
}

// The player reads the gauge by ear: every step must sound higher than the
// last, by at least a semitone's worth, and the twelve must span an octave or more.
TEST(SoundEffects, GaugeTonesClimbStepByStep) {
    std::vector<double> pitches;
    for (int id = 143; id <= 154; ++id) {
        pitches.push_back(EstimatePitchHz(ReadWave(id).samples));
    }
    for (std::size_t step = 1; step < pitches.size(); ++step) {
        SCOPED_TRACE(step + 1);
        EXPECT_GT(pitches[step], pitches[step - 1] * 1.04);
    }
    EXPECT_GE(pitches.back(), 2.0 * pitches.front());
}

// A new gauge tone cuts the last one every 40 ms, so it must be at full
// strength within its first few milliseconds.
TEST(SoundEffects, GaugeTonesSpeakAtOnce) {
    for (int id = 143; id <= 154; ++id) {
        SCOPED_TRACE(id);
        const std::vector<std::uint8_t> samples = ReadWave(id).samples;
        double peak = 0.0;
        double earlyPeak = 0.0;
        const std::size_t firstMilliseconds = kRate * 4 / 1000;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const double level = std::abs(Level(samples[i]));
            peak = std::max(peak, level);
            if (i < firstMilliseconds) {
                earlyPeak = std::max(earlyPeak, level);
            }
        }
        EXPECT_GT(earlyPeak, 0.6 * peak);
    }
}

} // namespace
