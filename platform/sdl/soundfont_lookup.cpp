#include "platform/sdl/soundfont_lookup.h"

#include <algorithm>

std::optional<std::string> FindSoundFont(const char* fromEnvironment,
                                         std::span<const std::string_view> places,
                                         const std::function<bool(const std::string&)>& isFile) {
    if (fromEnvironment != nullptr) {
        const std::string_view list{fromEnvironment};
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t end = std::min(list.find(':', start), list.size());
            const std::string candidate{list.substr(start, end - start)};
            if (!candidate.empty() && isFile(candidate)) {
                return candidate;
            }
            start = end + 1;
        }
    }
    for (const std::string_view place : places) {
        const std::string candidate{place};
        if (isFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}
