#include "sound_lengths.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace {

std::uint32_t ReadLittle(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

std::uint32_t ReadBig(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

bool HasTag(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view tag) {
    return at + tag.size() <= bytes.size() &&
           std::equal(tag.begin(), tag.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

// A MIDI track read byte by byte; every read past its end fails the whole file.
struct TrackReader {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
    bool broken = false;

    bool AtEnd() const { return broken || at >= bytes.size(); }
    std::uint8_t Byte() {
        if (at >= bytes.size()) {
            broken = true;
            return 0;
        }
        return bytes[at++];
    }
    // Variable-length quantities: seven bits a byte, high bit set on all but the last.
    std::uint32_t Quantity() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t byte = Byte();
            value = (value << 7) | (byte & 0x7F);
            if ((byte & 0x80) == 0) {
                return value;
            }
        }
        broken = true;
        return 0;
    }
    void Skip(std::uint32_t count) {
        if (count > bytes.size() - std::min(at, bytes.size())) {
            broken = true;
            return;
        }
        at += count;
    }
};

// Walks one track: its length in ticks, and its tempo changes (tick to
// microseconds per quarter note) added to tempos.
bool WalkTrack(std::span<const std::uint8_t> track, std::uint64_t& endTick,
               std::map<std::uint64_t, std::uint32_t>& tempos) {
    TrackReader reader{track};
    std::uint64_t tick = 0;
    std::uint8_t status = 0;
    while (!reader.AtEnd()) {
        tick += reader.Quantity();
        std::uint8_t byte = reader.Byte();
        if (byte == 0xFF) {
            const std::uint8_t type = reader.Byte();
            const std::uint32_t length = reader.Quantity();
            if (type == 0x51 && length == 3) {
                const std::uint32_t tempo = (static_cast<std::uint32_t>(reader.Byte()) << 16) |
                                            (static_cast<std::uint32_t>(reader.Byte()) << 8) |
                                            reader.Byte();
                tempos[tick] = tempo;
            } else {
                reader.Skip(length);
            }
            if (type == 0x2F) {
                break; // end of track
            }
            continue;
        }
        if (byte == 0xF0 || byte == 0xF7) {
            reader.Skip(reader.Quantity());
            continue;
        }
        if ((byte & 0x80) != 0) {
            status = byte;
        } else if (status == 0) {
            return false; // data without a status to run on
        } else {
            --reader.at; // running status: this byte is the first data byte
        }
        const std::uint8_t kind = status & 0xF0;
        reader.Skip(kind == 0xC0 || kind == 0xD0 ? 1 : 2);
    }
    endTick = tick;
    return !reader.broken;
}

} // namespace

std::optional<std::uint32_t> WaveLengthMs(std::span<const std::uint8_t> wave) {
    if (!HasTag(wave, 0, "RIFF") || !HasTag(wave, 8, "WAVE")) {
        return std::nullopt;
    }
    std::uint32_t sampleRate = 0;
    std::uint32_t blockAlign = 0;
    for (std::size_t at = 12; at + 8 <= wave.size();) {
        const std::uint32_t size = ReadLittle(wave, at + 4, 4);
        const std::size_t body = at + 8;
        if (HasTag(wave, at, "fmt ") && size >= 16 && body + 16 <= wave.size()) {
            sampleRate = ReadLittle(wave, body + 4, 4);
            blockAlign = ReadLittle(wave, body + 12, 2);
        } else if (HasTag(wave, at, "data")) {
            if (sampleRate == 0 || blockAlign == 0) {
                return std::nullopt;
            }
            const std::uint64_t bytes = std::min<std::uint64_t>(size, wave.size() - body);
            const std::uint64_t frames = bytes / blockAlign;
            return static_cast<std::uint32_t>((frames * 1000 + sampleRate - 1) / sampleRate);
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    return std::nullopt;
}

std::optional<std::uint32_t> MidiLengthMs(std::span<const std::uint8_t> midi) {
    if (!HasTag(midi, 0, "MThd") || midi.size() < 14) {
        return std::nullopt;
    }
    const std::uint32_t headerSize = ReadBig(midi, 4, 4);
    const std::uint32_t trackCount = ReadBig(midi, 10, 2);
    const auto division = static_cast<std::uint16_t>(ReadBig(midi, 12, 2));
    std::uint64_t endTick = 0;
    std::map<std::uint64_t, std::uint32_t> tempos;
    std::size_t at = 8 + static_cast<std::size_t>(headerSize);
    for (std::uint32_t track = 0; track < trackCount; ++track) {
        if (!HasTag(midi, at, "MTrk") || at + 8 > midi.size()) {
            return std::nullopt;
        }
        const std::uint32_t size = ReadBig(midi, at + 4, 4);
        if (size > midi.size() - (at + 8)) {
            return std::nullopt;
        }
        std::uint64_t trackEnd = 0;
        if (!WalkTrack(midi.subspan(at + 8, size), trackEnd, tempos)) {
            return std::nullopt;
        }
        endTick = std::max(endTick, trackEnd);
        at += 8 + static_cast<std::size_t>(size);
    }
    double microseconds = 0;
    if ((division & 0x8000) != 0) {
        // SMPTE time: frames per second times ticks per frame.
        const int framesPerSecond = -static_cast<std::int8_t>(division >> 8);
        const int ticksPerFrame = division & 0xFF;
        if (framesPerSecond <= 0 || ticksPerFrame == 0) {
            return std::nullopt;
        }
        microseconds = static_cast<double>(endTick) * 1e6 / (framesPerSecond * ticksPerFrame);
    } else {
        if (division == 0) {
            return std::nullopt;
        }
        // Each stretch between tempo changes at its own tempo; 120 beats a
        // minute until the first change.
        std::uint64_t tick = 0;
        std::uint32_t tempo = 500000;
        for (const auto& [changeTick, newTempo] : tempos) {
            const std::uint64_t until = std::min(changeTick, endTick);
            if (until > tick) {
                microseconds += static_cast<double>(until - tick) * tempo / division;
                tick = until;
            }
            tempo = newTempo;
        }
        microseconds += static_cast<double>(endTick - tick) * tempo / division;
    }
    return static_cast<std::uint32_t>((microseconds + 999.0) / 1000.0);
}
