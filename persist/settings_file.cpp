#include "persist/settings_file.h"

#include "core/record_table.h"
#include "file_io.h"
#include "profile.h"

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace {

constexpr const char* recordSection = "Record";
constexpr const char* settingSection = "Setting";

constexpr std::int32_t defaultDifficulty = 2;

// "%d%dR", "%d%dJ" and "%d%dN": table digit, place digit, then the letter
// for the score, the jumps or the name.
std::string RecordKey(int table, int place, char field) {
    return std::string{static_cast<char>('0' + table), static_cast<char>('0' + place), field};
}

std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir) {
        return entry->pw_dir;
    }
    return "."; // nowhere better: the current folder
}

// The loaded table in the book's order; a stable sort keeps equal entries
// where the file had them.
void LoadRecordTable(RecordTable& table, const ProfileDocument& document, int d) {
    for (int r = 0; r < recordPlaces; ++r) {
        RecordEntry& entry = table[r];
        entry.score =
            GetProfileInt(document, recordSection, RecordKey(d, r, 'R'), recordPlaces - r);
        entry.jumps = GetProfileInt(document, recordSection, RecordKey(d, r, 'J'), 0);
        SetName(entry.name,
                GetProfileString(document, recordSection, RecordKey(d, r, 'N'), defaultHolderName));
    }
    SortRecordTable(table);
}

void SetProfileInt(ProfileDocument& document, const char* section, const std::string& key,
                   std::int32_t value) {
    SetProfileString(document, section, key, std::to_string(value));
}

} // namespace

std::filesystem::path SettingsFilePath() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME is invalid and is ignored.
    std::filesystem::path base = configHome != nullptr ? configHome : "";
    if (!base.is_absolute()) {
        base = HomeFolder() / ".config";
    }
    return base / "varnisk" / "varnisk.ini";
}

void LoadSettings(GameState& state, const std::filesystem::path& file) {
    FileReadResult read = ReadWholeFile(file);
    // Whatever could not be read counts as no file: the defaults apply.
    const ProfileDocument document =
        read.status == FileReadResult::Status::Read ? ParseProfile(read.text) : ProfileDocument{};

    for (int d = 0; d < difficultyCount; ++d) {
        LoadRecordTable(state.records[d], document, d);
    }
    SetName(state.lastInputName,
            GetProfileString(document, recordSection, "LastInputName", defaultHolderName));

    state.difficulty = GetProfileInt(document, settingSection, "Difficulty", defaultDifficulty);
    if (state.difficulty < 1 || state.difficulty > difficultyCount) {
        state.difficulty = defaultDifficulty; // it picks a Best5 table: keep it in range
    }
    state.floorFlags =
        GetProfileInt(document, settingSection, "FloorFlag", allFloorFlags) & allFloorFlags;
    state.musicOn = GetProfileInt(document, settingSection, "Music", 1);
    state.soundOn = GetProfileInt(document, settingSection, "Sound", 1);
    state.speedUp = GetProfileInt(document, settingSection, "Speed", 0);
    state.showJumpCount = GetProfileInt(document, settingSection, "Jump", 0);
}

std::int32_t LoadZoomSetting(const std::filesystem::path& file) {
    FileReadResult read = ReadWholeFile(file);
    if (read.status != FileReadResult::Status::Read) {
        return 0;
    }
    const std::int32_t zoom = GetProfileInt(ParseProfile(read.text), settingSection, "Zoom", 0);
    return zoom > 0 ? zoom : 0;
}

bool SaveSettings(const GameState& state, const std::filesystem::path& file) {
    FileReadResult read = ReadWholeFile(file);
    if (read.status == FileReadResult::Status::Unreadable) {
        return false; // never overwrite records we could not read
    }
    ProfileDocument document = ParseProfile(read.text);

    for (int d = 0; d < difficultyCount; ++d) {
        for (int r = 0; r < recordPlaces; ++r) {
            const RecordEntry& entry = state.records[d][r];
            SetProfileInt(document, recordSection, RecordKey(d, r, 'R'), entry.score);
            SetProfileInt(document, recordSection, RecordKey(d, r, 'J'), entry.jumps);
            SetProfileString(document, recordSection, RecordKey(d, r, 'N'), NameText(entry.name));
        }
    }
    SetProfileString(document, recordSection, "LastInputName", NameText(state.lastInputName));

    SetProfileInt(document, settingSection, "Difficulty", state.difficulty);
    SetProfileInt(document, settingSection, "FloorFlag", state.floorFlags);
    SetProfileInt(document, settingSection, "Music", state.musicOn);
    SetProfileInt(document, settingSection, "Sound", state.soundOn);
    SetProfileInt(document, settingSection, "Speed", state.speedUp);
    SetProfileInt(document, settingSection, "Jump", state.showJumpCount);

    return ReplaceFileAtomically(file, FormatProfile(document));
}
