#pragma once

// Reads back what the game saved: the value of one key of one [section] of
// the settings file, as text.

#include <filesystem>
#include <optional>
#include <string>

std::optional<std::string> ReadIniValue(const std::filesystem::path& file,
                                        const std::string& section, const std::string& key);
