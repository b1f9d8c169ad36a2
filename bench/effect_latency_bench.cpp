// How long after the tick that plays an effect its first samples are mixed
// into the audio device's buffer. Run it on a real driver, or on SDL's
// "disk" or "dummy" driver, which take buffers at the real-time rate:
//   SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null bench/effect_latency_bench
// The buffer then still has to be played out by the device: add one buffer
// (512 frames at 44100 Hz, 11.6 ms) for the time until the last of it sounds.

#include "assets/resources.h"
#include "platform/sdl/sdl_audio.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <thread>

namespace {

void EffectToFirstMixedBuffer(benchmark::State& state) {
    SdlAudio audio;
    if (!audio.DeviceOpen()) {
        state.SkipWithError("no audio device");
        return;
    }
    const auto wave = *FindResource(ResourceKind::Wave, 143);
    double worst = 0;
    int played = 0;
    for ([[maybe_unused]] auto _ : state) {
        // A tick comes at any moment of the mixer's cycle: start each effect
        // a millisecond later in it than the last.
        std::this_thread::sleep_for(std::chrono::milliseconds(7 + played++ % 13));
        audio.PlayWave(wave, false);
        std::optional<double> delay;
        while (!(delay = audio.LastEffectDelayMs())) {
            std::this_thread::yield();
        }
        worst = std::max(worst, *delay);
        state.SetIterationTime(*delay / 1000.0);
    }
    state.counters["worst_ms"] = worst;
    state.counters["buffer_ms"] = 1000.0 * SdlAudio::bufferFrames / SdlAudio::frequency;
}
BENCHMARK(EffectToFirstMixedBuffer)
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

} // namespace
