#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct ScreenRequest {
    std::int64_t tick;
    std::filesystem::path file;
};

// varnisk-sim [--seed N] [--ticks N] [--settings FILE] [--save FILE]
//             [--screen T:FILE.bmp]... SCRIPT
struct SimOptions {
    std::uint32_t seed = 1;
    std::int64_t ticks = 1000;
    std::filesystem::path settings; // empty: defaults
    std::filesystem::path save;     // empty: nothing is written
    std::vector<ScreenRequest> screens;
    std::string script; // "-" for standard input
    bool help = false;  // --help: print the usage and do nothing else
};

struct OptionsResult {
    SimOptions options;
    std::optional<std::string> error;
};

OptionsResult ParseCommandLine(const std::vector<std::string>& args);
