#include "best5_pages.h"

#include "page_counter.h"
#include "platform/gdi/gdi.h"
#include "shell/panel/start_panel.h"
#include "shell/text_faces.h"

#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, recordPlaces> placeLabels{"1st", "2nd", "3rd", "4th", "5th"};
constexpr std::array<std::string_view, difficultyCount> difficultyNames{"Easy", "Normal", "Hard"};
constexpr std::string_view floorLetter = "F";

// The game's text face, which has the full-width parentheses of the titles,
// at the largest size whose cell (em and leading) is 13 rows: 12 pixels in
// both faces, where Mona also has its crisp bitmaps (at 13 its hyphens fall
// between the rows).
FontHandle CreateBest5Font() {
    constexpr std::int32_t smallestEm = best5CellHeight - 3;
    for (std::int32_t em = best5CellHeight; em > smallestEm; --em) {
        FontHandle font = CreateFontByFamilies(gameTextFaces, em, 400);
        if (font == nullptr || FontLineHeight(font) <= best5CellHeight) {
            return font;
        }
        DeleteFont(font);
    }
    return CreateFontByFamilies(gameTextFaces, smallestEm, 400);
}

void DrawEntry(ContextHandle page, FontHandle font, const Best5Layout& layout, std::int32_t top,
               int place, const RecordEntry& entry) {
    TextOut(page, layout.placeX, top, placeLabels[static_cast<std::size_t>(place)]);
    // Scores of any length end at the same edge.
    const std::string score = std::to_string(entry.score);
    TextOut(page, layout.scoreRight - GetTextExtent(font, score).width, top, score);
    TextOut(page, layout.floorX, top, floorLetter);
    if (layout.jumpsX >= 0) {
        TextOut(page, layout.jumpsX, top, "(" + std::to_string(entry.jumps) + ")");
    }
    // A long name runs to the page's edge, where the surface cuts it.
    TextOut(page, layout.nameX, top, NameText(entry.name));
}

} // namespace

const Best5Layout& Best5LayoutFor(std::int32_t showJumpCount) {
    return showJumpCount != 0 ? jumpsBest5Layout : plainBest5Layout;
}

std::string Best5Title(int table) {
    // Three blanks after "Best5"; full-width parentheses.
    return "Best5   \xEF\xBC\x88 Difficulty : " +
           std::string(difficultyNames[static_cast<std::size_t>(table)]) + " \xEF\xBC\x89";
}

void DrawBest5Pages(MainWindow& window) {
    window.panel.shownRow = -1; // the picture may show the rows redrawn here
    const GameState& state = window.game;
    const Surface& panelImage = window.screen.panelImage;
    ContextHandle page = panelImage.context;
    if (page == nullptr) {
        return; // no surfaces: nothing to draw on
    }
    // Page 0, the title picture, is never touched.
    const std::int32_t width = BitmapWidth(panelImage.bitmap);
    FillRectIndex(page, 0, pageRows, width, pageCycle, blackIndex);

    FontHandle font = CreateBest5Font();
    if (font == nullptr) {
        return; // without a face the pages stay black
    }
    FontHandle previous = SelectFont(page, font);
    SetBackgroundOpaque(page, true);
    SetBackgroundColorIndex(page, blackIndex);
    const Best5Layout& layout = Best5LayoutFor(state.showJumpCount);
    for (int table = 0; table < difficultyCount; ++table) {
        const std::int32_t top = pageRows * (table + 1);
        SetTextColorIndex(page, best5TextColors[table]);
        TextOut(page, best5TitleX, top + best5TitleY, Best5Title(table));
        for (int place = 0; place < recordPlaces; ++place) {
            DrawEntry(
                page, font, layout, top + best5FirstRowY + best5RowStep * place, place,
                state.records[static_cast<std::size_t>(table)][static_cast<std::size_t>(place)]);
        }
    }
    SelectFont(page, previous);
    DeleteFont(font);
}
