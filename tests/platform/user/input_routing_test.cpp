#include "tests/platform/user/window_test_fixture.h"

namespace {

TEST_F(WindowTest, KeysGoToTheFocusTextBecomesCharactersAndFocusMovesWithNotices) {
    WindowHandle main = CreateMain();
    WindowHandle button = CreateChild(main, 1, {0, 0, 50, 20});
    Key(Kind::KeyDown, vk::space, 10); // nothing focused: the active window
    Key(Kind::KeyUp, vk::space, 20);
    InputEvent typed = Event(Kind::Text);
    typed.text = "a\xC3\xA9"; // "a", then e with an acute accent
    Push(typed, 30);
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
    EXPECT_EQ(characters[0].wParam, WParam{'a'});
    EXPECT_EQ(characters[1].wParam, WParam{0xE9});
    // The focus leaving names where it goes, and arriving where it came from.
    ASSERT_EQ(Only(wm::killFocus).size(), 1u);
    EXPECT_EQ(Only(wm::killFocus)[0].wParam, reinterpret_cast<WParam>(button));
    ASSERT_EQ(Only(wm::setFocus).size(), 2u); // the main window on activation, then the button
    EXPECT_EQ(Only(wm::setFocus)[1].wParam, reinterpret_cast<WParam>(main));
}

TEST_F(WindowTest, CaptureTakesTheMouseWhereverItIs) {
    WindowHandle main = CreateMain();
    WindowHandle left = CreateChild(main, 1, {0, 0, 100, 100});
    WindowHandle right = CreateChild(main, 2, {200, 0, 100, 100});
    SetCapture(left);
    Mouse(Kind::MouseMove, 250, 19 + 50, 10); // over the right child
    RunUntil(20);
    ReleaseCapture();
    Mouse(Kind::MouseDown, 250, 19 + 50, 30);
    Mouse(Kind::MouseUp, 250, 19 + 50, 31);
    Mouse(Kind::MouseDown, 250, 19 + 50, 40); // a quick second click: no double click
    RunUntil(50);
    const auto moves = Only(wm::mouseMove);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].window, left);
    EXPECT_EQ(moves[0].lParam, MakePointParam(250, 50)); // in the capturing window's coordinates
    const auto presses = Only(wm::lButtonDown);
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].window, right);
    EXPECT_EQ(PointParamX(presses[0].lParam), 50);
    EXPECT_EQ(presses[1].window, right);
}

TEST_F(WindowTest, ADisabledOwnerGetsNoKeysOrClicks) {
    WindowHandle main = CreateMain();
    WindowHandle dialog = CreateWindowOf(testClass, "Dialog", ws::popup | ws::visible, 100, 100,
                                         200, 100, main, nullptr, 0, 0);
    WindowHandle okButton = CreateChild(dialog, 1, {10, 10, 50, 20});
    EnableWindow(main, false);
    SetFocus(okButton);
    log.clear();
    Mouse(Kind::MouseDown, 10, 30, 10);   // on the main window
    Mouse(Kind::MouseDown, 115, 115, 20); // on the dialog's button
    Key(Kind::KeyDown, vk::enter, 30);
    RunUntil(40);
    EnableWindow(main, true);
    SetFocus(main);
    EnableWindow(main, false); // takes the focus away again
    Key(Kind::KeyDown, vk::space, 50);
    RunUntil(60);
    ASSERT_EQ(Only(wm::lButtonDown).size(), 1u);
    EXPECT_EQ(Only(wm::lButtonDown)[0].window, okButton);
    ASSERT_EQ(Only(wm::keyDown).size(), 1u);
    EXPECT_EQ(Only(wm::keyDown)[0].window, okButton);
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
    EXPECT_EQ(activations[1].wParam, 0u);
    EXPECT_EQ(activations[2].wParam, 1u);
    const auto queries = Only(wm::queryNewPalette);
    ASSERT_EQ(queries.size(), 2u);
    EXPECT_LE(queries[1].time, activations[2].time);

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
    EXPECT_EQ(changes[0].window, main);
    EXPECT_EQ(changes[0].wParam, reinterpret_cast<WParam>(main));
    EXPECT_EQ(backend.LastPalette()[100].blue, 3);
    DeletePalette(palette);
}

TEST_F(WindowTest, AcceleratorSendsItsCommandInsteadOfTheKey) {
    CreateMain();
    accelerators = {{vk::f1, 40021}};
    Key(Kind::KeyDown, vk::f1, 10);
    Key(Kind::KeyDown, vk::f1, 20);
    RunUntil(30);
    const auto commands = Only(wm::command);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].wParam & 0xFFFF, 40021u);
    EXPECT_TRUE(Only(wm::keyDown).empty());
}

} // namespace
