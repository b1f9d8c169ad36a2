// The start panel in the running game: where it sits, its page ticks and
// clicks, its dialog keys, and where the focus goes as games start and end.

#include "core/commands.h"
#include "platform/user/dialog.h"
#include "shell/dialog_templates.h"
#include "shell/panel/page_counter.h"
#include "shell/panel/start_panel.h"
#include "tests/shell/desktop/game_window_fixture.h"

namespace {

constexpr std::uint32_t pageTickMs = 50;

class StartPanelTest : public GameWindow {
  protected:
    WindowHandle Panel() { return StartPanel(); }
    WindowHandle Button(int id) { return GetDialogItem(Panel(), id); }
    // The panel's picture against rows of panelImage from `row` on.
    bool PictureShows(std::int32_t row) {
        BitmapHandle shown = GetSelectedBitmap(GetWindowContext(Panel()));
        BitmapHandle pages = State().panelImage.bitmap;
        for (std::int32_t y = 0; y < 140; y += 7)
            for (std::int32_t x = 0; x < 288; x += 5)
                if (GetPixelIndex(shown, 13 + x, 12 + y) != GetPixelIndex(pages, x, row + y))
                    return false;
        return true;
    }
    // Page ticks from now until the counter reads `counter`.
    void RunToCounter(std::int32_t counter) {
        while (StartPanelPageCounter() != counter) {
            ASSERT_TRUE(RunFor(pageTickMs));
        }
    }
};

} // namespace

TEST_F(StartPanelTest, SitsInTheMiddleWithItsFrameJustAroundThePicture) {
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(GetParent(Panel()), main_);
    EXPECT_EQ(GetFirstChild(main_), Panel());
    EXPECT_TRUE(IsWindowVisible(Panel()));
    const Rect client = GetClientRect(main_);
    const Rect outer = GetWindowRect(Panel());
    std::int32_t originX = 0, originY = 0;
    ClientToScreen(main_, originX, originY);
    EXPECT_EQ(outer.x - originX, (client.width - outer.width) / 2);
    EXPECT_EQ(outer.y - originY, (client.height - outer.height) / 2);

    std::int32_t panelX = 0, panelY = 0;
    ClientToScreen(Panel(), panelX, panelY);
    const Rect frame = GetWindowRect(Button(item::pagePicture));
    const std::int32_t left = frame.x - panelX, top = frame.y - panelY;
    EXPECT_GE(13 - left, 1);
    EXPECT_LE(13 - left, 3);
    EXPECT_GE(12 - top, 1);
    EXPECT_LE(12 - top, 3);
    EXPECT_GE(left + frame.width - (13 + 288), 1);
    EXPECT_LE(left + frame.width - (13 + 288), 3);
    EXPECT_GE(top + frame.height - (12 + 140), 1);
    EXPECT_LE(top + frame.height - (12 + 140), 3);

    EXPECT_EQ(GetFocus(), Button(item::newGame)) << "the first tab stop";
    EXPECT_EQ(StartPanelTimer(), pageTimerId);
}

TEST_F(StartPanelTest, EveryFiftyMillisecondsShowsTheNextRowsOfTheCycle) {
    const std::int32_t checks[] = {1, 140, 141, 150, 154, 300, 433, 559};
    for (const std::int32_t counter : checks) {
        RunToCounter(counter);
        EXPECT_TRUE(PictureShows(PageSourceRow(counter - 1))) << "after counter " << counter - 1;
    }
    ASSERT_TRUE(RunFor(pageTickMs));
    EXPECT_EQ(StartPanelPageCounter(), 0) << "the cycle cuts back to the title";
    EXPECT_TRUE(PictureShows(420));
    ASSERT_TRUE(RunFor(pageTickMs));
    EXPECT_TRUE(PictureShows(0));
    // The title scrolls on beside it: the game's own tick keeps running.
    EXPECT_EQ(State().mode, GameMode::Title);
}

