// The effects straight through the ports: one at a time, the rare ones from
// the resources, 159 and 160 holding the program for their length.

#include "audio/audio.h"
#include "platform/headless/headless_backend.h"
#include "platform/user/user.h"

#include <gtest/gtest.h>
#include <utility>

namespace {

class Effects : public ::testing::Test {
  protected:
    void SetUp() override {
        StartWindowSystem(backend_);
        LoadEffects(sound_);
    }
    void TearDown() override { ShutdownWindowSystem(); }

    HeadlessBackend backend_;
    AudioResources sound_{};
};

TEST_F(Effects, EachNewEffectCutsOffTheLastAndOnlyPauseAndGameOverHold) {
    for (const WaveImage& image : sound_.waveData) {
        EXPECT_GT(image.size, 44u) << "the tick's seventeen are held from start-up";
    }
    // Each effect, then the time let pass after it.
    const std::pair<int, std::uint32_t> plays[] = {{141, 40}, {143, 40}, {144, 500},
                                                   {159, 0},  {160, 0},  {158, 0}};
    for (const auto& [id, wait] : plays) {
        PlayEffect(sound_, id);
        backend_.Advance(wait);
    }
    EXPECT_EQ(backend_.Now(), 3741u) << "158 in the background holds nothing";
    ReleaseEffects(sound_); // stops what still sounds before the images go

    using Heard = HeadlessBackend::EffectSounded; // id, start, end, toTheEnd, cut, shown
    const Heard expected[] = {
        {141, 0, 40, false, true, 0},      // 170 ms, cut by the next
        {143, 40, 80, false, true, 0},     //
        {144, 80, 167, false, false, 0},   // 87 ms: ran out before the next
        {159, 580, 1960, true, false, 0},  // held the program its 1380 ms
        {160, 1960, 3741, true, false, 0}, // and its 1781
        {158, 3741, 3741, false, true, 0}, // cut by the release
    };
    ASSERT_EQ(backend_.Effects().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Heard& heard = backend_.Effects()[i];
        const Heard& want = expected[i];
        SCOPED_TRACE(want.id);
        EXPECT_EQ(heard.id, want.id);
        EXPECT_EQ(heard.start, want.start);
        EXPECT_EQ(heard.end, want.end);
        EXPECT_EQ(heard.toTheEnd, want.toTheEnd);
        EXPECT_EQ(heard.cut, want.cut);
    }
    for (const WaveImage& image : sound_.waveData) {
        EXPECT_EQ(image.data, nullptr);
    }
}

TEST_F(Effects, UnknownIdentifiersAndAMissingSoundCardSoundAndHoldNothing) {
    PlayEffect(sound_, 140);
    PlayEffect(sound_, 161);
    backend_.SetAudioDevicePresent(false);
    PlayEffect(sound_, 141);
    PlayEffect(sound_, 160);
    EXPECT_TRUE(backend_.Effects().empty());
    EXPECT_EQ(backend_.Now(), 0u);
}

} // namespace
