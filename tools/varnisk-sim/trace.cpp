#include "trace.h"

#include <cstdio>

namespace {

void WriteSounds(std::ostream& out, const std::vector<int>& sounds,
                 const std::vector<std::string>& music) {
    out << "\"sounds\":[";
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        out << (i == 0 ? "" : ",") << sounds[i];
    }
    out << "],\"music\":[";
    for (std::size_t i = 0; i < music.size(); ++i) {
        out << (i == 0 ? "" : ",") << JsonString(music[i]);
    }
    out << "]";
}

// The length of the valid UTF-8 sequence at text[i], or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, code = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < minimum || code > 0x10FFFF || surrogate ? 0 : length;
}

} // namespace

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
            ++i;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else if (const std::size_t length = Utf8SequenceLength(text, i); length != 0) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
            ++i;
        }
    }
    out += '"';
    return out;
}

void WriteTraceLine(std::ostream& out, std::int64_t tick, const GameState& s,
                    const std::vector<int>& sounds, const std::vector<std::string>& music) {
    out << "{\"tick\":" << tick << ",\"mode\":" << static_cast<std::int32_t>(s.mode)
        << ",\"playerX\":" << s.playerX << ",\"playerY\":" << s.playerY
        << ",\"facing\":" << s.facing << ",\"verticalSpeed\":" << s.verticalSpeed
        << ",\"standingFloor\":" << s.standingFloor << ",\"jumpPower\":" << s.jumpPower
        << ",\"charging\":" << s.charging << ",\"airborne\":" << s.airborne
        << ",\"animFrame\":" << s.animFrame << ",\"jumpHeld\":" << s.jumpHeld
        << ",\"patternIndex\":" << s.patternIndex << ",\"scrollPhase\":" << s.scrollPhase
        << ",\"rollPhase\":" << s.rollPhase << ",\"shownFloor\":" << s.shownFloor
        << ",\"floorCount\":" << s.floorCount << ",\"jumpCount\":" << s.jumpCount
        << ",\"difficulty\":" << s.difficulty << ",\"floorFlags\":" << s.floorFlags
        << ",\"practiceDifficulty\":" << s.practiceDifficulty
        << ",\"practiceFloorFlags\":" << s.practiceFloorFlags << ",\"musicOn\":" << s.musicOn
        << ",\"soundOn\":" << s.soundOn << ",\"speedUp\":" << s.speedUp
        << ",\"showJumpCount\":" << s.showJumpCount << ",\"floors\":[";
    for (std::size_t i = 0; i < s.floors.size(); ++i) {
        const FloorSlot& f = s.floors[i];
        out << (i == 0 ? "[" : ",[") << static_cast<std::int32_t>(f.kind) << ',' << f.x << ','
            << f.y << ',' << f.phase << ',' << f.velocity << ',' << f.dirty << ']';
    }
    out << "],";
    WriteSounds(out, sounds, music);
    out << "}\n";
}

void WriteFinalLine(std::ostream& out, const GameState& state, const std::vector<int>& sounds,
                    const std::vector<std::string>& music) {
    out << "{\"final\":true,\"records\":[";
    for (std::size_t d = 0; d < state.records.size(); ++d) {
        out << (d == 0 ? "[" : ",[");
        for (std::size_t r = 0; r < state.records[d].size(); ++r) {
            const RecordEntry& e = state.records[d][r];
            out << (r == 0 ? "" : ",") << "{\"name\":" << JsonString(NameText(e.name))
                << ",\"score\":" << e.score << ",\"jumps\":" << e.jumps << "}";
        }
        out << "]";
    }
    out << "],\"lastInputName\":" << JsonString(NameText(state.lastInputName)) << ",";
    WriteSounds(out, sounds, music);
    out << "}\n";
}
