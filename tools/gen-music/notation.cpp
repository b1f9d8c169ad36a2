#include "notation.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace genmusic {
namespace {

std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    size_t start = 0;
    while (start < text.size()) {
        if (text[start] == ' ') {
            ++start;
            continue;
        }
        size_t end = text.find(' ', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        words.push_back(text.substr(start, end - start));
        start = end;
    }
    return words;
}

[[noreturn]] void Reject(std::string_view what, std::string_view text) {
    throw std::invalid_argument(std::string(what) + ": \"" + std::string(text) + "\"");
}

int ParseLetter(char letter) {
    switch (letter) {
    case 'C': return 0;
    case 'D': return 2;
    case 'E': return 4;
    case 'F': return 5;
    case 'G': return 7;
    case 'A': return 9;
    case 'B': return 11;
    default: return -1;
    }
}

// Reads a letter and an optional accidental; returns the pitch class and
// advances pos past them.
int ParsePitchClass(std::string_view text, size_t& pos) {
    if (pos >= text.size() || ParseLetter(text[pos]) < 0) {
        Reject("not a note name", text);
    }
    int pitchClass = ParseLetter(text[pos++]);
    if (pos < text.size() && (text[pos] == '#' || text[pos] == 'b')) {
        pitchClass += text[pos++] == '#' ? 1 : -1;
    }
    return (pitchClass + 12) % 12;
}

int ParseNumber(std::string_view digits, std::string_view context) {
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        Reject("not a number", context);
    }
    return std::stoi(std::string(digits));
}

} // namespace

int ParsePitch(std::string_view name) {
    size_t pos = 0;
    const int pitchClass = ParsePitchClass(name, pos);
    // B#/Cb cross the octave line; the octave number belongs to the letter.
    const int letterShift = name[0] == 'B' && pitchClass == 0    ? 12
                            : name[0] == 'C' && pitchClass == 11 ? -12
                                                                 : 0;
    const int octave = ParseNumber(name.substr(pos), name);
    const int key = (octave + 1) * 12 + pitchClass + letterShift;
    if (key < 0 || key > 127) {
        Reject("pitch out of range", name);
    }
    return key;
}

std::vector<NoteSpan> ParseNoteLine(std::string_view line) {
    std::vector<NoteSpan> notes;
    for (std::string_view word : SplitWords(line)) {
        const size_t colon = word.find(':');
        if (colon == std::string_view::npos) {
            Reject("a note needs \":length\"", word);
        }
        const std::string_view pitch = word.substr(0, colon);
        const int length = ParseNumber(word.substr(colon + 1), word);
        if (length <= 0) {
            Reject("a note needs a length", word);
        }
        notes.push_back({pitch == "r" ? kRest : ParsePitch(pitch), length});
    }
    return notes;
}

int TotalSixteenths(const std::vector<NoteSpan>& notes) {
    int total = 0;
    for (const NoteSpan& note : notes) {
        total += note.sixteenths;
    }
    return total;
}

Chord ParseChord(std::string_view symbol) {
    size_t pos = 0;
    Chord chord{ParsePitchClass(symbol, pos), {}};
    const std::string_view quality = symbol.substr(pos);
    if (quality.empty()) {
        chord.intervals = {0, 4, 7};
    } else if (quality == "m") {
        chord.intervals = {0, 3, 7};
    } else if (quality == "7") {
        chord.intervals = {0, 4, 7, 10};
    } else if (quality == "m7") {
        chord.intervals = {0, 3, 7, 10};
    } else if (quality == "maj7") {
        chord.intervals = {0, 4, 7, 11};
    } else if (quality == "dim") {
        chord.intervals = {0, 3, 6};
    } else {
        Reject("unknown chord", symbol);
    }
    return chord;
}

std::vector<Chord> ParseBarChords(std::string_view symbols) {
    std::vector<Chord> chords;
    for (std::string_view word : SplitWords(symbols)) {
        chords.push_back(ParseChord(word));
    }
    if (chords.size() != 1 && chords.size() != 2) {
        Reject("a bar holds one or two chords", symbols);
    }
    return chords;
}

std::vector<int> VoiceInWindow(const Chord& chord, int low) {
    std::vector<int> keys;
    for (int interval : chord.intervals) {
        const int pitchClass = (chord.root + interval) % 12;
        keys.push_back(low + (pitchClass - low % 12 + 12) % 12);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

} // namespace genmusic
