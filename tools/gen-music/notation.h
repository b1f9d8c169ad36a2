#pragma once

// The little text notation the tunes are written in, so a line of melody reads
// like a line of a lead sheet: "C5:2 E5:2 G5:4 r:8" is a pitch (C4 = middle C,
// key 60) or a rest "r", and a length in sixteenth notes.

#include <string_view>
#include <vector>

namespace genmusic {

constexpr int kRest = -1;

struct NoteSpan {
    int key = kRest;    // MIDI key, or kRest
    int sixteenths = 0; // length
};

// "C4" -> 60, "F#3" -> 54, "Bb5" -> 82. Throws on anything else.
int ParsePitch(std::string_view name);

std::vector<NoteSpan> ParseNoteLine(std::string_view line);

int TotalSixteenths(const std::vector<NoteSpan>& notes);

// A chord symbol as the pitch classes of its tones, root first:
// "C", "Am", "G7", "Dm7", "Em7", "A7", "Fmaj7", "Bb", "Bdim".
struct Chord {
    int root = 0;               // pitch class, 0 = C
    std::vector<int> intervals; // semitones above the root, 0 first
};

Chord ParseChord(std::string_view symbol);

// A bar's chords, "C" for the whole bar or "Dm7 G7" for two halves.
std::vector<Chord> ParseBarChords(std::string_view symbols);

// The chord's tones placed in the octave window [low, low + 12), ascending.
std::vector<int> VoiceInWindow(const Chord& chord, int low);

} // namespace genmusic
