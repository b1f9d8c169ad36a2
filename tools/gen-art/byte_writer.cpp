#include "byte_writer.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

void PutU8(Bytes& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
}

void PutU16(Bytes& out, unsigned v) {
    PutU8(out, v & 0xFF);
    PutU8(out, (v >> 8) & 0xFF);
}

void PutU32(Bytes& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

void PutU32BigEndian(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        PutU8(out, (v >> shift) & 0xFF);
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::fprintf(stderr, "gen-art: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}
