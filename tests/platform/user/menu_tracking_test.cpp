#include "platform/user/menu_layout.h"
#include "tests/platform/user/window_test_fixture.h"

#include <string>

namespace {

// Samples what the menu shows at every tick of a 40 ms timer, the way the
// game's tick keeps running under an open menu.
class MenuTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        CreateMain();
        SetTimer(mainWindow, 1, 40);
        SetMessageHook([this](WindowHandle, std::uint32_t message, WParam, LParam) {
            if (message != wm::timer)
                return std::optional<LResult>();
            views.push_back(GetMenuTracking());
            if (sampleScreen && views.back().pulldownShown) {
                std::int32_t width = 0, height = 0;
                screen.resize(634 * 455);
                ComposeScreen(screen, width, height);
                sampleScreen = false;
            }
            return std::optional<LResult>();
        });
    }
    void Tap(int key, std::uint32_t at) {
        Push(Key(Kind::KeyDown, key), at);
        Push(Key(Kind::KeyUp, key), at + 1);
    }
    std::vector<int> Commands() const {
        std::vector<int> ids;
        for (const LoggedMessage& m : Only(wm::command))
            ids.push_back(static_cast<int>(m.wParam & 0xFFFF));
        return ids;
    }
    // The view at the last tick before time: "closed", "bar <menu>" or, with
    // the pull-down open, "<menu>/<item>".
    std::string Shown(std::uint32_t time) const {
        const MenuTrackingView view = views.at((time - 1) / 40 - 1);
        const std::string menu = std::to_string(view.menuIndex);
        return !view.active          ? "closed"
               : !view.pulldownShown ? "bar " + menu
                                     : menu + "/" + std::to_string(view.itemIndex);
    }
    std::uint8_t ScreenAt(std::int32_t x, std::int32_t y) const {
        return screen.at(static_cast<std::size_t>(y) * 634 + x);
    }

    std::vector<MenuTrackingView> views;
    bool sampleScreen = false;
    std::vector<std::uint8_t> screen;
};

TEST_F(MenuTest, AltArrowsAndEnterChooseSkippingGrayedItemsWhileTimersTick) {
    Tap(vk::alt, 100);  // the bar, File highlighted
    Tap(vk::down, 200); // File opens on New Game
    Tap(vk::down, 300); // Practice
    Tap(vk::down, 400); // past the separators and the grayed Pause and Abort: Exit
    Tap(vk::down, 500); // wraps to New Game
    Tap(vk::up, 600);   // and back to Exit
    Tap(vk::enter, 700);
    RunUntil(800);

    const std::vector<std::string> shown = {Shown(200), Shown(300), Shown(400),
                                            Shown(500), Shown(600), Shown(700)};
    EXPECT_EQ(shown, (std::vector<std::string>{"bar 0", "0/0", "0/1", "0/6", "0/0", "0/6"}));
    EXPECT_FALSE(GetMenuTracking().active);
    EXPECT_EQ(Commands(), std::vector<int>{105});
    // The tick went on every 40 ms while the menu was open.
    EXPECT_EQ(views.size(), 20u);
    EXPECT_TRUE(Only(wm::keyDown).empty()); // menu keys never reach the window
}

TEST_F(MenuTest, EscapeClosesThePulldownThenLeavesTheBar) {
    Push(Key(Kind::KeyDown, vk::alt), 100);
    Push(Key(Kind::KeyDown, 'F'), 110); // Alt+F opens File
    Push(Key(Kind::KeyUp, 'F'), 120);
    Push(Key(Kind::KeyUp, vk::alt), 130);
    Tap(vk::right, 200); // Difficulty is grayed: highlighted, not opened
    Tap(vk::enter, 300); // and cannot be chosen from
    Tap(vk::right, 400); // Option opens on Music
    Tap(vk::escape, 500);
    Tap(vk::escape, 600);
    RunUntil(700);

    const std::vector<std::string> shown = {Shown(200), Shown(300), Shown(400),
                                            Shown(500), Shown(600), Shown(700)};
    EXPECT_EQ(shown, (std::vector<std::string>{"0/0", "bar 1", "bar 1", "2/0", "bar 2", "closed"}));
    EXPECT_TRUE(Commands().empty());
}

