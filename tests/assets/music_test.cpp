// The background music is restarted from its beginning every time it ends,
// so besides being a valid Standard MIDI File it has to end cleanly on a bar
// line with nothing left sounding. These tests read the committed file with a
// reader of their own.

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kDrumChannel = 9; // "channel 10"
constexpr uint8_t kEndOfTrack = 0x2F;
constexpr uint8_t kTempo = 0x51;
constexpr uint8_t kTimeSignature = 0x58;

struct Event {
    uint32_t tick = 0;
    uint8_t status = 0;        // 0xFF meta, 0xF0/0xF7 system exclusive, else a channel message
    uint8_t metaType = 0;      // meta events only
    std::vector<uint8_t> data; // the channel message's data bytes, or the meta/sysex payload

    int Channel() const { return status & 0x0F; }
    int Kind() const { return status & 0xF0; }
    bool IsNoteOn() const { return Kind() == 0x90 && data[1] > 0; }
    bool IsNoteOff() const { return Kind() == 0x80 || (Kind() == 0x90 && data[1] == 0); }
    bool IsMeta(uint8_t type) const { return status == 0xFF && metaType == type; }
};

struct Track {
    std::vector<Event> events;
};

struct MidiFile {
    int format = -1;
    int declaredTracks = 0;
    int ticksPerQuarter = 0;
    std::vector<Track> tracks;
    std::string error; // the first fault found, empty when the file read cleanly
};

// Reads big-endian numbers and variable-length quantities, remembering the
// first read past the end instead of crashing.
class ByteReader {
  public:
    ByteReader(const std::vector<uint8_t>& bytes, size_t begin, size_t end)
        : bytes_(bytes), pos_(begin), end_(end) {}

    bool AtEnd() const { return pos_ >= end_; }
    bool Overran() const { return overran_; }
    size_t Position() const { return pos_; }

    uint8_t Peek() const { return pos_ < end_ ? bytes_[pos_] : 0; }

    uint8_t Byte() {
        if (pos_ >= end_) {
            overran_ = true;
            return 0;
        }
        return bytes_[pos_++];
    }

    uint32_t BigEndian(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            value = (value << 8) | Byte();
        }
        return value;
    }

    // At most four bytes, as the file format allows.
    uint32_t VariableLength() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t byte = Byte();
            value = (value << 7) | (byte & 0x7Fu);
            if ((byte & 0x80) == 0) {
                return value;
            }
        }
        overran_ = true;
        return value;
    }

    std::vector<uint8_t> Bytes(uint32_t count) {
        std::vector<uint8_t> out;
        for (uint32_t i = 0; i < count && !overran_; ++i) {
            out.push_back(Byte());
        }
        return out;
    }

  private:
    const std::vector<uint8_t>& bytes_;
    size_t pos_;
    size_t end_;
    bool overran_ = false;
};

