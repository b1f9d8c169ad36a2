#pragma once

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The MIDI synthesizer needs a General MIDI soundfont, and the place the
// mixer's own build looks for one is usually empty, so the game finds one
// itself: the SDL_SOUNDFONTS setting when it names a file that is there
// (a colon-separated list: its first file that is there), else the usual
// system places.
inline constexpr std::array<std::string_view, 5> systemSoundFonts = {
    "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/soundfonts/default.sf2",    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2",
};

// fromEnvironment is SDL_SOUNDFONTS (nullptr when unset), places where to
// look then; isFile tells whether a path names a readable file. Nothing
// when none is usable.
std::optional<std::string> FindSoundFont(const char* fromEnvironment,
                                         std::span<const std::string_view> places,
                                         const std::function<bool(const std::string&)>& isFile);
