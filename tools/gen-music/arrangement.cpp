#include "arrangement.h"

#include "instruments.h"
#include "notation.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace genmusic {
namespace {

constexpr uint32_t kSixteenth = kTicksPerSixteenth;

// One chord's share of a bar.
struct Span {
    Chord chord;
    uint32_t tick;     // where it starts
    int firstStep;     // its first sixteenth within the bar
    int steps;         // its length in sixteenths
    bool isSecondHalf; // the second chord of a two-chord bar
};

// Louder on the bar's first beat and on beats, softer off the eighths, so
// lines have a pulse instead of sounding typed.
int Accent(int stepInBar) {
    if (stepInBar == 0) {
        return 10;
    }
    if (stepInBar % 4 == 0) {
        return 5;
    }
    return stepInBar % 2 == 0 ? 0 : -8;
}

int KeyOfDegree(char degree, int root, int third, int fifth) {
    switch (degree) {
    case 'R': return root;
    case 'T': return third;
    case 'F': return fifth;
    case 'O': return root + 12;
    default: throw std::invalid_argument(std::string("unknown bass degree ") + degree);
    }
}

int Clamp(int velocity) {
    return std::clamp(velocity, 1, 127);
}

// The key a diatonic third below, in C major; a note outside the scale takes
// a minor third.
int ThirdBelow(int key) {
    static constexpr int kScale[] = {0, 2, 4, 5, 7, 9, 11};
    const int pitchClass = key % 12;
    const int* found = std::find(std::begin(kScale), std::end(kScale), pitchClass);
    if (found == std::end(kScale)) {
        return key - 3;
    }
    const int degree = static_cast<int>(found - std::begin(kScale));
    const int target = kScale[(degree + 5) % 7];
    return key - ((pitchClass - target + 12) % 12);
}

class Arranger {
  public:
    Arranger() {
        AddTempo(conductor_, 0, 60'000'000 / kTempoBpm);
        AddTimeSignature(conductor_, 0, 4, 2);
        AddKeySignature(conductor_, 0, 0, false);
        AddTrack(kLead);
        AddTrack(kCounter);
        AddTrack(kChords);
        AddTrack(kArpeggio);
        AddTrack(kPad);
        AddTrack(kBass);
        AddTrack(kDrums);
    }

    void PlaySection(const Section& section) {
        AddMarker(conductor_, barTick_, section.name);
        for (size_t index = 0; index < section.bars.size(); ++index) {
            const bool isLastBar = index + 1 == section.bars.size();
            PlayBar(section, section.bars[index], index == 0, isLastBar);
            barTick_ += kTicksPerBar;
        }
    }

    Arrangement Finish() {
        Arrangement result;
        result.endTick = barTick_;
        result.tracks.push_back(std::move(conductor_));
        for (Part& part : parts_) {
            result.tracks.push_back(std::move(part.track));
        }
        return result;
    }

    void MarkLastSection() { lastSection_ = true; }

  private:
    struct Part {
        const Instrument* instrument;
        MidiTrack track;
    };

    void AddTrack(const Instrument& instrument) {
        MidiTrack track{instrument.name, {}};
        const int channel = instrument.channel;
        AddController(track, channel, 0, 121, 0); // reset controllers first
        AddController(track, channel, 0, 0, 0);   // bank 0: the General MIDI sounds
        AddProgram(track, channel, 0, instrument.program);
        AddController(track, channel, 0, 7, instrument.volume);
        AddController(track, channel, 0, 10, instrument.pan);
        AddController(track, channel, 0, 11, 127);
        AddController(track, channel, 0, 91, instrument.reverb);
        AddController(track, channel, 0, 93, instrument.chorus);
        parts_.push_back({&instrument, std::move(track)});
    }

    MidiTrack& TrackOf(const Instrument& instrument) {
        for (Part& part : parts_) {
            if (part.instrument == &instrument) {
                return part.track;
            }
        }
        throw std::logic_error("no track for " + std::string(instrument.name));
    }

    void Note(const Instrument& instrument, uint32_t tick, uint32_t length, int key, int velocity) {
        AddNote(TrackOf(instrument), instrument.channel, tick, length, key, Clamp(velocity));
    }

    std::vector<Span> SpansOf(const Bar& bar) const {
        const std::vector<Chord> chords = ParseBarChords(bar.chords);
        if (chords.size() == 1) {
            return {{chords[0], barTick_, 0, kSixteenthsPerBar, false}};
        }
        const int half = kSixteenthsPerBar / 2;
        return {{chords[0], barTick_, 0, half, false},
                {chords[1], barTick_ + half * kSixteenth, half, half, true}};
    }

    void PlayBar(const Section& section, const Bar& bar, bool isFirstBar, bool isLastBar) {
        const std::vector<Span> spans = SpansOf(bar);
        PlayTune(section, bar);
        if (bar.bass[0] != '\0') {
            PlayLine(kBass, bar.bass, 104, 20);
        } else {
            for (const Span& span : spans) {
                PlayBassFigure(section.bass, span);
            }
        }
        for (const Span& span : spans) {
            PlayChords(section.chords, span);
            if (section.arpeggio) {
                PlayArpeggio(span);
            }
            if (section.pad) {
                PlayPad(span);
            }
        }
        const BarRole role = !isLastBar     ? BarRole::Body
                             : lastSection_ ? BarRole::LoopFill
                                            : BarRole::SectionFill;
        PlayDrums(section.drums, role, isFirstBar);
    }

