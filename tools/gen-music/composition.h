#pragma once

// The song as data: sections of bars, each bar a chord symbol line and a line
// of tune, plus how the band plays each section. The arrangement turns this
// into MIDI tracks.

#include <vector>

namespace genmusic {

constexpr int kTempoBpm = 144;
constexpr int kTicksPerQuarter = 480;
constexpr int kTicksPerSixteenth = kTicksPerQuarter / 4;
constexpr int kSixteenthsPerBar = 16; // 4/4 throughout
constexpr int kTicksPerBar = kTicksPerSixteenth * kSixteenthsPerBar;

struct Bar {
    const char* chords;    // "C", or "Dm7 G7" for two half bars
    const char* tune;      // note line, "" where the tune rests
    const char* bass = ""; // a written-out bass line instead of the section's figure
};

enum class TuneVoice { Lead, Counter }; // which instrument carries the tune
enum class BassStyle { Bounce, Walk, HalfTime, Pump };
enum class ChordStyle { Silent, Offbeat, Sustained };
enum class DrumStyle { Intro, Drive, Busy, HalfTime, Final };

struct Section {
    const char* name;
    std::vector<Bar> bars;
    TuneVoice tune = TuneVoice::Lead;
    bool harmony = false; // the counter voice shadows the tune a third below
    BassStyle bass = BassStyle::Bounce;
    ChordStyle chords = ChordStyle::Offbeat;
    bool arpeggio = false;
    bool pad = false;
    DrumStyle drums = DrumStyle::Drive;
};

// Intro, A, B, A', bridge, A'', turnaround; the turnaround leads back into the
// intro, because the game restarts the song every time it ends.
const std::vector<Section>& Song();

// A bass figure for one chord, in degrees of the chord: R root, T third,
// F fifth, O octave, then ":length" in sixteenths. A bar with one chord plays
// both halves, a bar with two chords gives each its half.
struct BassFigure {
    const char* firstHalf;
    const char* secondHalf;
};

BassFigure FigureFor(BassStyle style);

// One drum's sixteen steps in a bar: 'X' accented, 'x' plain, 'o' ghost, '.' silent.
struct DrumLine {
    int key;
    const char* steps;
};

enum class BarRole { Body, SectionFill, LoopFill };

std::vector<DrumLine> DrumBar(DrumStyle style, BarRole role);

constexpr int kCrashCymbal = 49;

} // namespace genmusic
