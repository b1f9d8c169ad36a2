// The sound on SDL's dummy audio driver: the soundfont search, no music,
// the music rendered ahead and its end, the mix's limiter and the
// synthesizer's log.

#include "assets/resources.h"
#include "platform/sdl/music_render.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sound_mix.h"
#include "platform/sdl/soundfont_lookup.h"
#include "platform/user/backend.h"

#include <SDL.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <vector>

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

namespace {

// A standard MIDI file of one note held for three beats at 120 beats a
// minute: 1.5 s, across the first second's block.
// clang-format off
const std::vector<std::uint8_t> oneNote = {
    'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, // one track, 480 a beat
    'M', 'T', 'r', 'k', 0, 0, 0, 19,
    0, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20,                     // 500000 us a beat
    0, 0x90, 60, 100, 0x8B, 0x20, 0x80, 60, 64,             // 1440 ticks later, off
    0, 0xFF, 0x2F, 0};                                      // the track's end
// clang-format on
constexpr std::size_t oneNoteFrames = 66150;

std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

// Plays until `patience` has passed, handing on the music's ends; how many.
int MusicEnds(SdlAudio& audio, int patienceMs) {
    int ends = 0;
    for (const Uint64 end = SDL_GetTicks64() + patienceMs; SDL_GetTicks64() < end; SDL_Delay(5)) {
        for (SDL_Event event; SDL_PollEvent(&event) != 0;)
            if (event.type == audio.MusicEventType())
                ++ends, audio.DeliverMusicEnd();
    }
    return ends;
}

TEST(Music, EndsWithItsLastTrackOnceHeardAndADamagedPieceIsToldOnceAndNeverRestarted) {
    const std::optional<std::string> soundFont = FindSoundFont(
        nullptr, systemSoundFonts, [](const std::string& f) { return std::filesystem::exists(f); });
    unsetenv("SDL_SOUNDFONTS");
    SdlAudio audio;
    if (!soundFont || !audio.DeviceOpen())
        GTEST_SKIP() << "no soundfont or no audio driver here";
    const std::string file = WriteFile("varnisk-one-note.mid", oneNote);
    {
        // Not where the note's release and the reverb have died away.
        const RenderedPiece piece{file, *soundFont, 44100, 0.3F};
        for (int waited = 0; !piece.Done() && waited < 600; ++waited)
            SDL_Delay(100);
        EXPECT_GE(piece.Rendered(), oneNoteFrames);
        EXPECT_LT(piece.Rendered(), oneNoteFrames + 64);
        std::vector<std::int16_t> whole(2 * oneNoteFrames), split(2 * oneNoteFrames);
        piece.Read(0, whole);
        piece.Read(0, std::span(split).first(88200));
        piece.Read(44100, std::span(split).subspan(88200));
        EXPECT_EQ(whole, split) << "read across the first second's end";
        EXPECT_GT(*std::max_element(whole.begin(), whole.end()), 200) << "the note sounds";
    }
    int error = 0;
    const std::uint32_t device = audio.OpenMidi(file, error);
    std::vector<std::uint32_t> notices;
    const auto note = [&](std::uint32_t flags) { notices.push_back(flags); };
    ASSERT_EQ(audio.PlayMidi(device, note), 0);
    EXPECT_EQ(MusicEnds(audio, 1300), 0) << "the notice comes once the piece is heard";
    EXPECT_EQ(MusicEnds(audio, 3000), 1);
    ASSERT_EQ(audio.PlayMidi(device, note), 0);
    ASSERT_EQ(audio.StopMidi(device), 0);
    EXPECT_EQ(MusicEnds(audio, 300), 1);
    EXPECT_EQ(notices, (std::vector<std::uint32_t>{mci::notifySuccessful, mci::notifyAborted}));
    ASSERT_EQ(audio.CloseMidi(device), 0);

    // No MIDI file at all is found out at once; one that only looks like
    // one, when it plays. One line each, and a piece that renders to
    // nothing never ends, so the game never restarts it.
    testing::internal::CaptureStderr();
    EXPECT_EQ(audio.OpenMidi(WriteFile("varnisk-noise.mid", {'R', 'I', 'F', 'F'}), error), 0u);
    EXPECT_EQ(error, mci::errorInvalidFile);
    std::vector<std::uint8_t> damaged(oneNote.begin(), oneNote.begin() + 22);
    damaged.insert(damaged.end(), 4000, 0xFF);
    const std::uint32_t again = audio.OpenMidi(WriteFile("varnisk-damaged.mid", damaged), error);
    for (int play = 0; play < 3; ++play) {
        ASSERT_EQ(audio.PlayMidi(again, note), 0);
        EXPECT_EQ(MusicEnds(audio, play == 0 ? 2000 : 300), play == 0 ? 0 : 1);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
}

TEST(SoundMix, QuietSoundPassesUnchangedAndNothingEverPassesTheCeiling) {
    Limiter limiter;
    // Stereo: the music at half scale doubled, the effect at its volume.
    std::vector<std::int16_t> out(4);
    MixFrames(std::vector<std::int16_t>{1000, -1000, 5, 7}, std::vector<std::int16_t>{128, 256},
              100, 2, limiter, out);
    EXPECT_EQ(out, (std::vector<std::int16_t>{2100, -1800, 10, 14}))
        << "the music ended, the effect too";
    // A mono device hears the music's mean.
    out.assign(1, 0);
    MixFrames(std::vector<std::int16_t>{1000, 3000}, {}, 100, 1, limiter, out);
    EXPECT_EQ(out[0], 4000);

    // The loudest music under the loudest effect, then quiet again.
    std::vector<std::int16_t> music(16000, 8000), effect(8000, 32767);
    for (std::size_t i = 0; i < effect.size(); i += 2)
        effect[i] = -32768, music[i] = -16384, music[i + 1] = 16383;
    out.assign(16000, 0);
    MixFrames(music, effect, 128, 2, limiter, out);
    for (const std::int16_t sample : out)
        ASSERT_LE(std::abs(sample), Limiter::ceiling);
    EXPECT_LT(out[0], -30000) << "held just under the ceiling, not silenced";
    EXPECT_EQ(out.back(), 16000) << "the level comes back once the effect is over";
}

TEST(SynthLog, EachKindOfMessageIsToldOnceInOneLine) {
    testing::internal::CaptureStderr();
    EXPECT_TRUE(ReportSynthMessage(2, "Ringbuffer full, try increasing polyphony!\n"));
    EXPECT_FALSE(ReportSynthMessage(2, "Ringbuffer full, try increasing polyphony!\n"));
    EXPECT_TRUE(ReportSynthMessage(1, "channel 3 has no preset"));
    EXPECT_FALSE(ReportSynthMessage(1, "channel 12 has no preset")) << "the same kind";
    EXPECT_FALSE(ReportSynthMessage(3, "Using the soundfont")) << "chatter";
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
    EXPECT_NE(said.find(": music: Ringbuffer full, try increasing polyphony!\n"), said.npos);
}

} // namespace
