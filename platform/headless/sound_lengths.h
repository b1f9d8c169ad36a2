#pragma once

#include <cstdint>
#include <optional>
#include <span>

// How long a sound lasts, read from its file, so that the headless backend
// can keep time with it without playing it.

// A RIFF WAVE image of uncompressed PCM: its samples' length in whole
// milliseconds, rounded up; nothing when it is not such an image.
std::optional<std::uint32_t> WaveLengthMs(std::span<const std::uint8_t> wave);

// A standard MIDI file: the time from its start to its last track's end,
// through its tempo changes, in whole milliseconds rounded up; nothing when
// it cannot be read.
std::optional<std::uint32_t> MidiLengthMs(std::span<const std::uint8_t> midi);
