#include "tests/platform/user/window_test_fixture.h"

namespace {

TEST_F(WindowTest, MainWindowOpensTheScreenWithItsIconAndKeepsItsContextThroughAMove) {
    const std::uint8_t icon[] = {0, 0, 1, 0, 1, 0};
    RegisterWindowClass({"WithIcon", cs::ownDC, DefWindowProc, icon});
    WindowHandle main = CreateWindowOf("WithIcon", "Main", ws::caption, 0, 0, 640, 480, nullptr,
                                       &bar, 0, 0);
    ShowWindow(main, true);
    EXPECT_EQ(backend.IconSize(), sizeof icon);
    EXPECT_EQ(backend.ScreenTitle(), "Main");
    EXPECT_EQ(GetClientRect(main).width, 634);
    EXPECT_EQ(GetClientRect(main).height, 436);
    EXPECT_EQ(GetDesktopRect().height, 455); // the menu bar and the client area
    EXPECT_EQ(backend.ScreenHeight(), 455);
    EXPECT_TRUE(backend.ScreenShown());
    std::int32_t x = 0, y = 0;
    ClientToScreen(main, x, y);
    EXPECT_EQ(y, menuBarHeight);

    WindowHandle child = CreateChild(main, 7, {10, 20, 50, 40});
    ContextHandle context = GetWindowContext(child);
    EXPECT_EQ(BeginPaint(child), context);
    MoveWindow(child, 5, 5, 80, 60);
    EXPECT_EQ(GetWindowContext(child), context);
    EXPECT_EQ(BitmapWidth(GetSelectedBitmap(context)), 80);
}

TEST_F(WindowTest, APopupWithACaptionIsFramedAroundItsClientArea) {
    WindowHandle dialog =
        CreateWindowOf(testClass, "About", ws::popup | ws::caption | ws::visible, 100, 100, 200,
                       150, CreateMain(), nullptr, 0, 0);
    EXPECT_EQ(GetClientRect(dialog).width, 194);
    EXPECT_EQ(GetClientRect(dialog).height, 125);
    FillRectIndex(GetWindowContext(dialog), 0, 0, 194, 125, 9);
    std::vector<std::uint8_t> screen(634 * 455);
    std::int32_t width = 0, height = 0;
    ComposeScreen(screen, width, height);
    EXPECT_EQ(screen[101 * 634 + 101], 255); // the raised border's light inner edge
    EXPECT_EQ(screen[104 * 634 + 190], 4);   // the caption bar
    EXPECT_EQ(screen[122 * 634 + 103], 9);   // the client area's top-left, and just outside it
    EXPECT_NE(screen[121 * 634 + 103], 9);
    EXPECT_NE(screen[122 * 634 + 102], 9);
    EXPECT_EQ(screen[249 * 634 + 299], 0); // the black outer edge, bottom right
}

TEST_F(WindowTest, NcCreateReturningZeroFailsCreation) {
    hook = [](WindowHandle, std::uint32_t message, WParam, LParam) {
        return message == wm::ncCreate ? std::optional<LResult>(0) : std::nullopt;
    };
    EXPECT_EQ(CreateMain(), nullptr);
    EXPECT_TRUE(Only(wm::create).empty());
    EXPECT_EQ(Only(wm::ncDestroy).size(), 1u);
    EXPECT_EQ(GetDesktopRect().width, 0); // no main window is left standing
}

TEST_F(WindowTest, DestroyingAChildTellsItsParentAndTakesFocusAndCaptureAlong) {
    WindowHandle main = CreateMain();
    WindowHandle panel = CreateChild(main, 1, {100, 100, 200, 100});
    WindowHandle button = CreateChild(panel, 2, {10, 10, 40, 20});
    SetFocus(button);
    SetCapture(button);
    log.clear();
    EXPECT_TRUE(DestroyWindow(panel));
    ASSERT_EQ(Only(wm::parentNotify).size(), 1u);
    EXPECT_EQ(Only(wm::parentNotify)[0].window, main);
    EXPECT_EQ(Only(wm::parentNotify)[0].wParam & 0xFFFF, wm::destroy);
    EXPECT_EQ(Only(wm::destroy).size(), 2u);
    ASSERT_EQ(Only(wm::ncDestroy).size(), 2u);
    EXPECT_EQ(Only(wm::ncDestroy)[1].window, panel); // the parent last, after its children
    EXPECT_FALSE(IsWindow(panel) || IsWindow(button));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFirstChild(main), nullptr);

    // The desktop's close takes the main window and its children, telling no one.
    CreateChild(main, 3, {0, 0, 10, 10});
    log.clear();
    Push(Event(Kind::Close), 0);
    Message message{};
    PeekMessage(message);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_TRUE(Only(wm::parentNotify).empty());
    EXPECT_EQ(Only(wm::destroy).size(), 2u);
}

// Everything lives as long as the window system: a new one starts from
// nothing, on the display its options ask for.
TEST_F(WindowTest, EachStartIsFreshAndNothingOutlivesTheShutdown) {
    WindowHandle main = CreateMain();
    PaletteEntries entries{};
    entries[100] = {1, 2, 3, pcNoCollapse};
    PaletteHandle palette = CreatePalette(entries);
    SelectPalette(GetWindowContext(main), palette, false);
    ASSERT_EQ(RealizePalette(GetWindowContext(main)), 1);
    SetTimer(main, 1, 10);

    HeadlessBackend other;
    StartWindowSystem(other, {.display = {.staticColors = -1}});
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(GetStaticColorCount(), -1);
    EXPECT_EQ(GetSystemPalette()[100].blue, 0);
    EXPECT_EQ(SystemPaletteVersion(), 0u);
    other.Advance(50);
    EXPECT_EQ(GetTickCount(), 50u); // the new backend's clock
    EXPECT_TRUE(RegisterWindowClass({testClass, 0, DefWindowProc, {}})); // no class is left
    Message message{};
    EXPECT_FALSE(PeekMessage(message)); // nor any timer
    ShutdownWindowSystem();
    EXPECT_EQ(GetStaticColorCount(), staticColorCount);
    EXPECT_EQ(GetTickCount(), 0u); // no desktop: a clock that never moves
    EXPECT_FALSE(DestroyWindow(main));
    DeletePalette(palette);
}

} // namespace
