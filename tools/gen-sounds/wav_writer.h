#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gensounds {

// The complete RIFF WAVE image of unsigned 8-bit mono PCM at `sampleRate`:
// a 16-byte "fmt " chunk and one "data" chunk, padded to an even length as
// RIFF requires (the pad byte is not counted in the data chunk's size).
std::vector<std::uint8_t> WaveImage(const std::vector<std::uint8_t>& samples, int sampleRate);

// Writes the image to `path`; false when the file cannot be written.
bool WriteWaveFile(const std::string& path, const std::vector<std::uint8_t>& image);

} // namespace gensounds