TEST_F(StartPanelTest, AClickOnThePictureMovesOnAPageADoubleClickTwo) {
    WindowHandle frame = Button(item::pagePicture);
    RunToCounter(20);
    Click(frame, 100, 70);
    ASSERT_TRUE(RunFor(0));
    EXPECT_EQ(StartPanelPageCounter(), 140);
    ASSERT_TRUE(RunFor(pageTickMs));
    EXPECT_TRUE(PictureShows(0)) << "page 1 begins its slide from page 0";

    // Two presses 100 ms apart: a click and a double click.
    ASSERT_TRUE(RunFor(600));
    const std::int32_t before = StartPanelPageCounter();
    ASSERT_LT(before, 280);
    Click(frame, 100, 70);
    Click(frame, 100, 70, 100);
    ASSERT_TRUE(RunFor(100));
    EXPECT_GE(StartPanelPageCounter(), 420);
    EXPECT_LE(StartPanelPageCounter(), 422);

    // On the last page a click brings the title back at once.
    Click(frame, 150, 20, 700);
    ASSERT_TRUE(RunFor(700));
    EXPECT_LE(StartPanelPageCounter(), 1) << "0, and perhaps the page tick due then";

    // Whatever the notification's code: a double click alone also moves on.
    RunToCounter(5);
    SendMessage(Panel(), wm::command, item::pagePicture | (bn::doubleClicked << 16), 0);
    EXPECT_EQ(StartPanelPageCounter(), 140);
}

TEST_F(StartPanelTest, TabWalksTheButtonsAndEnterPressesTheFocusedOne) {
    Press(vk::tab);
    ASSERT_TRUE(RunFor(0));
    EXPECT_EQ(GetFocus(), Button(item::practice));
    Press(vk::tab);
    ASSERT_TRUE(RunFor(0));
    EXPECT_EQ(GetFocus(), Button(item::exitGame));
    Press(vk::tab);
    ASSERT_TRUE(RunFor(0));
    EXPECT_EQ(GetFocus(), Button(item::newGame)) << "Tab wraps";
    Press(vk::tab);
    ASSERT_TRUE(RunFor(0));
    Press(vk::enter); // on Practice
    ASSERT_TRUE(RunFor(tickMs));
    EXPECT_EQ(State().mode, GameMode::Playing);
    EXPECT_NE(State().practiceDifficulty, 0);
    EXPECT_EQ(StartPanel(), nullptr) << "the panel goes when a game starts";
    EXPECT_EQ(GetFocus(), main_) << "so that space and Escape reach the game";

    // Space and Escape are the game's now: Escape pauses.
    Press(vk::escape);
    ASSERT_TRUE(RunFor(tickMs));
    EXPECT_EQ(State().mode, GameMode::Paused);

    // Abort brings a fresh panel back, on page 0 with New Game focused.
    PostMessage(main_, wm::command, command::abort, 0);
    ASSERT_TRUE(RunFor(tickMs));
    EXPECT_EQ(State().mode, GameMode::Title);
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(GetFocus(), Button(item::newGame));
    EXPECT_LE(StartPanelPageCounter(), 1);
}

TEST_F(StartPanelTest, EnterAndSpaceStartAGameFromNewGame) {
    Press(vk::space);
    ASSERT_TRUE(RunFor(tickMs));
    EXPECT_EQ(State().mode, GameMode::Playing);
    EXPECT_EQ(State().practiceDifficulty, 0);
    EXPECT_EQ(State().jumpHeld, 0) << "the space that pressed the button is not a jump";
    PostMessage(main_, wm::command, command::abort, 0);
    ASSERT_TRUE(RunFor(tickMs));
    ASSERT_EQ(State().mode, GameMode::Title);

    Press(vk::enter);
    ASSERT_TRUE(RunFor(tickMs));
    EXPECT_EQ(State().mode, GameMode::Playing);
}

TEST_F(StartPanelTest, EscapePressesExitWhicheverButtonHasTheFocus) {
    Press(vk::tab);
    ASSERT_TRUE(RunFor(0));
    ASSERT_EQ(GetFocus(), Button(item::practice));
    Press(vk::escape);
    EXPECT_FALSE(RunFor(tickMs)) << "the program ends";
}

TEST_F(StartPanelTest, ShowJumpCountRedrawsThePagesAtOnce) {
    auto pageOne = [this] {
        std::vector<std::uint8_t> rows;
        for (std::int32_t y = 140; y < 280; ++y)
            for (std::int32_t x = 0; x < 288; ++x)
                rows.push_back(GetPixelIndex(State().panelImage.bitmap, x, y));
        return rows;
    };
    const auto plain = pageOne();
    for (const bool jumps : {true, false}) {
        PostMessage(main_, wm::command, command::showJumpCount, 0);
        ASSERT_TRUE(RunFor(0));
        EXPECT_EQ(pageOne() == plain, !jumps);
    }
}
