// The start panel: the rows each page tick shows through a whole cycle and
// where a click moves the counter; then in the running game, where it sits,
// its page ticks and clicks, its buttons and dialog keys, and where the
// focus goes as games start and end.

#include "core/commands.h"
#include "shell/dialogs/dialog_templates.h"
#include "shell/panel/page_counter.h"
#include "shell/panel/start_panel.h"
#include "tests/shell/desktop/game_window_fixture.h"

TEST(PageCounter, ACycleStandsSlidesAndCutsBackAndAClickStartsTheNextPage) {
    // Counter -> first row shown: page 0 stands; each later page slides up
    // from the top of the one before in 10-row steps (its first tick shows
    // the page before unchanged), then stands; after 559 comes page 0.
    const std::int32_t rows[][2] = {{0, 0},     {139, 0},   {140, 0},   {141, 10},  {153, 130},
                                    {154, 140}, {279, 140}, {280, 140}, {293, 270}, {294, 280},
                                    {420, 280}, {433, 410}, {434, 420}, {559, 420}};
    for (const auto& [counter, row] : rows)
        EXPECT_EQ(PageSourceRow(counter), row) << "counter " << counter;

    // Clicks: page 0 standing -> page 1 slides in; during the slide into
    // page 2 -> page 3 from the top of page 2; on page 3 -> page 0 at once.
    const std::int32_t clicks[][2] = {{0, 140},   {139, 140}, {140, 280}, {285, 420},
                                      {293, 420}, {419, 420}, {420, 0},   {559, 0}};
    for (const auto& [before, after] : clicks)
        EXPECT_EQ(SkipToNextPage(before), after) << "from " << before;
}

namespace {

constexpr std::uint32_t pageTickMs = 50;

class StartPanelTest : public GameWindow {
  protected:
    // The panel's picture against rows of panelImage from `row` on.
    bool PictureShows(std::int32_t row) {
        BitmapHandle shown = GetSelectedBitmap(GetWindowContext(record_.panel.window));
        for (std::int32_t y = 0; y < 140; y += 7)
            for (std::int32_t x = 0; x < 288; x += 5)
                if (GetPixelIndex(shown, 13 + x, 12 + y) !=
                    GetPixelIndex(record_.screen.panelImage.bitmap, x, row + y))
                    return false;
        return true;
    }
    void RunToCounter(std::int32_t counter) {
        while (record_.panel.pageCounter != counter)
            ASSERT_TRUE(RunFor(pageTickMs));
    }
};

} // namespace

TEST_F(StartPanelTest, EveryFiftyMillisecondsShowsTheNextRowsOfTheCycle) {
    for (const std::int32_t counter : {141, 154, 433, 559}) {
        RunToCounter(counter);
        EXPECT_TRUE(PictureShows(PageSourceRow(counter - 1))) << "after counter " << counter - 1;
    }
    ASSERT_TRUE(RunFor(pageTickMs));
    EXPECT_EQ(record_.panel.pageCounter, 0) << "the cycle cuts back to the title";
    EXPECT_TRUE(PictureShows(420));
    ASSERT_TRUE(RunFor(pageTickMs));
    EXPECT_TRUE(PictureShows(0));

    // The runner's tests click the picture; a double click notifies a click
    // and a double click, and each moves on a page.
    SendMessage(record_.panel.window, wm::command, item::pagePicture | (bn::doubleClicked << 16),
                0);
    EXPECT_EQ(record_.panel.pageCounter, 140);
}

// The runner's tests press New Game with space; here Practice and Exit.
TEST_F(StartPanelTest, ItsButtonsStartGamesAndEscapeIsExitWhicheverHasTheFocus) {
    Press(vk::tab);
    Press(vk::enter); // on Practice
    ASSERT_TRUE(RunFor(tickMs));
    EXPECT_EQ(State().mode, GameMode::Playing);
    EXPECT_NE(State().practiceDifficulty, 0);
    EXPECT_EQ(record_.panel.window, nullptr) << "the panel goes when a game starts";
    EXPECT_EQ(GetFocus(), main_) << "so that space and Escape reach the game";

    // Abort brings a fresh panel back, in the middle of the client area, on
    // page 0 with New Game focused.
    ASSERT_TRUE(Command(command::abort));
    ASSERT_TRUE(IsWindowVisible(record_.panel.window));
    const Rect client = GetClientRect(main_), outer = GetWindowRect(record_.panel.window);
    std::int32_t mainX = 0, mainY = 0;
    ClientToScreen(main_, mainX, mainY);
    EXPECT_EQ(outer.x - mainX, (client.width - outer.width) / 2);
    EXPECT_EQ(outer.y - mainY, (client.height - outer.height) / 2);
    EXPECT_EQ(GetFocus(), PanelItem(item::newGame));
    EXPECT_LE(record_.panel.pageCounter, 1);
    Press(vk::tab);
    ASSERT_TRUE(RunFor(0));
    ASSERT_EQ(GetFocus(), PanelItem(item::practice));
    Press(vk::escape);
    EXPECT_FALSE(RunFor(tickMs)) << "the program ends";
}
