#pragma once

#include "core/game_state.h"

#include <filesystem>

// The settings and Best5 tables kept between runs, in one profile file with
// the sections [Record] and [Setting].

// $XDG_CONFIG_HOME/varnisk/varnisk.ini when XDG_CONFIG_HOME is an absolute
// path, else $HOME/.config/varnisk/varnisk.ini (the home folder from the
// password database when HOME is unset).
std::filesystem::path SettingsFilePath();

// Fills records, lastInputName, difficulty, floorFlags, musicOn, soundOn,
// speedUp and showJumpCount from the file; a missing or unreadable file, or a
// missing key, gives the defaults. Values the game cannot use are mended: a
// difficulty outside 1..3 becomes Normal, floor flags keep only the four
// known bits, and every Best5 table is put in order.
void LoadSettings(GameState& state, const std::filesystem::path& file);

// The whole-window scale the player asked for with [Setting] Zoom=N: N when
// it is a positive whole number, 0 (choose automatically) when the key or the
// file is missing or holds anything else. The game never writes this key.
std::int32_t LoadZoomSetting(const std::filesystem::path& file);

// Writes every setting and record into the file, keeping whatever else it
// holds, and replaces it atomically. Returns false when nothing was written:
// the folder or file could not be written, or a file exists that could not
// be read first (its records would be lost).
bool SaveSettings(const GameState& state, const std::filesystem::path& file);
