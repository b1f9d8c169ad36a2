// The effects straight through the sound's operations: one at a time, the
// rare ones from the resources, 159 and 160 holding the program for their
// length.

#include "audio/audio.h"
#include "platform/headless/headless_backend.h"
#include "platform/user/user.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

class Effects : public ::testing::Test {
  protected:
    void SetUp() override {
        StartWindowSystem(backend_);
        LoadEffects(sound_);
    }
    void TearDown() override { ShutdownWindowSystem(); }

    // Each effect heard: its id and times, "held" when it held the program,
    // "cut" when something cut it off.
    std::vector<std::string> Heard() const {
        std::vector<std::string> heard;
        for (const HeadlessBackend::EffectSounded& e : backend_.Effects())
            heard.push_back(std::to_string(e.id) + " " + std::to_string(e.start) + ".." +
                            std::to_string(e.end) + (e.toTheEnd ? " held" : "") +
                            (e.cut ? " cut" : ""));
        return heard;
    }

    HeadlessBackend backend_;
    AudioResources sound_{};
};

TEST_F(Effects, EachNewEffectCutsOffTheLastAndOnlyPauseAndGameOverHold) {
    // Each effect, then the time let pass after it; 140 and 161 are none.
    const std::pair<int, std::uint32_t> plays[] = {{140, 0},   {161, 0}, {141, 40}, {143, 40},
                                                   {144, 500}, {159, 0}, {160, 0},  {158, 0}};
    for (const auto& [id, wait] : plays) {
        PlayEffect(sound_, id);
        backend_.Advance(wait);
    }
    EXPECT_EQ(backend_.Now(), 3741u) << "158 in the background holds nothing";
    ReleaseEffects(sound_); // stops what still sounds before the images go
    EXPECT_EQ(Heard(), (std::vector<std::string>{
                           "141 0..40 cut",       // 170 ms, cut by the next
                           "143 40..80 cut",      //
                           "144 80..167",         // 87 ms: ran out before the next
                           "159 580..1960 held",  // held the program its 1380 ms
                           "160 1960..3741 held", // and its 1781
                           "158 3741..3741 cut",  // cut by the release
                       }));
    for (const WaveImage& image : sound_.waveData)
        EXPECT_EQ(image.data, nullptr);
}

} // namespace
