#pragma once

#include <charconv>
#include <string_view>

// The whole of text as a decimal number (a leading '+' allowed), or false
// when it is not one or does not fit.
template <typename Int>
bool ParseNumber(std::string_view text, Int& value) {
    if (text.empty()) {
        return false;
    }
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+') {
        ++first;
    }
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc{} && end == last && first != last;
}
