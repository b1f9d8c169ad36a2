#include "platform/sdl/sdl_audio.h"

#include "music_render.h"
#include "platform/sdl/soundfont_lookup.h"
#include "platform/user/backend.h"
#include "program_name.h"
#include "sound_mix.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fluidsynth.h>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

namespace {

// Shared with the mixer's thread: the event type of a music end, and the
// moment the last effect was asked for until a mixed buffer has held it.
std::atomic<std::uint32_t> musicEventType{0};
std::atomic<std::uint64_t> effectAskedAt{0};
std::atomic<std::uint64_t> effectDelayTicks{0};

// How long the piece goes on past its end without the game's answer: a
// quarter of a second at CD rate.
constexpr int unansweredFrames = 11025;

// A play's end, from the audio thread or ours: only an event for the main
// thread, which hands the notice on.
void PushMusicEnd() {
    SDL_Event event{};
    event.type = musicEventType.load();
    SDL_PushEvent(&event);
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

struct SdlAudio::MixState {
    std::mutex mutex;
    int channels = 2;
    // The piece, once its rendering has started, and where its play is.
    const RenderedPiece* piece = nullptr;
    std::size_t position = 0;
    bool musicPlaying = false;
    // Past its end, the piece goes on from its beginning until the game,
    // told of the end, starts it again (or stops it): the restart then
    // takes over where this has got to, and no gap is heard however late
    // the main thread answers. Unanswered, it stops after a moment.
    bool runningOn = false;
    // The sounding effect, in the device's format, and how far it has got.
    const Mix_Chunk* effect = nullptr;
    std::size_t effectAt = 0;
    Limiter limiter;
    std::vector<std::int16_t> music; // this buffer's frames of the piece
};

// The whole of the sound, on the audio thread: SDL_mixer calls its music
// hook first in every buffer, and we play nothing on its channels.
void SdlAudio::Mix(void* state, std::uint8_t* stream, int length) {
    auto& mix = *static_cast<MixState*>(state);
    const std::lock_guard lock{mix.mutex};
    const std::span<std::int16_t> out{reinterpret_cast<std::int16_t*>(stream),
                                      static_cast<std::size_t>(length) / 2};
    const std::size_t frames = out.size() / static_cast<std::size_t>(mix.channels);
    mix.music.resize(2 * frames);
    std::size_t musicFrames = 0;
    if ((mix.musicPlaying || mix.runningOn) && mix.piece != nullptr) {
        musicFrames = mix.piece->Read(mix.position, mix.music);
        mix.position += musicFrames;
        // Its last frame is in this buffer: the notice goes now. A piece
        // that rendered nothing never ends, so that it is not started
        // again and again.
        if (mix.musicPlaying && musicFrames < frames && mix.position > 0 && mix.piece->Done() &&
            mix.position == mix.piece->Rendered()) {
            mix.musicPlaying = false;
            mix.runningOn = true;
            PushMusicEnd();
            mix.position = mix.piece->Read(0, std::span(mix.music).subspan(2 * musicFrames));
            musicFrames += mix.position;
        } else if (mix.runningOn && mix.position > static_cast<std::size_t>(unansweredFrames)) {
            mix.runningOn = false;
        }
    }
    std::span<const std::int16_t> effect;
    if (mix.effect != nullptr) {
        const std::size_t samples = mix.effect->alen / 2;
        const std::size_t take = std::min(out.size(), samples - mix.effectAt);
        effect = {reinterpret_cast<const std::int16_t*>(mix.effect->abuf) + mix.effectAt, take};
        mix.effectAt += take;
        if (mix.effectAt >= samples) {
            mix.effect = nullptr;
        }
    }
    MixFrames(std::span(mix.music).first(2 * musicFrames), effect, effectVolume, mix.channels,
              mix.limiter, out);
    // The first buffer after an effect was started held its first samples.
    const std::uint64_t asked = effectAskedAt.exchange(0);
    if (asked != 0) {
        effectDelayTicks.store(SDL_GetPerformanceCounter() - asked);
    }
}

SdlAudio::SdlAudio(std::span<const std::string_view> soundFontPlaces)
    : soundFontPlaces_(soundFontPlaces), mix_(std::make_unique<MixState>()) {}

SdlAudio::~SdlAudio() {
    CloseDevice();
    piece_.reset();
}

void SdlAudio::CloseDevice() {
    if (state_ != DeviceState::Open) {
        return;
    }
    state_ = DeviceState::Failed;    // closed for good: nothing opens it again
    Mix_HookMusic(nullptr, nullptr); // returns once no buffer is being mixed
    {
        const std::lock_guard lock{mix_->mutex};
        mix_->piece = nullptr;
        mix_->effect = nullptr;
    }
    for (auto& [image, chunk] : chunks_) {
        Mix_FreeChunk(chunk);
    }
    chunks_.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudio::DeviceOpen() {
    if (state_ != DeviceState::NotTried) {
        return state_ == DeviceState::Open;
    }
    state_ = DeviceState::Failed;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "%s: no sound: %s\n", ProgramName(), SDL_GetError());
        return false;
    }
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    // The device may take another rate or channel count; never another
    // sample format, which our mixing is written for.
    if (Mix_OpenAudio(frequency, AUDIO_S16SYS, 2, bufferFrames) != 0 ||
        Mix_QuerySpec(&rate, &format, &channels) == 0 || format != AUDIO_S16SYS) {
        std::fprintf(stderr, "%s: no sound: %s\n", ProgramName(), Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    rate_ = rate;
    mix_->channels = channels;
    Mix_AllocateChannels(0);
    const Uint32 type = SDL_RegisterEvents(1);
    musicEventType.store(type == static_cast<Uint32>(-1) ? 0 : type);
    Mix_HookMusic(Mix, mix_.get());
    state_ = DeviceState::Open;
    return true;
}

Mix_Chunk* SdlAudio::ChunkOf(std::span<const std::uint8_t> wave) {
    const auto key = std::make_pair(wave.data(), wave.size());
    if (auto found = chunks_.find(key); found != chunks_.end()) {
        return found->second;
    }
    // Converted once to the device's rate and kept: the images live as long
    // as the program (in memory from start-up, or in its resources).
    SDL_RWops* bytes = SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size()));
    Mix_Chunk* chunk = bytes != nullptr ? Mix_LoadWAV_RW(bytes, 1) : nullptr;
    if (chunk != nullptr) {
        chunks_.emplace(key, chunk);
    }
    return chunk;
}

void SdlAudio::PlayWave(std::span<const std::uint8_t> wave, bool toTheEnd) {
    if (wave.empty() || !DeviceOpen()) {
        return;
    }
    Mix_Chunk* chunk = ChunkOf(wave);
    if (chunk == nullptr) {
        return; // a damaged effect is not heard
    }
    effectDelayTicks.store(0);
    {
        const std::lock_guard lock{mix_->mutex};
        mix_->effect = chunk;
        mix_->effectAt = 0;
        effectAskedAt.store(SDL_GetPerformanceCounter());
    }
    if (toTheEnd) {
        // The game is held here: no events, no ticks, no painting.
        for (;;) {
            {
                const std::lock_guard lock{mix_->mutex};
                if (mix_->effect != chunk) {
                    break;
                }
            }
            SDL_Delay(1);
        }
        // It is all in the device's buffer once mixed; the buffer still has
        // to be heard.
        SDL_Delay(static_cast<Uint32>(bufferFrames * 1000 / rate_));
    }
}

void SdlAudio::StopWave() {
    const std::lock_guard lock{mix_->mutex};
    mix_->effect = nullptr;
}

std::uint32_t SdlAudio::OpenMidi(std::string_view file, int& error) {
    const std::string path{file};
    if (!IsFile(path)) {
        error = mci::errorFileNotFound;
        return 0;
    }
    error = mci::errorDeviceNotReady;
    if (musicDevice_ != 0 || !DeviceOpen()) {
        return 0;
    }
    if (!soundFontChecked_) {
        soundFontChecked_ = true;
        const std::optional<std::string> soundFont =
            FindSoundFont(SDL_getenv("SDL_SOUNDFONTS"), soundFontPlaces_, IsFile);
        soundFontFound_ = soundFont.has_value();
        if (soundFontFound_) {
            soundFont_ = *soundFont;
        } else {
            std::fprintf(stderr,
                         "%s: no General MIDI soundfont found (install fluid-soundfont-gm or "
                         "set SDL_SOUNDFONTS); playing without music\n",
                         ProgramName());
        }
    }
    if (!soundFontFound_) {
        return 0;
    }
    // Only the file's header is read now; the synthesizer and the
    // soundfont wait for the first play, which a game with the music off
    // never asks for.
    RouteSynthLog();
    if (fluid_is_midifile(path.c_str()) == 0) {
        std::fprintf(stderr, "%s: %s is not a MIDI file; playing without music\n", ProgramName(),
                     path.c_str());
        error = mci::errorInvalidFile;
        return 0;
    }
    piece_.reset(); // a piece closed before
    musicFile_ = path;
    error = 0;
    musicDevice_ = ++lastDevice_;
    return musicDevice_;
}

void SdlAudio::HaltMusic(std::uint32_t flags) {
    bool wasPlaying = false;
    {
        const std::lock_guard lock{mix_->mutex};
        wasPlaying = mix_->musicPlaying;
        mix_->musicPlaying = false;
        mix_->runningOn = false;
    }
    if (wasPlaying) {
        if (!plays_.empty()) {
            plays_.back().flags = flags;
        }
        PushMusicEnd();
    }
}

int SdlAudio::PlayMidi(std::uint32_t device, std::function<void(std::uint32_t)> onEnd) {
    if (device == 0 || device != musicDevice_) {
        return mci::errorInvalidDevice;
    }
    if (!piece_) {
        piece_ = std::make_unique<RenderedPiece>(musicFile_, soundFont_, rate_, musicGain);
    }
    bool superseded = false;
    {
        // Once: the piece loops by being started again on its notice.
        const std::lock_guard lock{mix_->mutex};
        mix_->piece = piece_.get();
        superseded = mix_->musicPlaying;
        if (!mix_->runningOn) {
            mix_->position = 0;
        }
        mix_->runningOn = false;
        mix_->musicPlaying = true;
    }
    if (superseded) {
        plays_.back().flags = mci::notifySuperseded;
        PushMusicEnd();
    }
    plays_.push_back(Play{std::move(onEnd), mci::notifySuccessful});
    return 0;
}

int SdlAudio::StopMidi(std::uint32_t device) {
    if (device == 0 || device != musicDevice_) {
        return mci::errorInvalidDevice;
    }
    HaltMusic(mci::notifyAborted);
    return 0;
}

int SdlAudio::CloseMidi(std::uint32_t device) {
    if (device == 0 || device != musicDevice_) {
        return mci::errorInvalidDevice;
    }
    HaltMusic(mci::notifyAborted);
    {
        const std::lock_guard lock{mix_->mutex};
        mix_->piece = nullptr;
    }
    // Its rendering stops, but the piece is freed only with the device or
    // the next piece: the game closes its music as it ends, and must not
    // wait there for a soundfont that is still loading.
    if (piece_) {
        piece_->Cancel();
    }
    musicDevice_ = 0;
    return 0;
}

std::uint32_t SdlAudio::MusicEventType() const {
    return musicEventType.load();
}

void SdlAudio::DeliverMusicEnd() {
    if (plays_.empty()) {
        return;
    }
    Play ended = std::move(plays_.front());
    plays_.pop_front();
    if (ended.onEnd) {
        ended.onEnd(ended.flags);
    }
}

std::optional<double> SdlAudio::LastEffectDelayMs() const {
    const std::uint64_t ticks = effectDelayTicks.load();
    if (ticks == 0) {
        return std::nullopt;
    }
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(SDL_GetPerformanceFrequency());
}
