// The wave effects. The seventeen the game tick plays (141..157) are held
// from start-up, the three rare ones (158..160) are read from the program's
// resources at each play. One effect sounds at a time: each new one cuts
// off the last; 159 and 160 hold the game until they have finished.

#include "assets/resources.h"
#include "audio/audio.h"
#include "platform/user/backend.h"
#include "platform/user/user.h"

namespace {

constexpr int lastMemoryEffect = firstMemoryEffect + memoryEffectCount - 1; // 157
constexpr int recordFanfare = 158; // the one rare effect that does not hold the game

std::span<const std::uint8_t> ResourceWave(int effectId) {
    return FindResource(ResourceKind::Wave, effectId).value_or(std::span<const std::uint8_t>());
}

} // namespace

void LoadEffects(AudioResources& sound) {
    for (int i = 0; i < memoryEffectCount; ++i) {
        const std::span<const std::uint8_t> wave = ResourceWave(firstMemoryEffect + i);
        sound.waveData[static_cast<std::size_t>(i)] = WaveImage{wave.data(), wave.size()};
    }
}

void PlayEffect(AudioResources& sound, int effectId) {
    Backend& backend = CurrentBackend();
    backend.StopWave();
    if (effectId <= lastMemoryEffect) {
        if (effectId < firstMemoryEffect) {
            return; // no such effect
        }
        const WaveImage& image =
            sound.waveData[static_cast<std::size_t>(effectId - firstMemoryEffect)];
        if (image.data != nullptr) {
            backend.PlayWave(effectId, {image.data, image.size}, false);
        }
        return;
    }
    const std::span<const std::uint8_t> wave = ResourceWave(effectId);
    if (!wave.empty()) {
        const bool holdsTheGame = effectId != recordFanfare;
        if (holdsTheGame) {
            // The pause sign, or the fall that ended the game, is on screen
            // while the sound holds everything.
            FlushScreen();
        }
        backend.PlayWave(effectId, wave, holdsTheGame);
    }
}

void ReleaseEffects(AudioResources& sound) {
    // The platform may still be reading an image: stop it before letting go.
    CurrentBackend().StopWave();
    sound.waveData = {};
}
