#pragma once

#include <cstdint>
#include <span>
#include <vector>

// GIF's variable-length LZW: codes of minCodeSize + 1 up to 12 bits, packed
// least significant bit first. The stream opens with a clear code, clears
// again whenever the 4096-entry table fills, and ends with the end code.
// Returns the packed bytes, not yet cut into sub-blocks. Every index must be
// below 1 << minCodeSize (2..8).
std::vector<std::uint8_t> LzwEncode(std::span<const std::uint8_t> indices, int minCodeSize);
