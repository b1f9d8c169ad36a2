#include "core/name.h"

#include <algorithm>
#include <cstddef>

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string_view CutAtCharacterBoundary(std::string_view text, int maxBytes) {
    if (text.size() <= static_cast<std::size_t>(maxBytes)) {
        return text;
    }
    std::size_t end = static_cast<std::size_t>(maxBytes);
    // Step back over continuation bytes so that the cut falls before the lead
    // byte of a sequence that would not fit whole.
    while (end > 0 && IsContinuationByte(text[end])) {
        --end;
    }
    return text.substr(0, end);
}

void SetName(Name& name, std::string_view text) {
    const std::string_view kept = CutAtCharacterBoundary(text, maxNameBytes);
    name.fill('\0');
    std::copy(kept.begin(), kept.end(), name.begin());
}

std::string_view NameText(const Name& name) {
    const auto end = std::find(name.begin(), name.end(), '\0');
    return {name.data(), static_cast<std::size_t>(end - name.begin())};
}
