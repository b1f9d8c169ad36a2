#pragma once

#include "core/game_state.h"

#include <cstdint>
#include <string>
#include <string_view>

// The game's sound on the platform's audio: the wave effects by identifier
// (141..160) and the background music, one MIDI piece played from its
// beginning and started again each time it ends while a game is played with
// the music on. The ports the core and the shell call (PlayEffect,
// PlayMusic, StopMusic, LoadEffects, ReleaseEffects, OpenMusic, CloseMusic)
// are declared in core/ports.h and shell/shell_ports.h.

inline constexpr std::string_view musicFileName = "bgm1.mid";

// Where OpenMusic finds the piece; until told otherwise the bare name, in
// the current directory. The program entry passes down the file it located.
void SetMusicFile(std::string path);

// The music device's notice (wm::mciNotify): device and flags as sent.
void OnMusicNotify(GameState& state, std::uint32_t device, std::uint32_t flags);

// Answers a failed music command: a missing file is told to the player,
// every other failure passes without a word.
void ReportMusicError(GameState& state, int error);

// The one message the player ever sees.
inline constexpr std::string_view musicErrorCaption = "VARNISK Error";
inline constexpr std::string_view musicMissingText =
    "BGM1.MID was not found.  Please put it in the same folder as application file.";
