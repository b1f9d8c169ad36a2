#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Little- and big-endian field writers shared by the file formats.
using Bytes = std::vector<std::uint8_t>;

void PutU8(Bytes& out, unsigned v);
void PutU16(Bytes& out, unsigned v);
void PutU32(Bytes& out, std::uint32_t v);
void PutU32BigEndian(Bytes& out, std::uint32_t v);

// Writes the bytes to the file; exits with a message when it cannot.
void WriteFile(const std::string& path, const Bytes& bytes);