int DataBytesOf(uint8_t status) {
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// One track chunk's events; the error names the first fault.
Track ReadTrack(ByteReader& in, std::string& error) {
    Track track;
    uint32_t tick = 0;
    uint8_t runningStatus = 0;
    while (!in.AtEnd() && error.empty()) {
        Event event;
        tick += in.VariableLength();
        event.tick = tick;
        if (!track.events.empty() && track.events.back().IsMeta(kEndOfTrack)) {
            error = "event after end-of-track";
            break;
        }
        if (in.Peek() & 0x80) {
            event.status = in.Byte();
        } else if (runningStatus != 0) {
            event.status = runningStatus; // running status: the byte is data
        } else {
            error = "data byte with no running status";
            break;
        }
        if (event.status == 0xFF) {
            event.metaType = in.Byte();
            event.data = in.Bytes(in.VariableLength());
            runningStatus = 0;
        } else if (event.status == 0xF0 || event.status == 0xF7) {
            event.data = in.Bytes(in.VariableLength());
            runningStatus = 0;
        } else if (event.status >= 0xF0) {
            error = "system message inside a track";
        } else {
            runningStatus = event.status;
            for (int i = 0; i < DataBytesOf(event.status); ++i) {
                event.data.push_back(in.Byte());
            }
            if (std::any_of(event.data.begin(), event.data.end(),
                            [](uint8_t byte) { return byte & 0x80; })) {
                error = "status byte where a data byte belongs";
            }
        }
        if (in.Overran()) {
            error = "event runs past the end of its chunk";
        }
        track.events.push_back(std::move(event));
    }
    return track;
}

MidiFile ReadMidiFile(const std::string& path) {
    MidiFile file;
    std::ifstream stream(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(stream),
                                     std::istreambuf_iterator<char>()};
    ByteReader header(bytes, 0, bytes.size());
    if (header.BigEndian(4) != 0x4D546864 || header.BigEndian(4) != 6) { // "MThd", 6 bytes
        file.error = "no MThd chunk of six bytes at the start";
        return file;
    }
    file.format = static_cast<int>(header.BigEndian(2));
    file.declaredTracks = static_cast<int>(header.BigEndian(2));
    file.ticksPerQuarter = static_cast<int>(header.BigEndian(2)); // top bit set: SMPTE
    size_t pos = header.Position();
    while (pos < bytes.size() && file.error.empty()) {
        ByteReader chunk(bytes, pos, bytes.size());
        const uint32_t type = chunk.BigEndian(4);
        const uint32_t length = chunk.BigEndian(4);
        const size_t bodyEnd = chunk.Position() + length;
        if (chunk.Overran() || bodyEnd > bytes.size()) {
            file.error = "chunk runs past the end of the file";
            break;
        }
        if (type == 0x4D54726B) { // "MTrk"; other chunk types are skipped
            ByteReader body(bytes, chunk.Position(), bodyEnd);
            file.tracks.push_back(ReadTrack(body, file.error));
        }
        pos = bodyEnd;
    }
    return file;
}

const MidiFile& Bgm1() {
    static const MidiFile file = ReadMidiFile(std::string(VARNISK_ASSET_DIR) + "/music/bgm1.mid");
    return file;
}

std::vector<Event> AllEvents(const MidiFile& file) {
    std::vector<Event> events;
    for (const Track& track : file.tracks) {
        events.insert(events.end(), track.events.begin(), track.events.end());
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.tick < b.tick; });
    return events;
}

uint32_t EndTick(const MidiFile& file) {
    uint32_t end = 0;
    for (const Track& track : file.tracks) {
        if (!track.events.empty()) {
            end = std::max(end, track.events.back().tick);
        }
    }
    return end;
}

double SecondsAt(const MidiFile& file, uint32_t endTick) {
    double seconds = 0;
    uint32_t tick = 0;
    uint32_t microsecondsPerQuarter = 500000; // 120 beats a minute until told otherwise
    for (const Event& event : AllEvents(file)) {
        if (event.tick >= endTick) {
            break;
        }
        if (event.IsMeta(kTempo) && event.data.size() == 3) {
            seconds +=
                double(event.tick - tick) * microsecondsPerQuarter / 1e6 / file.ticksPerQuarter;
            tick = event.tick;
            microsecondsPerQuarter = (event.data[0] << 16) | (event.data[1] << 8) | event.data[2];
        }
    }
    return seconds + double(endTick - tick) * microsecondsPerQuarter / 1e6 / file.ticksPerQuarter;
}

// Walks the bars under the time-signature map (4/4 until told otherwise).
bool IsOnBarLine(const MidiFile& file, uint32_t target) {
    std::vector<std::pair<uint32_t, uint32_t>> barLengths{{0, 4u * file.ticksPerQuarter}};
    for (const Event& event : AllEvents(file)) {
        if (event.IsMeta(kTimeSignature) && event.data.size() == 4) {
            const uint32_t length = event.data[0] * 4u * file.ticksPerQuarter >> event.data[1];
            barLengths.emplace_back(event.tick, length);
        }
    }
    uint32_t barLine = 0;
    while (barLine < target) {
        uint32_t length = 0;
        for (const auto& [from, barLength] : barLengths) {
            if (from <= barLine) {
                length = barLength;
            }
        }
        barLine += length;
    }
    return barLine == target;
}

