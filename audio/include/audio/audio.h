#pragma once

#include "base/handles.h"
#include "core/game_state.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The game's sound on the platform's audio: the wave effects by identifier
// (141..160) and the background music, one MIDI piece played from its
// beginning and started again each time it ends while a game is played with
// the music on. The shell's ports call these for the main window.

inline constexpr std::string_view musicFileName = "bgm1.mid";

// A wave effect held in memory from start-up.
struct WaveImage {
    const std::uint8_t* data;
    std::size_t size;
};

inline constexpr int firstMemoryEffect = 141;
inline constexpr int memoryEffectCount = 17; // 141..157

// What the sound owns for one main window. It starts zero-filled.
struct AudioResources {
    WindowHandle window; // gets the music's end notice (wm::mciNotify)
    std::array<WaveImage, memoryEffectCount> waveData;
    std::uint32_t musicDevice; // 0 when the music could not be opened
};

// The effects: the seventeen the game tick plays are held from start-up.
void LoadEffects(AudioResources& sound);
void PlayEffect(AudioResources& sound, int effectId);
void ReleaseEffects(AudioResources& sound);

// The music device: opened on the piece at start-up (its device in
// musicDevice, 0 when it could not be opened), played, stopped and closed.
void OpenMusic(AudioResources& sound, std::string_view file);
void PlayMusic(AudioResources& sound);
void StopMusic(AudioResources& sound);
void CloseMusic(AudioResources& sound);

// The music device's notice (wm::mciNotify): device and flags as sent.
void OnMusicNotify(const GameState& state, AudioResources& sound, std::uint32_t device,
                   std::uint32_t flags);

// Answers a failed music command: a missing file is told to the player in
// a box over the window (standing alone while the window is not yet
// shown), every other failure passes without a word.
void ReportMusicError(WindowHandle window, int error);

// The one message the player ever sees.
inline constexpr std::string_view musicErrorCaption = "VARNISK Error";
inline constexpr std::string_view musicMissingText =
    "BGM1.MID was not found.  Please put it in the same folder as application file.";
