#include "temporary_files.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <string_view>
#include <system_error>

namespace {

std::string TemporaryPrefix(const std::filesystem::path& target) {
    std::string prefix = ".";
    prefix += target.filename().string();
    prefix += ".tmp-";
    return prefix;
}

// The process id in a temporary file's name ("PID-N" after the prefix), or
// nothing when the rest is not two numbers.
std::optional<long long> OwnerOfTemporary(std::string_view rest) {
    const std::size_t dash = rest.find('-');
    const auto allDigits = [](std::string_view digits) {
        return !digits.empty() && digits.size() <= 18 &&
               std::all_of(digits.begin(), digits.end(),
                           [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dash == std::string_view::npos || !allDigits(rest.substr(0, dash)) ||
        !allDigits(rest.substr(dash + 1))) {
        return std::nullopt;
    }
    return std::stoll(std::string(rest.substr(0, dash)));
}

} // namespace

std::filesystem::path TemporaryName(const std::filesystem::path& target, long long ownProcess) {
    static std::atomic<unsigned> counter{0};
    // Built front to back: GCC 12 at -O3 takes a literal put in front of a
    // temporary string for a copy that overlaps itself, and warns.
    std::string name = TemporaryPrefix(target);
    name += std::to_string(ownProcess);
    name += '-';
    name += std::to_string(counter++);
    return target.parent_path() / name;
}

void RemoveStaleTemporaries(const std::filesystem::path& target, long long ownProcess,
                            bool (*isLiveProcess)(long long process)) {
    constexpr auto oldestLiveSave = std::chrono::seconds(60);
    const std::string prefix = TemporaryPrefix(target);
    const auto now = std::filesystem::file_time_type::clock::now();
    std::error_code error;
    const std::filesystem::path folder = target.parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(
             folder.empty() ? std::filesystem::path(".") : folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix)) {
            continue;
        }
        const std::optional<long long> owner =
            OwnerOfTemporary(std::string_view(name).substr(prefix.size()));
        if (!owner || *owner == ownProcess || !entry.is_regular_file(error) ||
            entry.is_symlink(error)) {
            continue;
        }
        const auto written = std::filesystem::last_write_time(entry.path(), error);
        if (error) {
            continue;
        }
        if (!isLiveProcess(*owner) || now - written > oldestLiveSave) {
            std::filesystem::remove(entry.path(), error);
        }
    }
}
