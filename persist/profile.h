#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A private-profile file in memory: "[Section]" lines, each followed by its
// "key=value" lines. Every line is kept as it was read, so that writing the
// document back keeps comments, unknown sections and keys, and lines that
// mean nothing to us. Section names and keys match without regard to ASCII
// case; blanks around them and around values do not count.
//
// LF, CR LF and a lone CR each end a line, in any mix: editors and old tools
// write all three, and a line end we did not see would join two lines.
//
// The document costs a few bytes beyond the text for each section or key
// line: runs of other lines are kept as one piece of the text, so that a file
// of millions of empty lines costs no more than its own size.

struct ProfileLine {
    enum class Kind : std::uint8_t {
        Blank,   // one or more lines holding nothing but blanks
        Other,   // one or more comment ("; " first), blank, or "="-less
                 // lines, the last of them not blank
        Section, // "[name]"
        Entry,   // "key=value"
    };
    Kind kind = Kind::Blank;
    bool added = false; // the piece is in the document's added text, not the file's
    // The piece of the document's text: the lines without the last line end
    // (a run of lines keeps the line ends between them).
    std::uint32_t start = 0;
    std::uint32_t length = 0;
};

enum class ProfileLineEnd : std::uint8_t { Lf, CrLf, Cr };

struct ProfileDocument {
    std::string text;  // the file's text, as read
    std::string added; // the lines set since, each without a line end
    std::vector<ProfileLine> lines;
    bool byteOrderMark = false; // the text began with a UTF-8 byte order mark
    // What a written line ends with: the file's own when all its line ends
    // agree, else LF, the system's own.
    ProfileLineEnd lineEnd = ProfileLineEnd::Lf;
    bool mixedLineEnds = false; // runs of lines must have their line ends rewritten
};

// The longest text a document can hold: its pieces are addressed by 32-bit
// offsets.
inline constexpr std::size_t maxProfileTextBytes = 0xFFFFFFF0u;

// Reads the text of a profile file (at most maxProfileTextBytes). Accepts a
// leading UTF-8 byte order mark and keeps it for writing back.
ProfileDocument ParseProfile(std::string text);

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

// The stored values of many keys of one section, found in one pass over the
// document: for each key, the value of the first line holding it in any
// section of that name, or nothing when there is none.
std::vector<std::optional<std::string_view>> FindProfileValues(const ProfileDocument& document,
                                                               std::string_view section,
                                                               std::span<const std::string> keys);

// Sets a key so that GetProfileString gives the value back (line breaks in it
// become blanks). The first line holding the key is replaced where it stands;
// a missing key goes after the last non-blank line of its section, a missing
// section at the end of the document.
void SetProfileString(ProfileDocument& document, std::string_view section, std::string_view key,
                      std::string_view value);

// Sets many keys of one section, as SetProfileString one after another would,
// in one pass over the document.
void SetProfileStrings(ProfileDocument& document, std::string_view section,
                       std::span<const std::pair<std::string, std::string>> keyValues);
