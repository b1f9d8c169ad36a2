// The effects straight through the ports: one at a time, the rare ones from
// the resources, 159 and 160 holding the program for their length.

#include "audio/audio.h"
#include "core/ports.h"
#include "platform/headless/headless_backend.h"
#include "shell/shell_ports.h"

#include <gtest/gtest.h>

namespace {

class Effects : public ::testing::Test {
  protected:
    void SetUp() override {
        SetBackend(&backend_);
        LoadEffects(state_);
    }
    void TearDown() override { SetBackend(nullptr); }

    HeadlessBackend backend_;
    GameState state_{};
};

TEST_F(Effects, TheSeventeenTickEffectsAreHeldFromStartUp) {
    for (const WaveImage& image : state_.waveData) {
        EXPECT_NE(image.data, nullptr);
        EXPECT_GT(image.size, 44u);
    }
    ReleaseEffects(state_);
    for (const WaveImage& image : state_.waveData) {
        EXPECT_EQ(image.data, nullptr);
    }
}

TEST_F(Effects, EachNewEffectCutsOffTheOneStillSounding) {
    PlayEffect(state_, 141); // 170 ms
    backend_.Advance(40);
    PlayEffect(state_, 143);
    backend_.Advance(40);
    PlayEffect(state_, 144);
    backend_.Advance(500);
    PlayEffect(state_, 158); // from the resources, in the background
    const auto& effects = backend_.Effects();
    ASSERT_EQ(effects.size(), 4u);
    EXPECT_EQ(effects[0].id, 141);
    EXPECT_EQ(effects[0].end, 40u);
    EXPECT_TRUE(effects[0].cut);
    EXPECT_EQ(effects[1].end, 80u);
    EXPECT_TRUE(effects[1].cut);
    EXPECT_EQ(effects[2].end, 80u + 87u) << "ran out before the next one";
    EXPECT_FALSE(effects[2].cut);
    EXPECT_EQ(effects[3].id, 158);
    EXPECT_FALSE(effects[3].toTheEnd);
    EXPECT_EQ(backend_.Now(), 580u) << "nothing in the background holds the program";

    // Teardown stops what still sounds before the images go.
    ReleaseEffects(state_);
    EXPECT_TRUE(effects[3].cut);
    EXPECT_EQ(effects[3].end, 580u);
}

TEST_F(Effects, PauseAndGameOverHoldTheProgramForTheirLength) {
    backend_.Advance(1000);
    PlayEffect(state_, 159);
    EXPECT_EQ(backend_.Now(), 1000u + 1380u);
    PlayEffect(state_, 160);
    EXPECT_EQ(backend_.Now(), 1000u + 1380u + 1781u);
    ASSERT_EQ(backend_.Effects().size(), 2u);
    EXPECT_TRUE(backend_.Effects()[0].toTheEnd);
    EXPECT_FALSE(backend_.Effects()[0].cut) << "it had finished when the next one came";
}

TEST_F(Effects, WithoutASoundCardNothingSoundsAndNothingHolds) {
    backend_.SetAudioDevicePresent(false);
    PlayEffect(state_, 141);
    PlayEffect(state_, 160);
    EXPECT_TRUE(backend_.Effects().empty());
    EXPECT_EQ(backend_.Now(), 0u);
}

TEST_F(Effects, UnknownIdentifiersAreIgnored) {
    PlayEffect(state_, 140);
    PlayEffect(state_, 161);
    PlayEffect(state_, 0);
    EXPECT_TRUE(backend_.Effects().empty());
}

} // namespace