    void PlayTune(const Section& section, const Bar& bar) {
        if (bar.tune[0] == '\0') {
            return;
        }
        const Instrument& voice = section.tune == TuneVoice::Lead ? kLead : kCounter;
        const std::vector<NoteSpan> notes = PlayLine(voice, bar.tune, 100, 40);
        if (!section.harmony) {
            return;
        }
        int step = 0;
        for (const NoteSpan& note : notes) {
            if (note.key != kRest) {
                Note(kCounter, barTick_ + step * kSixteenth, GateOf(note.sixteenths, 40),
                     ThirdBelow(note.key), 74 + Accent(step));
            }
            step += note.sixteenths;
        }
    }

    // Short notes keep most of their length, long ones breathe a little
    // before the next; either way a note ends before the next one starts.
    static uint32_t GateOf(int sixteenths, uint32_t breath) {
        const uint32_t length = static_cast<uint32_t>(sixteenths) * kSixteenth;
        return sixteenths <= 1 ? length - 20 : length - breath;
    }

    // A written line that must fill the bar exactly.
    std::vector<NoteSpan> PlayLine(const Instrument& instrument, const char* line, int velocity,
                                   uint32_t breath) {
        std::vector<NoteSpan> notes = ParseNoteLine(line);
        if (TotalSixteenths(notes) != kSixteenthsPerBar) {
            throw std::invalid_argument("bar does not add up to 16 sixteenths: \"" +
                                        std::string(line) + "\"");
        }
        int step = 0;
        for (const NoteSpan& note : notes) {
            if (note.key != kRest) {
                Note(instrument, barTick_ + step * kSixteenth, GateOf(note.sixteenths, breath),
                     note.key, velocity + Accent(step));
            }
            step += note.sixteenths;
        }
        return notes;
    }

    void PlayBassFigure(BassStyle style, const Span& span) {
        const BassFigure figure = FigureFor(style);
        const std::string_view text = span.isSecondHalf ? figure.secondHalf : figure.firstHalf;
        // The root sits between D2 and C#3, where a synth bass is round but clear.
        const int root = 38 + (span.chord.root - 38 % 12 + 12) % 12;
        const int third = root + span.chord.intervals[1];
        const int fifth = root + span.chord.intervals[2];
        std::vector<std::string_view> halves{text};
        if (span.steps == kSixteenthsPerBar) {
            halves.push_back(figure.secondHalf);
        }
        int step = span.firstStep;
        for (std::string_view half : halves) {
            for (size_t pos = 0; pos < half.size();) {
                const char degree = half[pos];
                const size_t end = std::min(half.find(' ', pos), half.size());
                const int length = std::stoi(std::string(half.substr(pos + 2, end - pos - 2)));
                const int key = KeyOfDegree(degree, root, third, fifth);
                Note(kBass, barTick_ + step * kSixteenth, GateOf(length, 20), key,
                     100 + Accent(step));
                step += length;
                pos = end + 1;
            }
        }
    }

    void PlayChords(ChordStyle style, const Span& span) {
        const std::vector<int> voicing = VoiceInWindow(span.chord, 55);
        if (style == ChordStyle::Sustained) {
            for (int key : voicing) {
                Note(kChords, span.tick, span.steps * kSixteenth - 30, key, 62);
            }
        } else if (style == ChordStyle::Offbeat) {
            // Stabs on the "and" of every beat: the skip in the song's step.
            for (int step = span.firstStep + 2; step < span.firstStep + span.steps; step += 4) {
                for (int key : voicing) {
                    Note(kChords, barTick_ + step * kSixteenth, kSixteenth + 40, key, 74);
                }
            }
        }
    }

    void PlayArpeggio(const Span& span) {
        std::vector<int> tones = VoiceInWindow(span.chord, 67);
        if (tones.size() < 4) {
            tones.push_back(tones.front() + 12);
        }
        // Up one beat, down the next.
        for (int step = 0; step < span.steps; ++step) {
            const int index = step % 4;
            const bool goingDown = (step / 4) % 2 == 1;
            const int key = tones[goingDown ? 3 - index : index];
            Note(kArpeggio, span.tick + step * kSixteenth, kSixteenth - 20, key,
                 index == 0 ? 76 : 62);
        }
    }

    void PlayPad(const Span& span) {
        for (int key : VoiceInWindow(span.chord, 60)) {
            Note(kPad, span.tick, span.steps * kSixteenth - 10, key, 58);
        }
    }

    void PlayDrums(DrumStyle style, BarRole role, bool isFirstBar) {
        if (isFirstBar) {
            Note(kDrums, barTick_, kSixteenth, kCrashCymbal, 108);
        }
        for (const DrumLine& line : DrumBar(style, role)) {
            if (std::string_view(line.steps).size() != kSixteenthsPerBar) {
                throw std::invalid_argument("drum line is not 16 steps: " +
                                            std::string(line.steps));
            }
            for (int step = 0; step < kSixteenthsPerBar; ++step) {
                const char hit = line.steps[step];
                if (hit == '.') {
                    continue;
                }
                const int velocity = hit == 'X' ? 112 : hit == 'x' ? 88 : 56;
                Note(kDrums, barTick_ + step * kSixteenth, kSixteenth / 2, line.key, velocity);
            }
        }
    }

    MidiTrack conductor_{"bgm1", {}};
    std::vector<Part> parts_;
    uint32_t barTick_ = 0;
    bool lastSection_ = false;
};

} // namespace

Arrangement ArrangeSong(const std::vector<Section>& song) {
    Arranger arranger;
    for (size_t index = 0; index < song.size(); ++index) {
        if (index + 1 == song.size()) {
            arranger.MarkLastSection();
        }
        arranger.PlaySection(song[index]);
    }
    return arranger.Finish();
}

} // namespace genmusic
