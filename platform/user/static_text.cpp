#include "control_drawing.h"

#include <vector>

// Static text: left-aligned on the dialog's face, broken between words so
// that each line fits the control's width, lines a dialog cell apart. A word wider than the control
// stands on a line of its own and is cut at the edge.

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

std::vector<std::string> WrapStaticText(const PlatformWindow* window, std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (const Word& word : SplitWords(text)) {
        std::string longer = line;
        longer.append(word.spaces).append(word.text);
        if (!line.empty() && ControlTextWidth(window, longer) > window->width) {
            lines.push_back(line);
            line = std::string(word.text);
        } else {
            line = line.empty() ? std::string(word.text) : longer;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace

void DrawStaticText(PlatformWindow* window) {
    FillRectIndex(window->context, 0, 0, window->width, window->height, control_colors::face);
    // Lines are set a cell apart, as the dialog units count them.
    const DialogState* dialog = DialogOf(window->parent);
    const std::int32_t lineHeight = dialog != nullptr ? dialog->units.y : ControlLineHeight(window);
    std::int32_t y = 0;
    for (const std::string& line : WrapStaticText(window, window->title)) {
        if (y >= window->height) {
            break;
        }
        DrawControlText(window, 0, y, line, control_colors::text, !window->enabled);
        y += lineHeight;
    }
}
