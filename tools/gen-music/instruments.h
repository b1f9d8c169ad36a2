#pragma once

// The band: one General MIDI channel per part, set up on the first tick so
// the song sounds the same whatever played before it.

namespace genmusic {

struct Instrument {
    const char* name;
    int channel; // 0-based; 9 is the General MIDI drum channel
    int program; // 0-based General MIDI program
    int volume;  // controller 7
    int pan;     // controller 10, 64 = centre
    int reverb;  // controller 91
    int chorus;  // controller 93
};

constexpr Instrument kLead{"Lead (square)", 0, 80, 78, 64, 40, 0};
constexpr Instrument kBass{"Bass", 1, 38, 104, 64, 10, 0};
constexpr Instrument kChords{"Chords (electric piano)", 2, 5, 88, 40, 50, 30};
constexpr Instrument kArpeggio{"Arpeggio (marimba)", 3, 12, 100, 90, 40, 0};
constexpr Instrument kCounter{"Counter (flute)", 4, 73, 112, 76, 50, 0};
constexpr Instrument kPad{"Pad (synth strings)", 5, 50, 64, 52, 70, 40};
constexpr Instrument kDrums{"Drums", 9, 0, 124, 64, 30, 0};

} // namespace genmusic
