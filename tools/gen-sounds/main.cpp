// gen-sounds: renders the game's twenty wave effects into a folder, as
// 141.wav .. 160.wav. The output is committed; run this only to change them.
#include "effects.h"
#include "filters.h"
#include "mastering.h"
#include "wav_writer.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Everything an effect goes through between its recipe and the file.
std::vector<std::uint8_t> Master(const gensounds::Effect& effect) {
    using namespace gensounds;
    Signal signal = effect.render(SamplesFor(effect.seconds));
    Saturate(signal, effect.drive);
    DcBlocker dc;
    for (double& x : signal) {
        x = dc.Process(x);
    }
    // A little headroom below full scale keeps every sample off the rails.
    NormalizeLoudness(signal, effect.loudness, 0.92);
    ApplyEdgeFades(signal, effect.fadeInSeconds, effect.fadeOutSeconds);
    return ToUnsigned8(signal);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    for (const gensounds::Effect& effect : gensounds::AllEffects()) {
        const std::vector<std::uint8_t> samples = Master(effect);
        const std::string path = folder + "/" + std::to_string(effect.id) + ".wav";
        if (!gensounds::WriteWaveFile(path,
                                      gensounds::WaveImage(samples, gensounds::kSampleRate))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%d.wav  %5zu samples  %s\n", effect.id, samples.size(), effect.name.c_str());
    }
    return 0;
}
