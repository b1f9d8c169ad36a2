// Any bytes as the settings file: loading never fails unsafely, a save keeps
// every line the game does not own, the game reads back whatever it writes,
// and load -> save -> load -> save settles at once.

#include "persist/settings_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "settings_file_fuzz: %s\n", what);
        std::abort();
    }
}

// A folder of the run's own, in memory where there is such a file system:
// every save flushes to disk, which on a real disk makes each input cost
// milliseconds.
const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path memory = "/dev/shm";
        const std::filesystem::path parent =
            std::filesystem::is_directory(memory) ? memory : std::filesystem::temp_directory_path();
        std::string pattern = (parent / "varnisk-fuzz-XXXXXX").string();
        Require(mkdtemp(pattern.data()) != nullptr, "no folder to work in");
        return std::filesystem::path(pattern);
    }();
    return folder;
}

std::string ReadText(const std::filesystem::path& file) {
    return (std::ostringstream() << std::ifstream(file, std::ios::binary).rdbuf()).str();
}

// The lines of a text, whichever of LF, CR LF or CR ends each.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

// Lines that hold neither a key nor a section are nobody's: a save keeps
// them all, in their order.
void RequireKept(const std::string& before, const std::string& after) {
    const std::vector<std::string> saved = Lines(after);
    std::size_t at = 0;
    for (const std::string& line : Lines(before)) {
        if (line.empty() || line.find_first_of("=[") != std::string::npos) {
            continue;
        }
        while (at < saved.size() && saved[at] != line) {
            ++at;
        }
        Require(at < saved.size(), "a save dropped a line it does not own");
        ++at;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = Folder() / "varnisk.ini";
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << input;

    GameState first{};
    LoadSettings(first, file);
    Require(SaveSettings(first, file).ok(), "a save of a file the game could read failed");
    const std::string once = ReadText(file);
    RequireKept(input, once);

    GameState second{};
    Require(LoadSettings(second, file).ok(), "the game cannot read what it wrote");
    Require(SaveSettings(second, file).ok(), "a second save failed");
    Require(ReadText(file) == once, "load, save, load, save did not settle");
    return 0;
}
