#pragma once

#include "core/game_state.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// The settings and Best5 tables kept between runs, in one profile file with
// the sections [Record] and [Setting].

// $XDG_CONFIG_HOME/varnisk/varnisk.ini when XDG_CONFIG_HOME is an absolute
// path, else $HOME/.config/varnisk/varnisk.ini (the home folder from the
// password database when HOME is unset).
std::filesystem::path SettingsFilePath();

// What became of a load or a save, so that the game can tell the player why
// the records were not read or not kept.
struct SettingsFileResult {
    enum class Status {
        Done,        // loaded, or saved
        Missing,     // load: there is no file yet; the defaults apply
        Unreadable,  // a file is there but could not be read; a save does not
                     // replace it, since its records would be lost
        NotAFile,    // a folder, a pipe or a device is at the path; left alone
        TooLarge,    // the file, or what a save would make of it, is larger than
                     // any settings file: it is left untouched
        WriteFailed, // save: the new file could not be put in place (a
                     // read-only folder, a full disk, a file where a folder
                     // should be, ...); the old file is untouched
    };
    Status status = Status::Done;
    int error = 0; // the errno behind Unreadable, NotAFile (EISDIR for a folder)
                   // or WriteFailed; 0 when there is none

    // Nothing went wrong: the file was read or saved, or there was none to read.
    bool ok() const { return status == Status::Done || status == Status::Missing; }
};

// The reason in a few words, for a message to the player: "Permission
// denied", "No space left on device", "a folder is in the way", "larger than
// 64 MB".
std::string SettingsFileProblem(const SettingsFileResult& result);

// Fills records, lastInputName, difficulty, floorFlags, musicOn, soundOn,
// speedUp and showJumpCount from the file; a missing or unreadable file, or a
// missing key, gives the defaults, and the result says which. Values the
// game cannot use are mended: a difficulty outside 1..3 becomes Normal, floor
// flags keep only the four known bits, and every Best5 table is put in order.
SettingsFileResult LoadSettings(GameState& state, const std::filesystem::path& file);

// The whole-window scale the player asked for with [Setting] Zoom=N: N when
// it is a positive whole number, 0 (choose automatically) when the key or the
// file is missing or holds anything else. The game never writes this key.
std::int32_t LoadZoomSetting(const std::filesystem::path& file);

// Whether the player left the game fullscreen, [Setting] Fullscreen=1: a
// key of the desktop's own, beside the game's; false when it is missing or
// holds anything but a non-zero number.
bool LoadFullscreenSetting(const std::filesystem::path& file);

// Writes every setting and record into the file, keeping whatever else it
// holds, and replaces it atomically. Nothing is written when a file exists
// that could not be read first (its records would be lost), or when the file
// would grow larger than the game reads back. With fullscreen given, the
// Fullscreen key is written too (0 or 1); without, it is left as it is.
SettingsFileResult SaveSettings(const GameState& state, const std::filesystem::path& file,
                                std::optional<bool> fullscreen = std::nullopt);
