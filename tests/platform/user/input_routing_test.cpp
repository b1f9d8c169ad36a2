#include "tests/platform/user/window_test_fixture.h"

namespace {

TEST_F(WindowTest, KeysGoToTheFocusTextBecomesCharactersAndAcceleratorsTakeTheirKeys) {
    WindowHandle main = CreateMain();
    WindowHandle button = CreateChild(main, 1, {0, 0, 50, 20});
    accelerators = {{vk::f1, 40021}};
    Key(Kind::KeyDown, vk::space, 10); // to the main window, focused when it was activated
    Key(Kind::KeyUp, vk::space, 20);
    Push(Event(Kind::Text, 0, 0, 0, "a\xC3\xA9"), 30); // "a", then e with an acute accent
    Key(Kind::KeyDown, vk::f1, 40);
    hook = [button](WindowHandle, std::uint32_t message, WParam, LParam) {
        if (message == wm::keyUp)
            SetFocus(button);
        return std::optional<LResult>();
    };
    RunUntil(100);
    ASSERT_EQ(Only(wm::keyDown).size(), 1u);
    EXPECT_EQ(Only(wm::keyDown)[0].window, main);
    const auto characters = Only(wm::character);
    ASSERT_EQ(characters.size(), 2u);
    EXPECT_EQ(characters[0].window, button);
    EXPECT_EQ(characters[1].wParam, WParam{0xE9});
    // The focus leaving names where it goes, and arriving where it came from.
    EXPECT_EQ(Only(wm::killFocus).at(0).wParam, reinterpret_cast<WParam>(button));
    EXPECT_EQ(Only(wm::setFocus).at(1).wParam, reinterpret_cast<WParam>(main));
    EXPECT_EQ(Only(wm::command).at(0).wParam & 0xFFFF, 40021u);
}

TEST_F(WindowTest, CaptureTakesTheMouseWhereverItIs) {
    WindowHandle main = CreateMain();
    WindowHandle left = CreateChild(main, 1, {0, 0, 100, 100});
    WindowHandle right = CreateChild(main, 2, {200, 0, 100, 100});
    SetCapture(left);
    Mouse(Kind::MouseMove, 250, 19 + 50, 10); // over the right child
    RunUntil(20);
    ReleaseCapture();
    Click(250, 19 + 50, 30);
    Mouse(Kind::MouseDown, 250, 19 + 50, 40); // a quick second click: no double click
    RunUntil(50);
    ASSERT_EQ(Only(wm::mouseMove).size(), 1u);
    EXPECT_EQ(Only(wm::mouseMove)[0].window, left);
    EXPECT_EQ(Only(wm::mouseMove)[0].lParam, MakePointParam(250, 50)); // in its coordinates
    const auto presses = Only(wm::lButtonDown);
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].window, right);
    EXPECT_EQ(presses[0].lParam, MakePointParam(50, 50));
    EXPECT_EQ(presses[1].window, right);
}

// Each activation first lets the window realize its palette; a change to
// the system palette is then announced once, naming its maker.
TEST_F(WindowTest, ActivationFollowsTheDesktopFocusAndPaletteChangesAreAnnounced) {
    WindowHandle main = CreateMain();
    Push(Event(Kind::FocusLost), 10);
    Push(Event(Kind::FocusGained), 20);
    RunUntil(30);
    const auto activations = Only(wm::activate);
    ASSERT_EQ(activations.size(), 3u); // shown, lost, gained
    EXPECT_EQ(activations[1].wParam + 2 * activations[2].wParam, 2u);
    ASSERT_EQ(Only(wm::queryNewPalette).size(), 2u);
    EXPECT_LE(Only(wm::queryNewPalette)[1].time, activations[2].time);
    PaletteEntries entries{};
    entries[100] = {1, 2, 3, pcNoCollapse};
    PaletteHandle palette = CreatePalette(entries);
    PaletteHandle previous = SelectPalette(GetWindowContext(main), palette, false);
    ASSERT_EQ(RealizePalette(GetWindowContext(main)), 1);
    SelectPalette(GetWindowContext(main), previous, false);
    InvalidateRect(main, nullptr, false);
    RunUntil(40);
    RunUntil(50);
    const auto changes = Only(wm::paletteChanged);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].wParam, reinterpret_cast<WParam>(main));
    EXPECT_EQ(backend.LastPalette()[100].blue, 3);
    DeletePalette(palette);
}

} // namespace