TEST_F(MenuTest, MnemonicsChooseAndGrayedItemsDoNot) {
    Push(Key(Kind::KeyDown, vk::f10), 100);
    Push(Key(Kind::KeyUp, vk::f10), 101);
    Tap('F', 200); // File opens
    Tap('A', 300); // Abort is grayed: nothing
    Tap('X', 400); // E&xit
    RunUntil(500);
    EXPECT_EQ(Shown(300), "0/0");
    EXPECT_EQ(Shown(400), "0/0");
    EXPECT_EQ(Commands(), std::vector<int>{105});
}

TEST_F(MenuTest, MouseOpensHoversAndChooses) {
    const std::vector<TitleBox> titles = LayOutMenuTitles(bar);
    const PulldownLayout file = LayOutPulldown(bar.menus[0]);
    const std::int32_t practiceY = menuBarHeight + file.itemTops[1] + 2;
    Push(Mouse(Kind::MouseDown, titles[0].left + 3, 5), 100);
    Push(Mouse(Kind::MouseUp, titles[0].left + 3, 5), 110); // stays open
    Push(Mouse(Kind::MouseMove, 20, practiceY), 200);
    Push(Mouse(Kind::MouseMove, 20, menuBarHeight + file.itemTops[3] + 2), 300); // grayed Pause
    Push(Mouse(Kind::MouseDown, 20, practiceY), 400);
    Push(Mouse(Kind::MouseUp, 20, practiceY), 410);
    // Opened again, then a press outside closes it and is not passed on.
    Push(Mouse(Kind::MouseDown, titles[2].left + 3, 5), 500);
    Push(Mouse(Kind::MouseDown, 300, 300), 600);
    RunUntil(700);

    const std::vector<std::string> shown = {Shown(200), Shown(300), Shown(400), Shown(600),
                                            Shown(700)};
    EXPECT_EQ(shown, (std::vector<std::string>{"0/-1", "0/1", "0/-1", "2/-1", "closed"}));
    EXPECT_EQ(Commands(), std::vector<int>{102});
    EXPECT_TRUE(Only(wm::lButtonDown).empty());
}

TEST_F(MenuTest, BarAndPulldownPixelsShowMnemonicsAndCheckMarks) {
    FontHandle font = MenuFont();
    if (font == nullptr)
        GTEST_SKIP() << "no menu face installed";
    Push(Key(Kind::KeyDown, vk::alt), 100);
    Push(Key(Kind::KeyDown, 'O'), 110); // Option opens on Music; Sound is checked
    Push(Key(Kind::KeyUp, 'O'), 111);
    Push(Key(Kind::KeyUp, vk::alt), 112);
    Tap(vk::escape, 300);
    Tap(vk::escape, 310);
    sampleScreen = true;
    RunUntil(400);
    ASSERT_FALSE(screen.empty());

    // "&File": the F is underlined in black under the text on the gray bar.
    const std::vector<TitleBox> titles = LayOutMenuTitles(bar);
    const std::int32_t underline = (menuBarHeight - MenuLineHeight()) / 2 + FontAscent(font) + 1;
    const std::int32_t fWidth = GetTextExtent(font, "F").width;
    for (std::int32_t x = titles[0].left + 6; x < titles[0].left + 6 + fWidth; ++x)
        EXPECT_EQ(ScreenAt(x, underline), menu_colors::text) << "x " << x;
    EXPECT_EQ(ScreenAt(titles[0].left + 1, underline), menu_colors::face);

    // In the pull-down, the check column of Sound holds black tick pixels,
    // Music's is on the dark blue selection, SpeedUp's is plain face.
    const PulldownLayout option = LayOutPulldown(bar.menus[2]);
    auto countInCheckColumn = [&](int item, std::uint8_t index) {
        int count = 0;
        const std::int32_t top = menuBarHeight + option.itemTops[static_cast<std::size_t>(item)];
        for (std::int32_t y = top; y < top + option.itemHeights[static_cast<std::size_t>(item)];
             ++y)
            for (std::int32_t x = titles[2].left + pulldownBorder;
                 x < titles[2].left + pulldownBorder + checkColumnWidth; ++x)
                count += ScreenAt(x, y) == index ? 1 : 0;
        return count;
    };
    EXPECT_GT(countInCheckColumn(1, menu_colors::text), 10);
    EXPECT_GT(countInCheckColumn(0, menu_colors::selection), 100);
    EXPECT_EQ(countInCheckColumn(2, menu_colors::text), 0);
    // The pull-down's raised border: black on its right edge.
    EXPECT_EQ(ScreenAt(titles[2].left + option.width - 1, menuBarHeight + 5),
              menu_colors::darkShadow);
}

} // namespace
