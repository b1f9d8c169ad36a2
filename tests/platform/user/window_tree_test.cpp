#include "tests/platform/user/window_test_fixture.h"

#include <array>

namespace {

TEST_F(WindowTest, MainWindowOpensTheScreenWithItsIconAndPopupsAreFramed) {
    const std::uint8_t icon[] = {0, 0, 1, 0, 1, 0};
    RegisterWindowClass({"WithIcon", cs::ownDC, DefWindowProc, icon});
    WindowHandle main = CreateWindowOf("WithIcon", "Main", ws::caption | ws::visible, 0, 0, 640,
                                       480, nullptr, &bar, 0, 0);
    EXPECT_EQ(backend.IconSize(), sizeof icon);
    EXPECT_EQ(backend.ScreenTitle(), "Main");
    EXPECT_EQ((std::array{backend.ScreenWidth(), backend.ScreenHeight()}), (std::array{634, 455}));
    EXPECT_EQ(GetClientRect(main).height, 436); // under the menu bar
    WindowHandle popup = CreateWindowOf(testClass, "", ws::popup | ws::caption | ws::visible, 100,
                                        100, 200, 150, main, nullptr, 0, 0);
    EXPECT_EQ(GetClientRect(popup).width, 194);
    FillRectIndex(GetWindowContext(popup), 0, 0, 194, 125, 9);
    std::vector<std::uint8_t> screen(634 * 455);
    std::int32_t width = 0, height = 0;
    ComposeScreen(screen, width, height);
    const auto at = [&screen](int x, int y) { return screen[y * 634 + x]; };
    EXPECT_EQ(at(101, 101), 255); // the raised border's light inner edge
    EXPECT_EQ(at(190, 104), 4);   // the caption bar
    EXPECT_EQ(at(103, 122), 9);   // the client area's top-left, and just outside it
    EXPECT_NE(at(103, 121), 9);
    EXPECT_NE(at(102, 122), 9);
    EXPECT_EQ(at(299, 249), 0); // the black outer edge, bottom right
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
    EXPECT_EQ(Only(wm::parentNotify)[0].wParam & 0xFFFF, wm::destroy);
    ASSERT_EQ(Only(wm::ncDestroy).size(), 2u);
    EXPECT_EQ(Only(wm::ncDestroy)[1].window, panel); // the parent last, after its children
    EXPECT_FALSE(IsWindow(panel) || IsWindow(button) || GetFocus() || GetCapture());
    // The desktop's close takes the main window and its children, telling no one.
    CreateChild(main, 3, {0, 0, 10, 10});
    log.clear();
    Push(Event(Kind::Close), 0);
    Message message{};
    EXPECT_FALSE(PeekMessage(message) || IsWindow(main));
    EXPECT_EQ(Only(wm::destroy).size(), 2u);
    EXPECT_TRUE(Only(wm::parentNotify).empty());
    // A window that refuses NCCREATE is not made, nor is the screen opened.
    hook = [](WindowHandle, std::uint32_t kind, WParam, LParam) {
        return kind == wm::ncCreate ? std::optional<LResult>(0) : std::nullopt;
    };
    EXPECT_EQ(CreateMain(), nullptr);
    EXPECT_EQ(GetDesktopRect().width, 0);
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
    other.Advance(50);
    EXPECT_EQ(GetTickCount(), 50u);                                      // the new backend's clock
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
