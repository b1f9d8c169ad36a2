// Writes the game's background music as a Standard MIDI File:
//   gen-music <output path, e.g. assets/music/bgm1.mid>

#include "arrangement.h"
#include "composition.h"
#include "midi_writer.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.mid>\n", argv[0]);
        return 2;
    }
    try {
        const genmusic::Arrangement arrangement = genmusic::ArrangeSong(genmusic::Song());
        const std::vector<uint8_t> file = genmusic::EncodeFile(
            arrangement.tracks, genmusic::kTicksPerQuarter, arrangement.endTick);
        if (!genmusic::WriteBytes(argv[1], file)) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            return 1;
        }
        const double seconds =
            arrangement.endTick / double(genmusic::kTicksPerQuarter) * 60.0 / genmusic::kTempoBpm;
        std::printf("%s: %zu tracks, %u ticks, %.2f s, %zu bytes\n", argv[1],
                    arrangement.tracks.size(), arrangement.endTick, seconds, file.size());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "gen-music: %s\n", error.what());
        return 1;
    }
    return 0;
}
