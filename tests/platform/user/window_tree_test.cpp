#include "tests/platform/user/window_test_fixture.h"

namespace {

TEST_F(WindowTest, MainWindowGetsTheGameSizesAndAnOwnContextThatSurvivesAMove) {
    WindowHandle main = CreateMain();
    EXPECT_EQ(GetClientRect(main).width, 634);
    EXPECT_EQ(GetClientRect(main).height, 436);
    EXPECT_EQ(GetDesktopRect().width, 634);
    EXPECT_EQ(GetDesktopRect().height, 455);
    EXPECT_EQ(backend.ScreenWidth(), 634);
    EXPECT_EQ(backend.ScreenHeight(), 455);
    EXPECT_TRUE(backend.ScreenShown());
    std::int32_t x = 0, y = 0;
    ClientToScreen(main, x, y);
    EXPECT_EQ(y, menuBarHeight); // the client area starts under the menu bar

    WindowHandle child = CreateChild(main, 7, {10, 20, 50, 40});
    ContextHandle context = GetWindowContext(child);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(BeginPaint(child), context);
    MoveWindow(child, 5, 5, 80, 60);
    EXPECT_EQ(GetWindowContext(child), context);
    EXPECT_EQ(GetClientRect(child).width, 80);
    EXPECT_EQ(BitmapWidth(GetSelectedBitmap(context)), 80);
}

TEST_F(WindowTest, APopupWithACaptionIsFramedAroundItsClientArea) {
    WindowHandle dialog =
        CreateWindowOf(testClassName, "About", ws::popup | ws::caption | ws::visible, 100, 100, 200,
                       150, CreateMain(), nullptr, 0, 0);
    EXPECT_EQ(GetClientRect(dialog).width, 194);
    EXPECT_EQ(GetClientRect(dialog).height, 125);
    std::int32_t x = 0, y = 0;
    ClientToScreen(dialog, x, y);
    EXPECT_EQ(x, 103);
    EXPECT_EQ(y, 122);
    FillRectIndex(GetWindowContext(dialog), 0, 0, 194, 125, 9);
    std::vector<std::uint8_t> screen(634 * 455);
    std::int32_t width = 0, height = 0;
    ComposeScreen(screen, width, height);
    EXPECT_EQ(screen[101 * 634 + 101], 255); // the raised border's light inner edge
    EXPECT_EQ(screen[104 * 634 + 190], 4);   // the caption bar
    EXPECT_EQ(screen[122 * 634 + 103], 9);   // the client area
    EXPECT_EQ(screen[249 * 634 + 299], 0);   // the black outer edge, bottom right
}

TEST_F(WindowTest, NcCreateReturningZeroFailsCreation) {
    SetMessageHook([](WindowHandle, std::uint32_t message, WParam, LParam) {
        return message == wm::ncCreate ? std::optional<LResult>(0) : std::nullopt;
    });
    EXPECT_EQ(CreateMain(), nullptr);
    EXPECT_TRUE(Only(wm::create).empty());
    EXPECT_EQ(Only(wm::ncDestroy).size(), 1u);
    EXPECT_EQ(GetDesktopRect().width, 0); // no main window is left standing
}

TEST_F(WindowTest, DestroyingAChildNotifiesItsParentThenGoesParentFirst) {
    WindowHandle main = CreateMain();
    WindowHandle panel = CreateChild(main, 1, {100, 100, 200, 100});
    WindowHandle button = CreateChild(panel, 2, {10, 10, 40, 20});
    SetFocus(button);
    SetCapture(button);
    MessageLog().clear();

    EXPECT_TRUE(DestroyWindow(panel));

    std::vector<std::pair<WindowHandle, std::uint32_t>> seen;
    for (const LoggedMessage& m : MessageLog())
        if (m.message != wm::killFocus)
            seen.emplace_back(m.window, m.message);
    EXPECT_EQ(seen, (decltype(seen){{main, wm::parentNotify},
                                    {panel, wm::destroy},
                                    {button, wm::destroy},
                                    {button, wm::ncDestroy},
                                    {panel, wm::ncDestroy}}));
    EXPECT_EQ(MessageLog().front().wParam & 0xFFFF, wm::destroy);
    EXPECT_FALSE(IsWindow(panel) || IsWindow(button));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFirstChild(main), nullptr);
}

TEST_F(WindowTest, DestroyingTheMainWindowTakesItsChildrenWithoutNotifyingIt) {
    WindowHandle main = CreateMain();
    WindowHandle panel = CreateChild(main, 1, {100, 100, 200, 100});
    MessageLog().clear();
    // The close button reaches DestroyWindow through default processing.
    Push(Event(Kind::Close), 0);
    Message message{};
    PeekMessage(message);
    EXPECT_FALSE(IsWindow(main) || IsWindow(panel));
    EXPECT_TRUE(Only(wm::parentNotify).empty());
    ASSERT_EQ(Only(wm::destroy).size(), 2u);
    EXPECT_EQ(Only(wm::destroy)[0].window, main);
    EXPECT_EQ(Only(wm::ncDestroy).back().window, main);
}

} // namespace
