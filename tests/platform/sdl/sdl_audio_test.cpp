// The sound on SDL's dummy audio driver: the soundfont search, and no music.

#include "assets/resources.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/soundfont_lookup.h"
#include "platform/user/backend.h"

#include <SDL.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr const char* musicFile = VARNISK_ASSET_DIR "/music/bgm1.mid";

// SDL's dummy audio needs no sound card; set here rather than by CTest,
// which hands on only one variable per test of a discovered list.
const bool dummyDrivers = [] {
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
    for (const char* setting : {static_cast<const char*>(nullptr), "", "/gone.sf2"})
        EXPECT_EQ(FindSoundFont(setting, systemSoundFonts, isFile),
                  "/usr/share/sounds/sf2/default-GM.sf2");
    EXPECT_EQ(FindSoundFont(nullptr, {}, isFile), std::nullopt);
}

TEST(SdlAudio, WithoutASoundFontItSaysSoOnceAndPlaysEffectsWithoutMusic) {
    unsetenv("SDL_SOUNDFONTS");
    SdlAudio audio{std::span<const std::string_view>()};
    int error = 0;
    EXPECT_EQ(audio.OpenMidi("/nonexistent/bgm1.mid", error), 0u);
    EXPECT_EQ(error, mci::errorFileNotFound) << "the one failure the player is told of";
    if (!audio.DeviceOpen())
        GTEST_SKIP() << "no audio driver here: " << SDL_GetError();
    testing::internal::CaptureStderr();
    EXPECT_EQ(audio.OpenMidi(musicFile, error), 0u);
    EXPECT_EQ(error, mci::errorDeviceNotReady) << "no message for the player";
    EXPECT_EQ(audio.OpenMidi(musicFile, error), 0u);
    EXPECT_NE(audio.PlayMidi(0, nullptr), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("soundfont"), std::string::npos);
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
    // The effects still sound, and one that holds the game holds it for its 87 ms.
    const Uint64 start = SDL_GetTicks64();
    audio.PlayWave(*FindResource(ResourceKind::Wave, 143), true);
    EXPECT_GE(SDL_GetTicks64() - start, 80u);
}

} // namespace
