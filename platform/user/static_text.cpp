#include "control_drawing.h"

#include <algorithm>
#include <vector>

// Static text: left-aligned on the dialog's face, broken between words so
// that each line fits the control's width, and at every line break of the
// text; lines a dialog cell apart. A word wider than the control stands on
// a line of its own and is cut at the edge.

namespace {

struct Word {
    std::string_view spaces; // the blanks before it, dropped at a line break
    std::string_view text;
};

std::vector<Word> SplitWords(std::string_view text) {
    std::vector<Word> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t wordStart = text.find_first_not_of(' ', at);
        if (wordStart == std::string_view::npos) {
            break;
        }
        std::size_t wordEnd = text.find(' ', wordStart);
        if (wordEnd == std::string_view::npos) {
            wordEnd = text.size();
        }
        words.push_back(
            Word{text.substr(at, wordStart - at), text.substr(wordStart, wordEnd - wordStart)});
        at = wordEnd;
    }
    return words;
}

} // namespace

std::vector<std::string> WrapText(FontHandle font, std::string_view text, std::int32_t width) {
    std::vector<std::string> lines;
    // A line break in the text always breaks; each piece between is wrapped.
    std::size_t at = 0;
    for (;;) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string line;
        for (const Word& word : SplitWords(text.substr(at, end - at))) {
            std::string longer = line;
            longer.append(word.spaces).append(word.text);
            if (!line.empty() && TextWidthIn(font, longer) > width) {
                lines.push_back(line);
                line = std::string(word.text);
            } else {
                line = line.empty() ? std::string(word.text) : longer;
            }
        }
        if (end == text.size()) {
            if (!line.empty()) {
                lines.push_back(line);
            }
            return lines;
        }
        lines.push_back(line); // a blank line between two breaks stays
        at = end + 1;
    }
}

void DrawStaticText(PlatformWindow* window) {
    FillRectIndex(window->context, 0, 0, window->width, window->height, control_colors::face);
    // Lines are set a cell apart, as the dialog units count them.
    const DialogState* dialog = DialogOf(window->parent);
    const std::int32_t lineHeight = dialog != nullptr ? dialog->units.y : ControlLineHeight(window);
    std::int32_t y = 0;
    for (const std::string& line : WrapText(ControlFont(window), window->title, window->width)) {
        if (y >= window->height) {
            break;
        }
        DrawControlText(window, 0, y, line, control_colors::text, !window->enabled);
        y += lineHeight;
    }
}
