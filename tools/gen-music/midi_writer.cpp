#include "midi_writer.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace genmusic {
namespace {

uint8_t Byte(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

uint8_t DataByte(int value) {
    if (value < 0 || value > 127) {
        throw std::invalid_argument("MIDI data byte out of range: " + std::to_string(value));
    }
    return static_cast<uint8_t>(value);
}

uint8_t Status(int kind, int channel) {
    if (channel < 0 || channel > 15) {
        throw std::invalid_argument("MIDI channel out of range: " + std::to_string(channel));
    }
    return Byte(kind | channel);
}

void AppendBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>((value >> shift) & 0xFF));
    }
}

void AppendMeta(std::vector<uint8_t>& out, uint8_t type, const std::vector<uint8_t>& data) {
    out.push_back(0xFF);
    out.push_back(type);
    const std::vector<uint8_t> length = EncodeVariableLength(static_cast<uint32_t>(data.size()));
    out.insert(out.end(), length.begin(), length.end());
    out.insert(out.end(), data.begin(), data.end());
}

void AddMeta(MidiTrack& track, uint32_t tick, uint8_t type, const std::vector<uint8_t>& data) {
    MidiEvent event{tick, EventOrder::Meta, {}};
    AppendMeta(event.bytes, type, data);
    track.events.push_back(std::move(event));
}

} // namespace

void AddNote(MidiTrack& track, int channel, uint32_t tick, uint32_t length, int key, int velocity) {
    if (length == 0 || velocity < 1) {
        throw std::invalid_argument("a note needs a length and a velocity");
    }
    track.events.push_back(
        {tick, EventOrder::NoteOn, {Status(0x90, channel), DataByte(key), DataByte(velocity)}});
    track.events.push_back(
        {tick + length, EventOrder::NoteOff, {Status(0x80, channel), DataByte(key), 64}});
}

void AddController(MidiTrack& track, int channel, uint32_t tick, int controller, int value) {
    track.events.push_back(
        {tick, EventOrder::Setup, {Status(0xB0, channel), DataByte(controller), DataByte(value)}});
}

void AddProgram(MidiTrack& track, int channel, uint32_t tick, int program) {
    track.events.push_back({tick, EventOrder::Setup, {Status(0xC0, channel), DataByte(program)}});
}

void AddTempo(MidiTrack& track, uint32_t tick, uint32_t microsecondsPerQuarter) {
    std::vector<uint8_t> data;
    AppendBigEndian(data, microsecondsPerQuarter, 3);
    AddMeta(track, tick, 0x51, data);
}

void AddTimeSignature(MidiTrack& track, uint32_t tick, int numerator, int denominatorPower) {
    // 24 clocks per metronome click, 8 thirty-seconds per quarter: the usual values.
    AddMeta(track, tick, 0x58, {DataByte(numerator), DataByte(denominatorPower), 24, 8});
}

void AddKeySignature(MidiTrack& track, uint32_t tick, int sharps, bool minor) {
    AddMeta(track, tick, 0x59, {static_cast<uint8_t>(static_cast<int8_t>(sharps)), uint8_t{minor}});
}

void AddMarker(MidiTrack& track, uint32_t tick, const std::string& text) {
    AddMeta(track, tick, 0x06, {text.begin(), text.end()});
}

std::vector<uint8_t> EncodeVariableLength(uint32_t value) {
    if (value > 0x0FFFFFFF) {
        throw std::invalid_argument("variable-length quantity above 28 bits");
    }
    std::vector<uint8_t> groups{static_cast<uint8_t>(value & 0x7F)};
    for (value >>= 7; value != 0; value >>= 7) {
        groups.push_back(static_cast<uint8_t>(0x80 | (value & 0x7F)));
    }
    std::reverse(groups.begin(), groups.end());
    return groups;
}

std::vector<uint8_t> EncodeTrack(const MidiTrack& track, uint32_t endTick) {
    std::vector<const MidiEvent*> ordered;
    for (const MidiEvent& event : track.events) {
        if (event.tick > endTick) {
            throw std::invalid_argument("event after the end of track " + track.name);
        }
        ordered.push_back(&event);
    }
    // Stable, so events of one kind keep the order they were added in.
    std::stable_sort(ordered.begin(), ordered.end(), [](const MidiEvent* a, const MidiEvent* b) {
        return a->tick != b->tick ? a->tick < b->tick : a->order < b->order;
    });

    std::vector<uint8_t> body{0x00}; // the name comes first, at delta 0
    AppendMeta(body, 0x03, {track.name.begin(), track.name.end()});
    uint32_t lastTick = 0;
    uint8_t runningStatus = 0;
    for (const MidiEvent* event : ordered) {
        const std::vector<uint8_t> delta = EncodeVariableLength(event->tick - lastTick);
        body.insert(body.end(), delta.begin(), delta.end());
        lastTick = event->tick;
        const uint8_t status = event->bytes.front();
        const bool isChannelMessage = status < 0xF0;
        const bool skipStatus = isChannelMessage && status == runningStatus;
        body.insert(body.end(), event->bytes.begin() + (skipStatus ? 1 : 0), event->bytes.end());
        // Meta events cancel running status, so the next channel message spells its own.
        runningStatus = isChannelMessage ? status : 0;
    }
    const std::vector<uint8_t> delta = EncodeVariableLength(endTick - lastTick);
    body.insert(body.end(), delta.begin(), delta.end());
    AppendMeta(body, 0x2F, {});

    std::vector<uint8_t> chunk{'M', 'T', 'r', 'k'};
    AppendBigEndian(chunk, static_cast<uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

std::vector<uint8_t> EncodeFile(const std::vector<MidiTrack>& tracks, uint16_t ticksPerQuarter,
                                uint32_t endTick) {
    std::vector<uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    AppendBigEndian(file, static_cast<uint32_t>(tracks.size()), 2);
    AppendBigEndian(file, ticksPerQuarter, 2);
    for (const MidiTrack& track : tracks) {
        const std::vector<uint8_t> chunk = EncodeTrack(track, endTick);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace genmusic
