#pragma once

#include <cstdint>
#include <span>

// The last step before the sound card: the music and the effect summed,
// and a limiter that keeps every sample of the sum below full scale, so
// that nothing ever clips whatever plays at once. It only acts when an
// effect meets a loud passage; otherwise the sum passes unchanged.
struct Limiter {
    // Never above this: about -0.5 dBFS.
    static constexpr float ceiling = 31000.0F;
    // After a peak the level comes back to whole over about 50 ms.
    static constexpr float recoveryPerFrame = 1.0F / 2205.0F;
    float gain = 1.0F;
};

// music: interleaved stereo frames at half scale, fewer than out's frames
// when the piece ends or lags (silence after them); effect: samples in the
// device's format, at effectVolume of 128; out: frames of `channels`
// samples, written whole.
void MixFrames(std::span<const std::int16_t> music, std::span<const std::int16_t> effect,
               int effectVolume, int channels, Limiter& limiter, std::span<std::int16_t> out);
