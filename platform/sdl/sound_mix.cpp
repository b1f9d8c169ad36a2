#include "sound_mix.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdlib>

void MixFrames(std::span<const std::int16_t> music, std::span<const std::int16_t> effect,
               int effectVolume, int channels, Limiter& limiter, std::span<std::int16_t> out) {
    // SDL opens at most eight channels.
    constexpr std::size_t mostChannels = 8;
    const std::size_t width =
        std::clamp<std::size_t>(static_cast<std::size_t>(channels), 1, mostChannels);
    const std::size_t frames = out.size() / width;
    for (std::size_t frame = 0; frame < frames; ++frame) {
        // The music's left and right at full scale; a mono device gets
        // their mean, further channels of a surround device none.
        std::int32_t left = 0;
        std::int32_t right = 0;
        if (2 * frame + 1 < music.size()) {
            left = 2 * music[2 * frame];
            right = 2 * music[2 * frame + 1];
        }
        std::array<std::int32_t, mostChannels> sums{};
        std::int32_t peak = 0;
        for (std::size_t channel = 0; channel < width; ++channel) {
            std::int32_t& sum = sums[channel];
            sum = width == 1 ? (left + right) / 2 : channel == 0 ? left : channel == 1 ? right : 0;
            const std::size_t at = frame * width + channel;
            if (at < effect.size()) {
                sum += effect[at] * effectVolume / 128; // as the mixer's own volume does it
            }
            peak = std::max(peak, std::abs(sum));
        }
        // Down at once to what keeps this frame under the ceiling, so no
        // sample ever passes it; back up slowly, so that the music does
        // not pump.
        const float needed = static_cast<float>(peak) > Limiter::ceiling
                                 ? Limiter::ceiling / static_cast<float>(peak)
                                 : 1.0F;
        limiter.gain = std::min(needed, std::min(1.0F, limiter.gain + Limiter::recoveryPerFrame));
        for (std::size_t channel = 0; channel < width; ++channel) {
            out[frame * width + channel] = static_cast<std::int16_t>(
                std::lrint(static_cast<float>(sums[channel]) * limiter.gain));
        }
    }
}
