#pragma once

#include "indexed_image.h"

#include <filesystem>
#include <optional>
#include <string>

// Reads an uncompressed 8-bit BMP (the runner's screen files), bottom-up or
// top-down. A colour table shorter than 256 entries leaves the rest black.
// On failure returns nothing and says why in `error`.
std::optional<IndexedImage> ReadIndexedBmp(const std::filesystem::path& file, std::string& error);
