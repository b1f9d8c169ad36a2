// The SDL backend's sound on SDL's dummy audio and video drivers: the
// soundfont search, the music's notices handed on by the event wait, and the
// game going on without music.

#include "assets/resources.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/soundfont_lookup.h"

#include <SDL.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

constexpr const char* musicFile = VARNISK_ASSET_DIR "/music/bgm1.mid";

// SDL's dummy drivers need no desktop and no sound card; set here rather than
// by CTest, which hands on only one variable per test of a discovered list.
const bool dummyDrivers = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return true;
}();

TEST(SoundFontLookup, TheSettingsFirstFileThereComesFirstThenTheSystemPlaces) {
    // "" too: an empty setting would be taken if it were ever handed on.
    const std::set<std::string> present = {"", "/a/mine.sf2",
                                           "/usr/share/sounds/sf2/default-GM.sf2",
                                           "/usr/share/soundfonts/default.sf2"};
    const auto isFile = [&](const std::string& path) { return present.contains(path); };
    EXPECT_EQ(FindSoundFont("/gone.sf2:/a/mine.sf2", systemSoundFonts, isFile), "/a/mine.sf2");
    // Unset, empty or naming nothing there: the system's first.
    for (const char* setting : {static_cast<const char*>(nullptr), "", "/gone.sf2"}) {
        EXPECT_EQ(FindSoundFont(setting, systemSoundFonts, isFile),
                  "/usr/share/sounds/sf2/default-GM.sf2");
    }
    EXPECT_EQ(FindSoundFont(nullptr, {}, isFile), std::nullopt);
}

TEST(SdlAudio, WithoutASoundFontItSaysSoOnceAndPlaysEffectsWithoutMusic) {
    unsetenv("SDL_SOUNDFONTS");
    SdlAudio audio{std::span<const std::string_view>()};
    int error = 0;
    EXPECT_EQ(audio.OpenMidi("/nonexistent/bgm1.mid", error), 0u);
    EXPECT_EQ(error, mci::errorFileNotFound) << "the one failure the player is told of";
    if (!audio.DeviceOpen()) {
        GTEST_SKIP() << "no audio driver here: " << SDL_GetError();
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(audio.OpenMidi(musicFile, error), 0u);
    EXPECT_EQ(error, mci::errorDeviceNotReady) << "no message for the player";
    EXPECT_EQ(audio.OpenMidi(musicFile, error), 0u);
    EXPECT_NE(audio.PlayMidi(0, nullptr), 0);
    EXPECT_NE(audio.StopMidi(0), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("soundfont"), std::string::npos);
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;

    // The effects still sound, and one that holds the game holds it for its length.
    const auto wave = *FindResource(ResourceKind::Wave, 143); // 87 ms
    const Uint64 start = SDL_GetTicks64();
    audio.PlayWave(wave, true);
    EXPECT_GE(SDL_GetTicks64() - start, 80u);
}

TEST(SdlAudio, EachPlaysEndComesBackThroughTheEventWaitNeverFromTheMixersHook) {
    SdlBackend backend;
    if (!backend.Initialised() || !backend.Audio().DeviceOpen()) {
        GTEST_SKIP() << "no SDL drivers here: " << SDL_GetError();
    }
    int error = 0;
    const std::uint32_t device = backend.OpenMidi(musicFile, error);
    if (device == 0) {
        GTEST_SKIP() << "the music cannot be played here (error " << error << ")";
    }
    std::vector<std::uint32_t> notices;
    const auto onEnd = [&](std::uint32_t flags) { notices.push_back(flags); };
    ASSERT_EQ(backend.PlayMidi(device, onEnd), 0);
    ASSERT_EQ(backend.PlayMidi(device, onEnd), 0); // supersedes the first
    ASSERT_EQ(backend.StopMidi(device), 0);
    EXPECT_TRUE(notices.empty()) << "the hook runs inside the halt, or on the mixer's thread";
    InputEvent event;
    const std::uint32_t deadline = backend.Now() + 2000;
    while (notices.size() < 2 && static_cast<std::int32_t>(deadline - backend.Now()) > 0) {
        backend.WaitEvent(deadline, event);
    }
    EXPECT_EQ(notices, (std::vector<std::uint32_t>{mci::notifySuperseded, mci::notifyAborted}));
    EXPECT_EQ(backend.CloseMidi(device), 0);
    EXPECT_NE(backend.PlayMidi(device, onEnd), 0) << "closed";
}

} // namespace
