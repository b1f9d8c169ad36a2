// The cost of loading and saving settings files far larger than any player's:
// 16 MB of empty lines, of long comment lines, and of short keys. Each case
// runs in a child process of its own, so that its peak resident memory is its
// own. Prints one line per case; never fails on a slow machine.
//   settings_file_bench [folder]   (default: the system's temporary folder)

#include "core/game_state.h"
#include "persist/settings_file.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::size_t fileBytes = 16u << 20;

struct Case {
    const char* name;
    std::string line; // repeated, line end included, until the file holds fileBytes
};

void WriteCase(const std::filesystem::path& file, const Case& c) {
    std::string text;
    text.reserve(fileBytes);
    while (text.size() + c.line.size() <= fileBytes) {
        text += c.line;
    }
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

// What the child tells the parent.
struct Report {
    double loadMs;
    double saveMs;
    char outcome[120];
};

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// In the child: load, then save, and report both times through the pipe.
[[noreturn]] void RunCase(const std::filesystem::path& file, int out) {
    auto state = std::make_unique<GameState>();
    const auto loadStart = std::chrono::steady_clock::now();
    const SettingsFileResult loaded = LoadSettings(*state, file);
    const double loadMs = MillisecondsSince(loadStart);
    const auto saveStart = std::chrono::steady_clock::now();
    const SettingsFileResult saved = SaveSettings(*state, file);
    const double saveMs = MillisecondsSince(saveStart);
    Report report{loadMs, saveMs, {}};
    std::snprintf(report.outcome, sizeof report.outcome, "%s, %s",
                  loaded.ok() ? "read" : SettingsFileProblem(loaded).c_str(),
                  saved.ok() ? "saved" : SettingsFileProblem(saved).c_str());
    [[maybe_unused]] const ssize_t written = ::write(out, &report, sizeof report);
    ::_exit(0);
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        (argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path()) /
        ("varnisk-settings-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "varnisk.ini";
    const Case cases[] = {
        {"no file", ""},
        {"empty lines (LF)", "\n"},
        {"empty lines (CR)", "\r"},
        {"long lines (4 KB)", "; " + std::string(4093, 'x') + "\n"},
        {"short keys", "[Record]\nk=1\n"},
    };
    std::printf("%-20s %9s %9s %9s  %s\n", "16 MB file of", "load ms", "save ms", "peak MB",
                "outcome");
    for (const Case& c : cases) {
        std::filesystem::remove(file);
        if (!c.line.empty()) {
            WriteCase(file, c);
        }
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) {
            return 1;
        }
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeEnds[0]);
            RunCase(file, pipeEnds[1]);
        }
        ::close(pipeEnds[1]);
        Report report{};
        const bool reported = ::read(pipeEnds[0], &report, sizeof report) == sizeof report;
        ::close(pipeEnds[0]);
        int status = 0;
        rusage usage{};
        ::wait4(child, &status, 0, &usage);
        // ru_maxrss is in kilobytes on Linux.
        std::printf("%-20s %9.1f %9.1f %9.1f  %s\n", c.name, report.loadMs, report.saveMs,
                    static_cast<double>(usage.ru_maxrss) / 1024.0,
                    reported ? report.outcome : "the child died");
    }
    std::filesystem::remove_all(folder);
    return 0;
}