TEST(Bgm1, IsAStandardMidiFileWithWellFormedTracks) {
    const MidiFile& file = Bgm1();
    ASSERT_EQ(file.error, "");
    EXPECT_TRUE(file.format == 0 || file.format == 1) << file.format;
    EXPECT_EQ(file.declaredTracks, static_cast<int>(file.tracks.size()));
    if (file.format == 0) {
        EXPECT_EQ(file.tracks.size(), 1u);
    }
    EXPECT_GT(file.ticksPerQuarter, 0);
    EXPECT_LT(file.ticksPerQuarter, 0x8000) << "timed in ticks per quarter, not SMPTE frames";
    for (size_t index = 0; index < file.tracks.size(); ++index) {
        const std::vector<Event>& events = file.tracks[index].events;
        ASSERT_FALSE(events.empty()) << "track " << index;
        EXPECT_TRUE(events.back().IsMeta(kEndOfTrack)) << "track " << index;
    }
}

TEST(Bgm1, LastsBetweenOneAndTwoMinutes) {
    const MidiFile& file = Bgm1();
    ASSERT_EQ(file.error, "");
    const double seconds = SecondsAt(file, EndTick(file));
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
}

// A loop that stumbles is heard every minute or so: the song must stop
// exactly on a bar line, every track with it, and leave nothing sounding.
TEST(Bgm1, EndsOnABarLineWithEveryNoteReleased) {
    const MidiFile& file = Bgm1();
    ASSERT_EQ(file.error, "");
    const uint32_t end = EndTick(file);
    EXPECT_TRUE(IsOnBarLine(file, end)) << "ends at tick " << end;
    for (size_t index = 0; index < file.tracks.size(); ++index) {
        EXPECT_EQ(file.tracks[index].events.back().tick, end) << "track " << index;
    }

    std::map<std::pair<int, int>, uint32_t> sounding; // (channel, key) -> tick struck
    for (const Event& event : AllEvents(file)) {
        const std::pair<int, int> note{event.Channel(), event.data.empty() ? 0 : event.data[0]};
        if (event.status >= 0xF0) {
            continue;
        }
        if (event.IsNoteOn()) {
            EXPECT_FALSE(sounding.count(note)) << "key " << note.second << " on channel "
                                               << note.first << " struck twice at " << event.tick;
            sounding[note] = event.tick;
        } else if (event.IsNoteOff()) {
            EXPECT_TRUE(sounding.erase(note))
                << "key " << note.second << " on channel " << note.first << " released unstruck at "
                << event.tick;
        }
    }
    for (const auto& [note, tick] : sounding) {
        ADD_FAILURE() << "key " << note.second << " on channel " << note.first << ", struck at "
                      << tick << ", is never released";
    }
}

TEST(Bgm1, PlaysDrumsOnChannelTenAndAtLeastThreeOtherParts) {
    std::set<int> channelsWithNotes;
    for (const Event& event : AllEvents(Bgm1())) {
        if (event.status < 0xF0 && event.IsNoteOn()) {
            channelsWithNotes.insert(event.Channel());
        }
    }
    EXPECT_TRUE(channelsWithNotes.count(kDrumChannel));
    channelsWithNotes.erase(kDrumChannel);
    EXPECT_GE(channelsWithNotes.size(), 3u);
}

// Whatever played before, every part sounds the same from the first note:
// program, volume and pan are set on the first tick of every channel used,
// before that channel's first note.
TEST(Bgm1, SetsUpEveryChannelBeforeItPlays) {
    std::map<int, std::set<int>> setUp; // channel -> 0xC0 and the controller numbers seen
    std::set<int> played;
    for (const Event& event : AllEvents(Bgm1())) {
        if (event.status >= 0xF0) {
            continue;
        }
        const int channel = event.Channel();
        if (event.tick == 0 && event.Kind() == 0xC0) {
            setUp[channel].insert(0xC0);
        } else if (event.tick == 0 && event.Kind() == 0xB0) {
            setUp[channel].insert(event.data[0]);
        } else if (event.IsNoteOn() && played.insert(channel).second) {
            const std::set<int>& seen = setUp[channel];
            EXPECT_TRUE(seen.count(0xC0)) << "no program change on channel " << channel;
            EXPECT_TRUE(seen.count(7)) << "no volume on channel " << channel;
            EXPECT_TRUE(seen.count(10)) << "no pan on channel " << channel;
        }
    }
    EXPECT_FALSE(played.empty());
}

} // namespace
