#include "profile_value.h"

#include "core/name.h"

#include <algorithm>

namespace {

bool IsQuote(char c) {
    return c == '"';
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

bool IsEnclosedInQuotes(std::string_view text) {
    return text.size() >= 2 && IsQuote(text.front()) && IsQuote(text.back());
}

} // namespace

bool IsProfileBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimProfileBlanks(std::string_view text) {
    while (!text.empty() && IsProfileBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsProfileBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string DecodeProfileString(std::string_view stored) {
    std::string_view text = TrimProfileBlanks(stored);
    if (IsEnclosedInQuotes(text)) {
        text = text.substr(1, text.size() - 2);
    }
    return std::string(CutAtCharacterBoundary(text, maxProfileStringBytes));
}

std::int32_t ParseProfileInt(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsProfileBlank(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    // Unsigned arithmetic wraps where signed arithmetic would overflow; a
    // hand-edited file full of digits gives some number, never a fault.
    std::uint32_t magnitude = 0;
    for (; at < text.size() && IsDecimalDigit(text[at]); ++at) {
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(text[at] - '0');
    }
    const std::uint32_t bits = negative ? 0u - magnitude : magnitude;
    return static_cast<std::int32_t>(bits);
}

std::string EncodeProfileString(std::string_view value) {
    std::string text(value);
    std::replace_if(text.begin(), text.end(), IsLineBreak, ' ');
    const bool blankAtAnEnd =
        !text.empty() && (IsProfileBlank(text.front()) || IsProfileBlank(text.back()));
    if (blankAtAnEnd || IsEnclosedInQuotes(text)) {
        return '"' + text + '"';
    }
    return text;
}
