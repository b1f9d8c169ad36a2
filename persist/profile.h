#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A private-profile file in memory: "[Section]" lines, each followed by its
// "key=value" lines. Every line is kept as it was read, so that writing the
// document back keeps comments, unknown sections and keys, and lines that
// mean nothing to us. Section names and keys match without regard to ASCII
// case; blanks around them and around values do not count.

struct ProfileLine {
    enum class Kind {
        Other,   // blank, comment (";" first), or no "=" in it
        Section, // "[name]"
        Entry,   // "key=value"
    };
    Kind kind = Kind::Other;
    std::string text;  // the whole line, without its line end
    std::string name;  // Section: the section name; Entry: the key
    std::string value; // Entry: the stored value, blanks around it removed
};

struct ProfileDocument {
    std::vector<ProfileLine> lines;
    bool byteOrderMark = false; // the text began with a UTF-8 byte order mark
    bool crlf = false;          // its lines end in CR LF
};

// Reads the text of a profile file. Accepts LF and CR LF line ends and a
// leading UTF-8 byte order mark; both are kept for writing back.
ProfileDocument ParseProfile(std::string_view text);

// The text of the document, every line ended.
std::string FormatProfile(const ProfileDocument& document);

// A key's string value: one pair of enclosing quotes removed, at most 255
// bytes, cut on a character boundary; the fallback when the key is missing.
std::string GetProfileString(const ProfileDocument& document, std::string_view section,
                             std::string_view key, std::string_view fallback);

// A key's integer value (see ParseProfileInt); the fallback when the key is
// missing. A key that is present but holds no digits gives 0.
std::int32_t GetProfileInt(const ProfileDocument& document, std::string_view section,
                           std::string_view key, std::int32_t fallback);

// Sets a key so that GetProfileString gives the value back (line breaks in it
// become blanks). The first line holding the key is replaced where it stands;
// a missing key goes after the last line of its section, a missing section at
// the end of the document.
void SetProfileString(ProfileDocument& document, std::string_view section, std::string_view key,
                      std::string_view value);
