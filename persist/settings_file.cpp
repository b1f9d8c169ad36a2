#include "persist/settings_file.h"

#include "core/record_table.h"
#include "file_io.h"
#include "profile.h"
#include "profile_value.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char* recordSection = "Record";
constexpr const char* settingSection = "Setting";

constexpr std::int32_t defaultDifficulty = 2;

// Whatever is read, and whatever a save would write, fits the document's
// 32-bit offsets.
static_assert(maxReadableFileBytes + 65536 < maxProfileTextBytes);

// "%d%dR", "%d%dJ" and "%d%dN": table digit, place digit, then the letter
// for the score, the jumps or the name.
std::string RecordKey(int table, int place, char field) {
    return std::string{static_cast<char>('0' + table), static_cast<char>('0' + place), field};
}

// Every key of the [Record] section in the order a save writes them: each
// table's places with their score, jumps and name, then the last name typed.
std::vector<std::string> RecordKeys() {
    std::vector<std::string> keys;
    for (int d = 0; d < difficultyCount; ++d) {
        for (int r = 0; r < recordPlaces; ++r) {
            for (const char field : {'R', 'J', 'N'}) {
                keys.push_back(RecordKey(d, r, field));
            }
        }
    }
    keys.emplace_back("LastInputName");
    return keys;
}

const std::vector<std::string> settingKeys = {"Difficulty", "FloorFlag", "Music",
                                              "Sound",      "Speed",     "Jump"};

std::int32_t IntOr(const std::optional<std::string_view>& stored, std::int32_t fallback) {
    return stored ? ParseProfileInt(DecodeProfileString(*stored)) : fallback;
}

std::string StringOr(const std::optional<std::string_view>& stored, std::string_view fallback) {
    return DecodeProfileString(stored ? *stored : fallback);
}

SettingsFileResult ResultOf(const FileReadResult& read) {
    using Status = SettingsFileResult::Status;
    switch (read.status) {
    case FileReadResult::Status::Read: return {Status::Done, 0};
    case FileReadResult::Status::Missing: return {Status::Missing, 0};
    case FileReadResult::Status::NotAFile: return {Status::NotAFile, read.error};
    case FileReadResult::Status::TooLarge: return {Status::TooLarge, 0};
    case FileReadResult::Status::Unreadable: break;
    }
    return {Status::Unreadable, read.error};
}

} // namespace

SettingsFileResult LoadSettings(GameState& state, const std::filesystem::path& file) {
    FileReadResult read = ReadWholeFile(file);
    const SettingsFileResult result = ResultOf(read);
    // Whatever could not be read counts as no file: the defaults apply.
    const ProfileDocument document = read.status == FileReadResult::Status::Read
                                         ? ParseProfile(std::move(read.text))
                                         : ProfileDocument{};

    const std::vector<std::optional<std::string_view>> records =
        FindProfileValues(document, recordSection, RecordKeys());
    std::size_t k = 0;
    for (RecordTable& table : state.records) {
        for (int r = 0; r < recordPlaces; ++r, k += 3) {
            RecordEntry& entry = table[r];
            entry.score = IntOr(records[k], recordPlaces - r);
            entry.jumps = IntOr(records[k + 1], 0);
            SetName(entry.name, StringOr(records[k + 2], defaultHolderName));
        }
        // Put in the book's order; a stable sort keeps equal entries where
        // the file had them.
        SortRecordTable(table);
    }
    SetName(state.lastInputName, StringOr(records[k], defaultHolderName));

    const std::vector<std::optional<std::string_view>> settings =
        FindProfileValues(document, settingSection, settingKeys);
    state.difficulty = IntOr(settings[0], defaultDifficulty);
    if (state.difficulty < 1 || state.difficulty > difficultyCount) {
        state.difficulty = defaultDifficulty; // it picks a Best5 table: keep it in range
    }
    state.floorFlags = IntOr(settings[1], allFloorFlags) & allFloorFlags;
    state.musicOn = IntOr(settings[2], 1);
    state.soundOn = IntOr(settings[3], 1);
    state.speedUp = IntOr(settings[4], 0);
    state.showJumpCount = IntOr(settings[5], 0);
    return result;
}

std::int32_t LoadZoomSetting(const std::filesystem::path& file) {
    FileReadResult read = ReadWholeFile(file);
    if (read.status != FileReadResult::Status::Read) {
        return 0;
    }
    const std::int32_t zoom =
        GetProfileInt(ParseProfile(std::move(read.text)), settingSection, "Zoom", 0);
    return zoom > 0 ? zoom : 0;
}

bool LoadFullscreenSetting(const std::filesystem::path& file) {
    FileReadResult read = ReadWholeFile(file);
    return read.status == FileReadResult::Status::Read &&
           GetProfileInt(ParseProfile(std::move(read.text)), settingSection, "Fullscreen", 0) != 0;
}

SettingsFileResult SaveSettings(const GameState& state, const std::filesystem::path& file,
                                std::optional<bool> fullscreen) {
    using Status = SettingsFileResult::Status;
    FileReadResult read = ReadWholeFile(file);
    if (read.status != FileReadResult::Status::Read &&
        read.status != FileReadResult::Status::Missing) {
        return ResultOf(read); // never overwrite records we could not read
    }
    ProfileDocument document = ParseProfile(std::move(read.text));

    const std::vector<std::string> recordKeys = RecordKeys();
    std::vector<std::pair<std::string, std::string>> records;
    std::size_t k = 0;
    for (const RecordTable& table : state.records) {
        for (const RecordEntry& entry : table) {
            records.emplace_back(recordKeys[k++], std::to_string(entry.score));
            records.emplace_back(recordKeys[k++], std::to_string(entry.jumps));
            records.emplace_back(recordKeys[k++], std::string(NameText(entry.name)));
        }
    }
    records.emplace_back(recordKeys[k], std::string(NameText(state.lastInputName)));
    SetProfileStrings(document, recordSection, records);

    const std::int32_t values[] = {state.difficulty, state.floorFlags, state.musicOn,
                                   state.soundOn,    state.speedUp,    state.showJumpCount};
    std::vector<std::pair<std::string, std::string>> settings;
    for (std::size_t i = 0; i < settingKeys.size(); ++i) {
        settings.emplace_back(settingKeys[i], std::to_string(values[i]));
    }
    if (fullscreen) {
        settings.emplace_back("Fullscreen", *fullscreen ? "1" : "0");
    }
    SetProfileStrings(document, settingSection, settings);

    const std::string text = FormatProfile(document);
    if (text.size() > maxReadableFileBytes) {
        return {Status::TooLarge, 0}; // the next start would refuse to read it
    }
    const int error = ReplaceFileAtomically(file, text);
    return {error == 0 ? Status::Done : Status::WriteFailed, error};
}

std::string SettingsFileProblem(const SettingsFileResult& result) {
    using Status = SettingsFileResult::Status;
    switch (result.status) {
    case Status::Done: return "";
    case Status::Missing: return "there is no such file";
    case Status::TooLarge:
        return "it is larger than " + std::to_string(maxReadableFileBytes >> 20) + " MB";
    case Status::NotAFile:
        return result.error == EISDIR ? "a folder is in the way" : "it is not a regular file";
    case Status::Unreadable:
    case Status::WriteFailed: break;
    }
    if (result.error == ENOTDIR) {
        return "a file is in the way of its folder";
    }
    return std::strerror(result.error);
}
