#include "tests/e2e/settings_ini.h"

#include <fstream>

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

std::optional<std::string> ReadIniValue(const std::filesystem::path& file,
                                        const std::string& section, const std::string& key) {
    std::ifstream in(file);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        if (!line.empty() && line.front() == '[') {
            inSection = line == "[" + section + "]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inSection && equals != std::string::npos && Trimmed(line.substr(0, equals)) == key) {
            return Trimmed(line.substr(equals + 1));
        }
    }
    return std::nullopt;
}
