#include "platform/sdl/sdl_audio.h"

#include "platform/sdl/soundfont_lookup.h"
#include "platform/user/backend.h"
#include "program_name.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

// Every effect sounds on this one channel: playing on it cuts off the last.
constexpr int effectChannel = 0;

// Shared with the mixer's thread: the event type of a music end, and the
// moment the last effect was asked for until a mixed buffer has held it.
std::atomic<std::uint32_t> musicEventType{0};
std::atomic<std::uint64_t> effectAskedAt{0};
std::atomic<std::uint64_t> effectDelayTicks{0};

// The mixer calls this on its own thread at a natural end, and inside
// Mix_HaltMusic on ours: it only queues an event for the main thread.
void OnMusicFinished() {
    SDL_Event event{};
    event.type = musicEventType.load();
    SDL_PushEvent(&event);
}

// After each mixed buffer: the first one after an effect was started held
// its first samples.
void AfterMix(void*, Uint8*, int) {
    const std::uint64_t asked = effectAskedAt.exchange(0);
    if (asked != 0) {
        effectDelayTicks.store(SDL_GetPerformanceCounter() - asked);
    }
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

SdlAudio::~SdlAudio() {
    if (state_ != DeviceState::Open) {
        return;
    }
    Mix_HookMusicFinished(nullptr);
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    if (music_ != nullptr) {
        Mix_FreeMusic(music_);
    }
    for (auto& [image, chunk] : chunks_) {
        Mix_FreeChunk(chunk);
    }
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
    if (Mix_OpenAudio(frequency, AUDIO_S16SYS, 2, bufferFrames) != 0) {
        std::fprintf(stderr, "%s: no sound: %s\n", ProgramName(), Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_Init(MIX_INIT_MID);
    Mix_AllocateChannels(1);
    Mix_VolumeMusic(musicVolume);
    Mix_Volume(effectChannel, effectVolume);
    const Uint32 type = SDL_RegisterEvents(1);
    musicEventType.store(type == static_cast<Uint32>(-1) ? 0 : type);
    Mix_HookMusicFinished(OnMusicFinished);
    Mix_SetPostMix(AfterMix, nullptr);
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
    const std::uint64_t asked = SDL_GetPerformanceCounter();
    if (Mix_PlayChannel(effectChannel, chunk, 0) < 0) {
        return;
    }
    effectAskedAt.store(asked);
    if (toTheEnd) {
        // The game is held here: no events, no ticks, no painting.
        while (Mix_Playing(effectChannel) != 0) {
            SDL_Delay(1);
        }
        // The mixer is done with it once it is in the device's buffer; the
        // buffer still has to be heard.
        SDL_Delay(static_cast<Uint32>(bufferFrames * 1000 / frequency));
    }
}

void SdlAudio::StopWave() {
    if (state_ == DeviceState::Open) {
        Mix_HaltChannel(effectChannel);
    }
}

std::uint32_t SdlAudio::OpenMidi(std::string_view file, int& error) {
    const std::string path{file};
    if (!IsFile(path)) {
        error = mci::errorFileNotFound;
        return 0;
    }
    error = mci::errorDeviceNotReady;
    if (music_ != nullptr || !DeviceOpen()) {
        return 0;
    }
    if (!soundFontChecked_) {
        soundFontChecked_ = true;
        const std::optional<std::string> soundFont =
            FindSoundFont(SDL_getenv("SDL_SOUNDFONTS"), soundFontPlaces_, IsFile);
        soundFontFound_ = soundFont.has_value();
        if (soundFontFound_) {
            Mix_SetSoundFonts(soundFont->c_str());
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
    music_ = Mix_LoadMUS(path.c_str());
    if (music_ == nullptr) {
        error = mci::errorInvalidFile;
        return 0;
    }
    error = 0;
    musicDevice_ = ++lastDevice_;
    return musicDevice_;
}

void SdlAudio::HaltMusic(std::uint32_t flags) {
    if (Mix_PlayingMusic() != 0 && !plays_.empty()) {
        plays_.back().flags = flags;
    }
    Mix_HaltMusic(); // the finished hook queues the notice from in here
}

int SdlAudio::PlayMidi(std::uint32_t device, std::function<void(std::uint32_t)> onEnd) {
    if (device == 0 || device != musicDevice_) {
        return mci::errorInvalidDevice;
    }
    HaltMusic(mci::notifySuperseded);
    // Once: the piece loops by being started again on its notice, never
    // by the mixer, whose own looping would send no notice.
    if (Mix_PlayMusic(music_, 0) != 0) {
        return mci::errorDeviceNotReady;
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
    Mix_FreeMusic(music_);
    music_ = nullptr;
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
