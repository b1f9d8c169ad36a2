#include "platform/user/menu_layout.h"
#include "tests/platform/user/window_test_fixture.h"

#include <string>

namespace {

// Samples the menu at every tick of a 40 ms timer, which runs on under an open menu.
class MenuTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        CreateMain();
        SetTimer(mainWindow, 1, 40);
        hook = [this](WindowHandle, std::uint32_t message, WParam, LParam) {
            if (message == wm::timer)
                views.push_back(GetMenuTracking());
            return std::optional<LResult>();
        };
    }
    std::vector<int> Commands() const {
        std::vector<int> ids;
        for (const LoggedMessage& m : Only(wm::command))
            ids.push_back(static_cast<int>(m.wParam & 0xFFFF));
        return ids;
    }
    // The views at the last tick before each time: "closed", "bar <menu>"
    // or, with the pull-down open, "<menu>/<item>".
    std::vector<std::string> Shown(std::initializer_list<std::uint32_t> times) const {
        std::vector<std::string> shown;
        for (std::uint32_t time : times) {
            const MenuTrackingView view = views.at((time - 1) / 40 - 1);
            const std::string menu = std::to_string(view.menuIndex);
            shown.push_back(!view.active          ? "closed"
                            : !view.pulldownShown ? "bar " + menu
                                                  : menu + "/" + std::to_string(view.itemIndex));
        }
        return shown;
    }
    std::vector<MenuTrackingView> views;
};

using Views = std::vector<std::string>;

TEST_F(MenuTest, AltArrowsAndEnterChooseSkippingGrayedItemsWhileTimersTick) {
    Tap(vk::alt, 100);  // the bar, File highlighted
    Tap(vk::down, 200); // File opens on Open
    Tap(vk::down, 300); // Close
    Tap(vk::down, 400); // past the separators and the grayed Print and Archive: Exit
    Tap(vk::down, 500); // wraps to Open
    Tap(vk::up, 600);   // and back to Exit
    Tap(vk::enter, 700);
    RunUntil(800);
    EXPECT_EQ(Shown({200, 300, 400, 500, 600, 700}),
              (Views{"bar 0", "0/0", "0/1", "0/6", "0/0", "0/6"}));
    EXPECT_FALSE(GetMenuTracking().active);
    EXPECT_EQ(Commands(), std::vector<int>{105});
    EXPECT_EQ(views.size(), 20u);           // the tick went on every 40 ms
    EXPECT_TRUE(Only(wm::keyDown).empty()); // menu keys never reach the window
}

TEST_F(MenuTest, EscapeClosesThePulldownThenLeavesTheBarAndMnemonicsChoose) {
    Key(Kind::KeyDown, vk::alt, 100);
    Tap('F', 110); // Alt+F opens File
    Key(Kind::KeyUp, vk::alt, 130);
    Tap(vk::right, 200); // Edit is grayed: highlighted, not opened
    Tap(vk::enter, 300); // and cannot be chosen from
    Tap(vk::right, 400); // View opens on Ruler
    Tap(vk::escape, 500);
    Tap(vk::escape, 600);
    Tap(vk::f10, 700); // the bar again
    Tap('F', 800);     // File opens
    Tap('A', 900);     // Archive is grayed: nothing
    Tap('X', 1000);    // E&xit
    RunUntil(1100);
    EXPECT_EQ(Shown({200, 300, 400, 500, 600, 700, 900, 1000}),
              (Views{"0/0", "bar 1", "bar 1", "2/0", "bar 2", "closed", "0/0", "0/0"}));
    EXPECT_EQ(Commands(), std::vector<int>{105});
}

TEST_F(MenuTest, MouseOpensHoversAndChooses) {
    const std::vector<TitleBox> titles = LayOutMenuTitles(bar);
    const PulldownLayout file = LayOutPulldown(bar.menus[0]);
    const std::int32_t closeY = menuBarHeight + file.itemTops[1] + 2;
    Mouse(Kind::MouseDown, titles[0].left + 3, 5, 100);
    Mouse(Kind::MouseUp, titles[0].left + 3, 5, 110); // stays open
    Mouse(Kind::MouseMove, 20, closeY, 200);
    Mouse(Kind::MouseMove, 20, menuBarHeight + file.itemTops[3] + 2, 300); // grayed Print
    Click(20, closeY, 400);
    // Opened again, then a press outside closes it and is not passed on.
    Mouse(Kind::MouseDown, titles[2].left + 3, 5, 500);
    Mouse(Kind::MouseDown, 300, 300, 600);
    RunUntil(700);
    EXPECT_EQ(Shown({200, 300, 400, 600, 700}), (Views{"0/-1", "0/1", "0/-1", "2/-1", "closed"}));
    EXPECT_EQ(Commands(), std::vector<int>{102});
    EXPECT_TRUE(Only(wm::lButtonDown).empty());
}

} // namespace
