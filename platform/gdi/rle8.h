#pragma once

#include <cstdint>
#include <span>

// Decodes 8-bit run-length pixel data (rows bottom first) into width x
// height indices, top row first. Damaged or truncated data stops the
// decoding with false; nothing is ever read or written out of bounds.
bool DecodeRle8(std::span<const std::uint8_t> data, std::int32_t width, std::int32_t height,
                std::span<std::uint8_t> topDownPixels);
