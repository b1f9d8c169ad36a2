#include "profile.h"

#include "profile_value.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return LowerAscii(c); });
    return lower;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

std::string_view LineEndText(ProfileLineEnd end) {
    switch (end) {
    case ProfileLineEnd::CrLf: return "\r\n";
    case ProfileLineEnd::Cr: return "\r";
    case ProfileLineEnd::Lf: break;
    }
    return "\n";
}

ProfileLine::Kind KindOf(std::string_view text) {
    const std::string_view content = TrimProfileBlanks(text);
    if (content.empty()) {
        return ProfileLine::Kind::Blank;
    }
    if (content.front() == ';') {
        return ProfileLine::Kind::Other;
    }
    if (content.front() == '[') {
        // A header without its closing bracket still opens a section, as the
        // profile functions read it.
        return ProfileLine::Kind::Section;
    }
    return content.find('=') == std::string_view::npos ? ProfileLine::Kind::Other
                                                       : ProfileLine::Kind::Entry;
}

std::string_view TextOf(const ProfileDocument& document, const ProfileLine& line) {
    const std::string_view all = line.added ? document.added : document.text;
    return all.substr(line.start, line.length);
}

std::string_view SectionName(std::string_view text) {
    std::string_view name = TrimProfileBlanks(text).substr(1);
    return TrimProfileBlanks(name.substr(0, name.find(']')));
}

std::string_view EntryKey(std::string_view text) {
    const std::string_view content = TrimProfileBlanks(text);
    return TrimProfileBlanks(content.substr(0, content.find('=')));
}

std::string_view EntryValue(std::string_view text) {
    const std::string_view content = TrimProfileBlanks(text);
    return TrimProfileBlanks(content.substr(content.find('=') + 1));
}

// A line set by the program, kept in the document's added text.
ProfileLine AddLine(ProfileDocument& document, std::string_view text) {
    ProfileLine line;
    line.kind = KindOf(text);
    line.added = true;
    line.start = static_cast<std::uint32_t>(document.added.size());
    line.length = static_cast<std::uint32_t>(text.size());
    document.added += text;
    return line;
}

// Index of the first line holding each key in any section of that name, in
// the order of the file: readers and writers agree on which line counts.
std::vector<std::optional<std::size_t>> FindEntries(const ProfileDocument& document,
                                                    std::string_view section,
                                                    std::span<const std::string> keys) {
    std::vector<std::optional<std::size_t>> found(keys.size());
    std::unordered_map<std::string, std::size_t> wanted;
    std::size_t longestKey = 0;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        wanted.emplace(LowerAscii(keys[k]), k);
        longestKey = std::max(longestKey, keys[k].size());
    }
    std::size_t left = wanted.size();
    bool inSection = false;
    for (std::size_t i = 0; i < document.lines.size() && left > 0; ++i) {
        const ProfileLine& line = document.lines[i];
        if (line.kind == ProfileLine::Kind::Section) {
            inSection = SameName(SectionName(TextOf(document, line)), section);
            continue;
        }
        if (!inSection || line.kind != ProfileLine::Kind::Entry) {
            continue;
        }
        const std::string_view key = EntryKey(TextOf(document, line));
        if (key.size() > longestKey) {
            continue; // no key of ours; do not copy a long one to find out
        }
        const auto at = wanted.find(LowerAscii(key));
        if (at != wanted.end() && !found[at->second]) {
            found[at->second] = i;
            --left;
        }
    }
    // Asking for a key twice gives the same line twice.
    for (std::size_t k = 0; k < keys.size(); ++k) {
        found[k] = found[wanted.at(LowerAscii(keys[k]))];
    }
    return found;
}

