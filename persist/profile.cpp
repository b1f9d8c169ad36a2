#include "profile.h"

#include "profile_value.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

ProfileLine ClassifyLine(std::string_view text) {
    ProfileLine line;
    line.text = std::string(text);
    const std::string_view content = TrimProfileBlanks(text);
    if (content.empty() || content.front() == ';') {
        return line;
    }
    if (content.front() == '[') {
        // A header without its closing bracket still opens a section, as the
        // profile functions read it.
        std::string_view name = content.substr(1);
        name = name.substr(0, name.find(']'));
        line.kind = ProfileLine::Kind::Section;
        line.name = std::string(TrimProfileBlanks(name));
        return line;
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        return line;
    }
    line.kind = ProfileLine::Kind::Entry;
    line.name = std::string(TrimProfileBlanks(content.substr(0, equals)));
    line.value = std::string(TrimProfileBlanks(content.substr(equals + 1)));
    return line;
}

ProfileLine MakeSectionLine(std::string_view section) {
    // Built front to back: GCC 12 at -O3 takes a literal put in front of a
    // temporary string for a copy that overlaps itself, and warns.
    std::string text = "[";
    text += section;
    text += ']';
    return ClassifyLine(text);
}

ProfileLine MakeEntryLine(std::string_view key, std::string_view storedValue) {
    return ClassifyLine(std::string(key) + "=" + std::string(storedValue));
}

// Index of the first line holding the key in any section of that name, in
// the order of the file: readers and writers agree on which line counts.
std::optional<std::size_t> FindEntry(const ProfileDocument& document, std::string_view section,
                                     std::string_view key) {
    bool inSection = false;
    for (std::size_t i = 0; i < document.lines.size(); ++i) {
        const ProfileLine& line = document.lines[i];
        if (line.kind == ProfileLine::Kind::Section) {
            inSection = SameName(line.name, section);
        } else if (inSection && line.kind == ProfileLine::Kind::Entry && SameName(line.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

// Where a new key of the section goes: after the section's last non-blank
// line, so that a blank line separating it from the next section stays.
std::optional<std::size_t> FindInsertionPoint(const ProfileDocument& document,
                                              std::string_view section) {
    const auto& lines = document.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != ProfileLine::Kind::Section || !SameName(lines[i].name, section)) {
            continue;
        }
        std::size_t insertAt = i + 1;
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            if (lines[j].kind == ProfileLine::Kind::Section) {
                break;
            }
            if (!TrimProfileBlanks(lines[j].text).empty()) {
                insertAt = j + 1;
            }
        }
        return insertAt;
    }
    return std::nullopt;
}

} // namespace

ProfileDocument ParseProfile(std::string_view text) {
    ProfileDocument document;
    if (text.starts_with(byteOrderMark)) {
        document.byteOrderMark = true;
        text.remove_prefix(byteOrderMark.size());
    }
    bool firstLineEnd = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const bool endsInCr = line.ends_with('\r');
        if (endsInCr) {
            line.remove_suffix(1);
        }
        if (end != std::string_view::npos && firstLineEnd) {
            document.crlf = endsInCr; // the first line end sets the style
            firstLineEnd = false;
        }
        document.lines.push_back(ClassifyLine(line));
    }
    return document;
}

std::string FormatProfile(const ProfileDocument& document) {
    const std::string_view lineEnd = document.crlf ? "\r\n" : "\n";
    std::string text;
    if (document.byteOrderMark) {
        text += byteOrderMark;
    }
    for (const ProfileLine& line : document.lines) {
        text += line.text;
        text += lineEnd;
    }
    return text;
}

std::string GetProfileString(const ProfileDocument& document, std::string_view section,
                             std::string_view key, std::string_view fallback) {
    const std::optional<std::size_t> at = FindEntry(document, section, key);
    if (!at) {
        return DecodeProfileString(fallback);
    }
    return DecodeProfileString(document.lines[*at].value);
}

std::int32_t GetProfileInt(const ProfileDocument& document, std::string_view section,
                           std::string_view key, std::int32_t fallback) {
    const std::optional<std::size_t> at = FindEntry(document, section, key);
    if (!at) {
        return fallback;
    }
    return ParseProfileInt(DecodeProfileString(document.lines[*at].value));
}

void SetProfileString(ProfileDocument& document, std::string_view section, std::string_view key,
                      std::string_view value) {
    ProfileLine entry = MakeEntryLine(key, EncodeProfileString(value));
    auto& lines = document.lines;
    if (const std::optional<std::size_t> at = FindEntry(document, section, key)) {
        lines[*at] = std::move(entry);
        return;
    }
    if (const std::optional<std::size_t> at = FindInsertionPoint(document, section)) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*at), std::move(entry));
        return;
    }
    // A new section is set off from what precedes it by a blank line.
    if (!lines.empty() && !TrimProfileBlanks(lines.back().text).empty()) {
        lines.push_back(ClassifyLine(""));
    }
    lines.push_back(MakeSectionLine(section));
    lines.push_back(std::move(entry));
}
