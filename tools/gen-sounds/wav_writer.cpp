#include "wav_writer.h"

#include <fstream>

namespace gensounds {
namespace {

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

// RIFF numbers are little-endian whatever the machine.
void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFFu));
    }
}

} // namespace

std::vector<std::uint8_t> WaveImage(const std::vector<std::uint8_t>& samples, int sampleRate) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t pad = dataSize % 2;
    const auto rate = static_cast<std::uint32_t>(sampleRate);

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataSize + pad);
    PutTag(out, "RIFF");
    PutLittleEndian(out, 4 + (8 + 16) + (8 + dataSize + pad), 4);
    PutTag(out, "WAVE");

    PutTag(out, "fmt ");
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);    // PCM
    PutLittleEndian(out, 1, 2);    // one channel
    PutLittleEndian(out, rate, 4); // samples per second
    PutLittleEndian(out, rate, 4); // bytes per second: one byte a sample
    PutLittleEndian(out, 1, 2);    // block align
    PutLittleEndian(out, 8, 2);    // bits per sample

    PutTag(out, "data");
    PutLittleEndian(out, dataSize, 4);
    out.insert(out.end(), samples.begin(), samples.end());
    if (pad != 0) {
        out.push_back(0);
    }
    return out;
}

bool WriteWaveFile(const std::string& path, const std::vector<std::uint8_t>& image) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    return static_cast<bool>(file);
}

} // namespace gensounds