// Where a new key of the section goes: after the section's last non-blank
// line, so that blank lines separating it from the next section stay.
std::optional<std::size_t> FindInsertionPoint(const ProfileDocument& document,
                                              std::string_view section) {
    const auto& lines = document.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != ProfileLine::Kind::Section ||
            !SameName(SectionName(TextOf(document, lines[i])), section)) {
            continue;
        }
        std::size_t insertAt = i + 1;
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            if (lines[j].kind == ProfileLine::Kind::Section) {
                break;
            }
            if (lines[j].kind != ProfileLine::Kind::Blank) {
                insertAt = j + 1;
            }
        }
        return insertAt;
    }
    return std::nullopt;
}

// Copies a run of lines, giving each line end inside it the document's.
void AppendWithLineEnds(std::string& out, std::string_view run, std::string_view lineEnd) {
    while (!run.empty()) {
        const std::size_t end = run.find_first_of("\r\n");
        out += run.substr(0, end);
        if (end == std::string_view::npos) {
            return;
        }
        out += lineEnd;
        const bool crlf = run[end] == '\r' && end + 1 < run.size() && run[end + 1] == '\n';
        run.remove_prefix(end + (crlf ? 2 : 1));
    }
}

// Gathers the lines of a file into the document's pieces: a section or key
// line on its own, other lines in runs that end on a non-blank line, and
// blank lines in runs of their own, so that a key can always be added right
// after a section's last non-blank line.
class LineCollector {
  public:
    explicit LineCollector(std::vector<ProfileLine>& lines) : lines_(lines) {}

    void Add(ProfileLine::Kind kind, std::size_t start, std::size_t end, std::size_t next) {
        if (kind == ProfileLine::Kind::Section || kind == ProfileLine::Kind::Entry) {
            Flush();
            Push(kind, start, end);
            return;
        }
        if (!inRun_) {
            inRun_ = true;
            runStart_ = start;
        }
        if (kind == ProfileLine::Kind::Other) {
            otherEnd_ = end;
            blankStart_ = next;
            haveOther_ = true;
            haveBlank_ = false;
        } else {
            if (!haveBlank_) {
                blankStart_ = start;
            }
            haveBlank_ = true;
            blankEnd_ = end;
        }
    }

    void Flush() {
        if (haveOther_) {
            Push(ProfileLine::Kind::Other, runStart_, otherEnd_);
        }
        if (haveBlank_) {
            Push(ProfileLine::Kind::Blank, blankStart_, blankEnd_);
        }
        inRun_ = haveOther_ = haveBlank_ = false;
    }

  private:
    void Push(ProfileLine::Kind kind, std::size_t start, std::size_t end) {
        ProfileLine line;
        line.kind = kind;
        line.start = static_cast<std::uint32_t>(start);
        line.length = static_cast<std::uint32_t>(end - start);
        lines_.push_back(line);
    }

    std::vector<ProfileLine>& lines_;
    bool inRun_ = false, haveOther_ = false, haveBlank_ = false;
    std::size_t runStart_ = 0, otherEnd_ = 0, blankStart_ = 0, blankEnd_ = 0;
};

} // namespace

ProfileDocument ParseProfile(std::string text) {
    ProfileDocument document;
    document.text = std::move(text);
    const std::string_view all = document.text;
    std::size_t at = 0;
    if (all.starts_with(byteOrderMark)) {
        document.byteOrderMark = true;
        at = byteOrderMark.size();
    }
    std::optional<ProfileLineEnd> firstEnd;
    LineCollector collector(document.lines);
    while (at < all.size()) {
        std::size_t end = all.find_first_of("\r\n", at);
        std::size_t next = all.size();
        if (end == std::string_view::npos) {
            end = all.size();
        } else {
            ProfileLineEnd lineEnd = ProfileLineEnd::Lf;
            next = end + 1;
            if (all[end] == '\r') {
                const bool crlf = next < all.size() && all[next] == '\n';
                lineEnd = crlf ? ProfileLineEnd::CrLf : ProfileLineEnd::Cr;
                next += crlf ? 1 : 0;
            }
            if (!firstEnd) {
                firstEnd = lineEnd;
            } else if (*firstEnd != lineEnd) {
                document.mixedLineEnds = true;
            }
        }
        collector.Add(KindOf(all.substr(at, end - at)), at, end, next);
        at = next;
    }
    collector.Flush();
    // A file that keeps to one convention keeps it; a mixed one is made
    // whole in the system's own.
    if (firstEnd && !document.mixedLineEnds) {
        document.lineEnd = *firstEnd;
    }
    return document;
}

