#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How single values of a profile file are read and written. The reading
// rules are those of the classic profile functions; the writing rule adds
// just enough quoting that every value we write reads back unchanged.

// The longest string value a reader hands out, in bytes.
inline constexpr int maxProfileStringBytes = 255;

// Blanks as the profile format counts them around names and values.
bool IsProfileBlank(char c);

// Text without the blanks at either end.
std::string_view TrimProfileBlanks(std::string_view text);

// A stored value as a string: blanks around it already gone, one pair of
// enclosing double quotes removed, cut to 255 bytes on a character boundary.
std::string DecodeProfileString(std::string_view stored);

// A string value as its integer: optional blanks, an optional sign, then the
// leading decimal digits; whatever follows is ignored and no digits give 0.
// Digits beyond the range wrap modulo 2^32 rather than overflow.
std::int32_t ParseProfileInt(std::string_view text);

// The text to store for a value so that DecodeProfileString gives it back:
// line breaks become blanks (a value is one line), and a value with blanks
// at either end, or one that starts and ends with a quote, is put in quotes.
std::string EncodeProfileString(std::string_view value);
