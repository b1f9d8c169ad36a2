// The start panel in the running game: where it sits, its page ticks and
// clicks, its buttons and dialog keys, and where the focus goes as games
// start and end.

#include "core/commands.h"
#include "platform/user/dialog.h"
#include "shell/dialogs/dialog_templates.h"
#include "shell/panel/page_counter.h"
#include "shell/panel/start_panel.h"
#include "tests/shell/desktop/game_window_fixture.h"

namespace {

constexpr std::uint32_t pageTickMs = 50;

class StartPanelTest : public GameWindow {
  protected:
    WindowHandle Button(int id) { return GetDialogItem(StartPanel(), id); }
    // The panel's picture against rows of panelImage from `row` on.
    bool PictureShows(std::int32_t row) {
        BitmapHandle shown = GetSelectedBitmap(GetWindowContext(StartPanel()));
        for (std::int32_t y = 0; y < 140; y += 7)
            for (std::int32_t x = 0; x < 288; x += 5)
                if (GetPixelIndex(shown, 13 + x, 12 + y) !=
                    GetPixelIndex(record_.screen.panelImage.bitmap, x, row + y))
                    return false;
        return true;
    }
    // Page ticks from now until the counter reads `counter`.
    void RunToCounter(std::int32_t counter) {
        while (record_.panel.pageCounter != counter)
            ASSERT_TRUE(RunFor(pageTickMs));
    }
};

} // namespace

TEST_F(StartPanelTest, SitsInTheMiddleWithItsFrameJustAroundThePicture) {
    ASSERT_NE(StartPanel(), nullptr);
    EXPECT_EQ(GetParent(StartPanel()), main_);
    EXPECT_TRUE(IsWindowVisible(StartPanel()));
    const Rect client = GetClientRect(main_);
    const Rect outer = GetWindowRect(StartPanel());
    std::int32_t mainX = 0, mainY = 0, panelX = 0, panelY = 0;
    ClientToScreen(main_, mainX, mainY);
    EXPECT_EQ(outer.x - mainX, (client.width - outer.width) / 2);
    EXPECT_EQ(outer.y - mainY, (client.height - outer.height) / 2);

    // The frame leaves 1 to 3 pixels on each side of the 288 x 140 pages at (13, 12).
    ClientToScreen(StartPanel(), panelX, panelY);
    const Rect frame = GetWindowRect(Button(item::pagePicture));
    const std::int32_t left = frame.x - panelX, top = frame.y - panelY;
    for (const std::int32_t gap :
         {13 - left, 12 - top, left + frame.width - (13 + 288), top + frame.height - (12 + 140)}) {
        EXPECT_GE(gap, 1);
        EXPECT_LE(gap, 3);
    }
    EXPECT_EQ(GetFocus(), Button(item::newGame)) << "the first tab stop";
    EXPECT_EQ(record_.panel.timer, pageTimerId);
}

TEST_F(StartPanelTest, EveryFiftyMillisecondsShowsTheNextRowsOfTheCycle) {
    for (const std::int32_t counter : {1, 140, 141, 150, 154, 300, 433, 559}) {
        RunToCounter(counter);
        EXPECT_TRUE(PictureShows(PageSourceRow(counter - 1))) << "after counter " << counter - 1;
    }
    ASSERT_TRUE(RunFor(pageTickMs));
    EXPECT_EQ(record_.panel.pageCounter, 0) << "the cycle cuts back to the title";
    EXPECT_TRUE(PictureShows(420));
    ASSERT_TRUE(RunFor(pageTickMs));
    EXPECT_TRUE(PictureShows(0));
    // The title scrolls on beside it: the game's own tick keeps running.
    EXPECT_EQ(State().mode, GameMode::Title);
}

TEST_F(StartPanelTest, AClickOnThePictureMovesOnAPageWhateverItsNotification) {
    RunToCounter(20);
    Click(Button(item::pagePicture), 100, 70);
    ASSERT_TRUE(RunFor(0));
    EXPECT_EQ(record_.panel.pageCounter, 140);
    ASSERT_TRUE(RunFor(pageTickMs));
    EXPECT_TRUE(PictureShows(0)) << "page 1 begins its slide from page 0";
    // A double click notifies a click and a double click: two pages.
    SendMessage(StartPanel(), wm::command, item::pagePicture | (bn::doubleClicked << 16), 0);
    EXPECT_EQ(record_.panel.pageCounter, 280);
}

TEST_F(StartPanelTest, ItsButtonsStartGamesAndEscapeIsExitWhicheverHasTheFocus) {
    Press(vk::space); // on New Game
    ASSERT_TRUE(RunFor(tickMs));
    EXPECT_EQ(State().mode, GameMode::Playing);
    EXPECT_EQ(State().practiceDifficulty, 0);
    EXPECT_EQ(State().jumpHeld, 0) << "the space that pressed the button is not a jump";
    EXPECT_EQ(StartPanel(), nullptr) << "the panel goes when a game starts";
    EXPECT_EQ(GetFocus(), main_) << "so that space and Escape reach the game";

    // Abort brings a fresh panel back, on page 0 with New Game focused.
    PostMessage(main_, wm::command, command::abort, 0);
    ASSERT_TRUE(RunFor(tickMs));
    EXPECT_EQ(State().mode, GameMode::Title);
    ASSERT_NE(StartPanel(), nullptr);
    EXPECT_EQ(GetFocus(), Button(item::newGame));
    EXPECT_LE(record_.panel.pageCounter, 1);

    Press(vk::tab);
    Press(vk::enter); // on Practice
    ASSERT_TRUE(RunFor(tickMs));
    EXPECT_EQ(State().mode, GameMode::Playing);
    EXPECT_NE(State().practiceDifficulty, 0);

    PostMessage(main_, wm::command, command::abort, 0);
    Press(vk::tab, tickMs);
    ASSERT_TRUE(RunFor(tickMs));
    ASSERT_EQ(GetFocus(), Button(item::practice));
    Press(vk::escape);
    EXPECT_FALSE(RunFor(tickMs)) << "the program ends";
}
