#include "composition.h"

namespace genmusic {
namespace {

// The theme: a bouncy line that leaps up the chord like the little character
// jumping from floor to floor, answered by a run that comes back down.
const std::vector<Bar> kThemeCall = {
    {"C", "C5:2 E5:2 G5:3 E5:1 G5:2 C6:4 r:2"},
    {"Am", "A5:3 G5:1 E5:2 C5:2 A4:4 C5:2 E5:2"},
    {"F", "F5:3 E5:1 F5:2 A5:2 C6:4 A5:2 F5:2"},
    {"G", "G5:6 F5:2 E5:2 D5:2 B4:2 D5:2"},
};
const std::vector<Bar> kThemeAnswer = {
    {"C", "C5:2 E5:2 G5:3 E5:1 G5:2 C6:4 D6:2"},
    {"Am", "E6:3 D6:1 C6:2 A5:2 E5:4 G5:2 A5:2"},
    {"Dm7 G7", "F5:2 A5:2 D6:2 C6:2 B5:2 G5:2 F5:2 D5:2"},
    {"C", "E5:2 G5:2 C6:8 r:4"},
};

// The theme's second time round: syncopated, climbing higher, closing lower.
const std::vector<Bar> kThemeCallVaried = {
    {"C", "C5:2 E5:2 G5:2 C6:2 r:2 G5:2 C6:2 E6:2"},
    {"Am", "D6:2 C6:2 A5:2 E5:2 r:2 A5:2 C6:2 E6:2"},
    {"F", "F6:3 E6:1 C6:2 A5:2 F5:4 A5:2 C6:2"},
    {"G", "D6:4 B5:2 G5:2 A5:2 B5:2 D6:2 B5:2"},
};
const std::vector<Bar> kThemeAnswerVaried = {
    {"C", "E6:2 C6:2 G5:3 E5:1 G5:2 C6:2 E6:2 G6:2"},
    {"Am", "A6:3 G6:1 E6:2 C6:2 A5:4 B5:2 C6:2"},
    {"Dm7 G7", "D6:2 F6:2 A6:2 F6:2 G6:2 F6:2 D6:2 B5:2"},
    {"C", "C6:4 G5:2 E5:2 C5:4 r:4"},
};

std::vector<Bar> Join(const std::vector<Bar>& first, const std::vector<Bar>& second) {
    std::vector<Bar> bars = first;
    bars.insert(bars.end(), second.begin(), second.end());
    return bars;
}

std::vector<Section> Compose() {
    std::vector<Section> song;

    // The flute calls the same little figure over three chords, then a
    // pickup climbs into the theme.
    song.push_back({.name = "Intro",
                    .bars = {{"C", "r:4 G5:2 C6:2 E6:2 C6:2 G5:4"},
                             {"Am", "r:4 A5:2 C6:2 E6:2 C6:2 A5:4"},
                             {"F", "r:4 A5:2 C6:2 F6:2 C6:2 A5:4"},
                             {"G7", "G5:4 r:4 G4:2 A4:2 B4:2 D5:2"}},
                    .tune = TuneVoice::Counter,
                    .arpeggio = true,
                    .drums = DrumStyle::Intro});

    song.push_back({.name = "A", .bars = Join(kThemeCall, kThemeAnswer)});

    // Longer notes over a moving progression; strings come in, drums get busier.
    song.push_back({.name = "B",
                    .bars = {{"F", "A5:4 C6:4 A5:2 G5:2 F5:4"},
                             {"G", "G5:6 A5:2 B5:4 D6:4"},
                             {"Em", "E6:4 D6:2 B5:2 G5:4 E5:4"},
                             {"Am", "A5:6 B5:2 C6:4 E6:4"},
                             {"Dm7", "F6:4 E6:2 D6:2 C6:4 A5:4"},
                             {"G", "B5:4 D6:4 G6:4 F6:2 D6:2"},
                             {"Em7 A7", "E6:2 D6:2 B5:2 G5:2 C#6:2 E6:2 G6:2 E6:2"},
                             {"Dm7 G7", "F6:4 E6:2 D6:2 B5:2 G5:2 F5:2 D5:2"}},
                    .bass = BassStyle::Walk,
                    .pad = true,
                    .drums = DrumStyle::Busy});

    song.push_back(
        {.name = "A'", .bars = Join(kThemeCallVaried, kThemeAnswerVaried), .arpeggio = true});

    // A breather: the flute sings in half time over minor chords, and
    // the flat seventh swings back to the dominant for the last theme.
    song.push_back({.name = "Bridge",
                    .bars = {{"Am", "E5:6 A5:2 C6:4 B5:2 A5:2"},
                             {"Em", "B5:6 G5:2 E5:8"},
                             {"F", "F5:2 A5:2 C6:4 F6:4 E6:2 C6:2"},
                             {"C", "E6:8 D6:4 C6:4"},
                             {"Dm", "D6:6 F6:2 A6:4 F6:4"},
                             {"Am", "E6:6 C6:2 A5:8"},
                             {"Bb", "D6:2 F6:2 Bb6:4 A6:4 F6:4"},
                             {"G7", "G6:4 F6:2 D6:2 B5:2 G5:2 F5:2 D5:2"}},
                    .tune = TuneVoice::Counter,
                    .bass = BassStyle::HalfTime,
                    .chords = ChordStyle::Sustained,
                    .arpeggio = true,
                    .pad = true,
                    .drums = DrumStyle::HalfTime});

    // Everyone at once, the flute a third under the lead.
    song.push_back({.name = "A''",
                    .bars = Join(kThemeCall, kThemeAnswerVaried),
                    .harmony = true,
                    .bass = BassStyle::Pump,
                    .arpeggio = true,
                    .pad = true,
                    .drums = DrumStyle::Final});

    // Leaves the tonic and walks the bass up G-A-B so that the song's first
    // bar, C with a crash, is where it lands when the game starts it again.
    song.push_back({.name = "Turnaround",
                    .bars = {{"F", "A5:2 C6:2 F6:2 C6:2 A5:2 C6:2 F6:4"},
                             {"G", "G6:4 F6:2 D6:2 B5:4 G5:4"},
                             {"Em Am", "E6:2 B5:2 G5:2 B5:2 C6:2 A5:2 E5:2 A5:2"},
                             {"Dm7 G7", "F5:2 A5:2 D6:2 C6:2 B5:4 G5:4",
                              "D3:2 C3:2 A2:2 F2:2 G2:4 A2:2 B2:2"}},
                    .arpeggio = true});

    return song;
}

} // namespace

const std::vector<Section>& Song() {
    static const std::vector<Section> song = Compose();
    return song;
}

} // namespace genmusic