std::string FormatProfile(const ProfileDocument& document) {
    const std::string_view lineEnd = LineEndText(document.lineEnd);
    std::string text;
    text.reserve(document.text.size() + document.added.size() +
                 document.lines.size() * lineEnd.size());
    if (document.byteOrderMark) {
        text += byteOrderMark;
    }
    for (const ProfileLine& line : document.lines) {
        const bool run =
            line.kind == ProfileLine::Kind::Other || line.kind == ProfileLine::Kind::Blank;
        if (run && document.mixedLineEnds) {
            AppendWithLineEnds(text, TextOf(document, line), lineEnd);
        } else {
            text += TextOf(document, line);
        }
        text += lineEnd;
    }
    return text;
}

std::vector<std::optional<std::string_view>> FindProfileValues(const ProfileDocument& document,
                                                               std::string_view section,
                                                               std::span<const std::string> keys) {
    std::vector<std::optional<std::string_view>> values(keys.size());
    const std::vector<std::optional<std::size_t>> at = FindEntries(document, section, keys);
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (at[k]) {
            values[k] = EntryValue(TextOf(document, document.lines[*at[k]]));
        }
    }
    return values;
}

std::string GetProfileString(const ProfileDocument& document, std::string_view section,
                             std::string_view key, std::string_view fallback) {
    const std::string keys[] = {std::string(key)};
    const std::optional<std::string_view> value = FindProfileValues(document, section, keys)[0];
    return DecodeProfileString(value ? *value : fallback);
}

std::int32_t GetProfileInt(const ProfileDocument& document, std::string_view section,
                           std::string_view key, std::int32_t fallback) {
    const std::string keys[] = {std::string(key)};
    const std::optional<std::string_view> value = FindProfileValues(document, section, keys)[0];
    return value ? ParseProfileInt(DecodeProfileString(*value)) : fallback;
}

void SetProfileString(ProfileDocument& document, std::string_view section, std::string_view key,
                      std::string_view value) {
    const std::pair<std::string, std::string> keyValue[] = {{std::string(key), std::string(value)}};
    SetProfileStrings(document, section, keyValue);
}

void SetProfileStrings(ProfileDocument& document, std::string_view section,
                       std::span<const std::pair<std::string, std::string>> keyValues) {
    std::vector<std::string> keys;
    keys.reserve(keyValues.size());
    for (const auto& keyValue : keyValues) {
        keys.push_back(keyValue.first);
    }
    const std::vector<std::optional<std::size_t>> at = FindEntries(document, section, keys);
    std::vector<ProfileLine> missing;
    for (std::size_t k = 0; k < keyValues.size(); ++k) {
        std::string text = keyValues[k].first;
        text += '=';
        text += EncodeProfileString(keyValues[k].second);
        const ProfileLine line = AddLine(document, text);
        if (at[k]) {
            document.lines[*at[k]] = line;
        } else {
            missing.push_back(line);
        }
    }
    if (missing.empty()) {
        return;
    }
    auto& lines = document.lines;
    if (const std::optional<std::size_t> insertAt = FindInsertionPoint(document, section)) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*insertAt), missing.begin(),
                     missing.end());
        return;
    }
    // A new section is set off from what precedes it by a blank line.
    if (!lines.empty() && lines.back().kind != ProfileLine::Kind::Blank) {
        lines.push_back(AddLine(document, ""));
    }
    std::string header = "[";
    header += section;
    header += ']';
    lines.push_back(AddLine(document, header));
    lines.insert(lines.end(), missing.begin(), missing.end());
}
