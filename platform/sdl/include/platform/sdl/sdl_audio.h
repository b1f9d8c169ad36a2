#pragma once

#include "platform/sdl/soundfont_lookup.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

// SDL_mixer's own type, named so that the backend's header needs no SDL.
struct Mix_Chunk;
class RenderedPiece;

// The SDL backend's sound, on SDL_mixer's device: one wave effect at a
// time (a new one cuts off the last) and the MIDI music, rendered ahead
// through FluidSynth at its first play and then played from memory, with a
// notice at each end of a play, at the piece's last sample. We mix the two
// ourselves, through a limiter, so that nothing clips. The device is
// opened on first use; when there is no sound card, or no soundfont for
// the music, the game is silent (or without music) and goes on.
class SdlAudio {
  public:
    // What the device is opened with: CD-rate stereo, and a small buffer
    // so that an effect starts within about one buffer of the tick.
    static constexpr int frequency = 44100;
    static constexpr int bufferFrames = 512;
    // The synthesizer's gain (FluidSynth's own default is 0.2) and the
    // effects' volume of 128: the music as loud against the effects as it
    // was through the mixer's MIDI player at 32 of its 128.
    static constexpr float musicGain = 0.3F;
    static constexpr int effectVolume = 100;

    // soundFontPlaces: where to look for a soundfont after SDL_SOUNDFONTS.
    explicit SdlAudio(std::span<const std::string_view> soundFontPlaces = systemSoundFonts);
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    void PlayWave(std::span<const std::uint8_t> wave, bool toTheEnd);
    void StopWave();
    std::uint32_t OpenMidi(std::string_view file, int& error);
    int PlayMidi(std::uint32_t device, std::function<void(std::uint32_t)> onEnd);
    int StopMidi(std::uint32_t device);
    int CloseMidi(std::uint32_t device);

    // The SDL event type that a play's end arrives as (0 until the device
    // is open); on the main thread, DeliverMusicEnd hands it on.
    std::uint32_t MusicEventType() const;
    void DeliverMusicEnd();

    // Whether the device could be opened (opening it if not yet tried).
    bool DeviceOpen();
    // Closes the device for good, once everything it played has been handed
    // to the driver (a recording ends complete); the game is silent after.
    // The music's rendering may still be running: it is freed with this.
    void CloseDevice();
    // Milliseconds from the last PlayWave to the first mixed buffer that
    // held its samples; nothing before an effect has been mixed.
    std::optional<double> LastEffectDelayMs() const;

  private:
    // What the audio thread's mixing shares with us (sdl_audio.cpp).
    struct MixState;
    static void Mix(void* state, std::uint8_t* stream, int length);

    Mix_Chunk* ChunkOf(std::span<const std::uint8_t> wave);
    // Halts the sounding piece; its notice gets the flags.
    void HaltMusic(std::uint32_t flags);

    std::span<const std::string_view> soundFontPlaces_;
    enum class DeviceState { NotTried, Open, Failed };
    DeviceState state_ = DeviceState::NotTried;
    bool soundFontChecked_ = false;
    bool soundFontFound_ = false;
    // The converted effects, by the image they were made from.
    std::map<std::pair<const std::uint8_t*, std::size_t>, Mix_Chunk*> chunks_;
    std::string soundFont_;
    std::string musicFile_;
    int rate_ = frequency;
    std::unique_ptr<MixState> mix_;
    // Made at the first play, so that a game with the music off never
    // loads the synthesizer; kept until the device is closed.
    std::unique_ptr<RenderedPiece> piece_;
    std::uint32_t musicDevice_ = 0;
    std::uint32_t lastDevice_ = 0;
    // The plays whose end has not been handed on yet, oldest first.
    struct Play {
        std::function<void(std::uint32_t)> onEnd;
        std::uint32_t flags;
    };
    std::deque<Play> plays_;
};
