#pragma once

// A small Standard MIDI File writer: tracks collect events at absolute ticks,
// and encoding turns them into deltas with running status.

#include <cstdint>
#include <string>
#include <vector>

namespace genmusic {

// Events at the same tick are written in this order, so a key released and
// struck again on one tick is released first, and a channel is set up before
// it plays.
enum class EventOrder { NoteOff = 0, Meta = 1, Setup = 2, NoteOn = 3 };

struct MidiEvent {
    uint32_t tick = 0;
    EventOrder order = EventOrder::Meta;
    std::vector<uint8_t> bytes; // status byte first; 0xFF starts a meta event
};

struct MidiTrack {
    std::string name;
    std::vector<MidiEvent> events;
};

void AddNote(MidiTrack& track, int channel, uint32_t tick, uint32_t length, int key, int velocity);
void AddController(MidiTrack& track, int channel, uint32_t tick, int controller, int value);
void AddProgram(MidiTrack& track, int channel, uint32_t tick, int program);
void AddTempo(MidiTrack& track, uint32_t tick, uint32_t microsecondsPerQuarter);
void AddTimeSignature(MidiTrack& track, uint32_t tick, int numerator, int denominatorPower);
void AddKeySignature(MidiTrack& track, uint32_t tick, int sharps, bool minor);
// A named place in the song (a section), for anyone reading the file in a sequencer.
void AddMarker(MidiTrack& track, uint32_t tick, const std::string& text);

std::vector<uint8_t> EncodeVariableLength(uint32_t value);

// The track chunk: its name first, then its events in time order, then the
// end-of-track event at exactly endTick. Every event must lie at or before it.
std::vector<uint8_t> EncodeTrack(const MidiTrack& track, uint32_t endTick);

// A format 1 file: the first track is the conductor track.
std::vector<uint8_t> EncodeFile(const std::vector<MidiTrack>& tracks, uint16_t ticksPerQuarter,
                                uint32_t endTick);

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace genmusic
