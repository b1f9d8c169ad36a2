#include "tests/platform/user/window_test_fixture.h"

namespace {

TEST_F(WindowTest, FocusChangeSendsKillFocusThenSetFocus) {
    WindowHandle main = CreateMain();
    WindowHandle first = CreateChild(main, 1, {0, 0, 50, 20});
    WindowHandle second = CreateChild(main, 2, {60, 0, 50, 20});
    SetFocus(first);
    MessageLog().clear();

    EXPECT_EQ(SetFocus(second), first);
    EXPECT_EQ(GetFocus(), second);
    std::vector<std::tuple<WindowHandle, std::uint32_t, WParam>> seen;
    for (const LoggedMessage& m : MessageLog())
        seen.emplace_back(m.window, m.message, m.wParam);
    EXPECT_EQ(seen, (decltype(seen){{first, wm::killFocus, reinterpret_cast<WParam>(second)},
                                    {second, wm::setFocus, reinterpret_cast<WParam>(first)}}));
}

TEST_F(WindowTest, KeysGoToTheFocusAndTextBecomesCharacters) {
    WindowHandle main = CreateMain();
    WindowHandle button = CreateChild(main, 1, {0, 0, 50, 20});
    Push(Key(Kind::KeyDown, vk::space), 10); // nothing focused: the active window
    Push(Key(Kind::KeyUp, vk::space), 20);
    InputEvent typed = Event(Kind::Text);
    typed.text = "a\xC3\xA9"; // "a", then e with an acute accent
    Push(typed, 30);
    SetMessageHook([button](WindowHandle, std::uint32_t message, WParam, LParam) {
        if (message == wm::keyUp)
            SetFocus(button);
        return std::optional<LResult>();
    });
    RunUntil(100);
    ASSERT_EQ(Only(wm::keyDown).size(), 1u);
    EXPECT_EQ(Only(wm::keyDown)[0].window, main);
    const auto characters = Only(wm::character);
    ASSERT_EQ(characters.size(), 2u);
    EXPECT_EQ(characters[0].window, button);
    EXPECT_EQ(characters[0].wParam, WParam{'a'});
    EXPECT_EQ(characters[1].wParam, WParam{0xE9});
}

TEST_F(WindowTest, CaptureTakesTheMouseWhereverItIs) {
    WindowHandle main = CreateMain();
    WindowHandle left = CreateChild(main, 1, {0, 0, 100, 100});
    WindowHandle right = CreateChild(main, 2, {200, 0, 100, 100});
    SetCapture(left);
    Push(Mouse(Kind::MouseMove, 250, 19 + 50), 10); // over the right child
    RunUntil(20);
    ReleaseCapture();
    Push(Mouse(Kind::MouseDown, 250, 19 + 50), 30);
    Push(Mouse(Kind::MouseUp, 250, 19 + 50), 31);
    Push(Mouse(Kind::MouseDown, 250, 19 + 50), 40); // a quick second click: no double click
    RunUntil(50);

    const auto moves = Only(wm::mouseMove);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].window, left);
    EXPECT_EQ(PointParamX(moves[0].lParam), 250); // in the capturing window's coordinates
    EXPECT_EQ(PointParamY(moves[0].lParam), 50);
    const auto presses = Only(wm::lButtonDown);
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].window, right);
    EXPECT_EQ(PointParamX(presses[0].lParam), 50);
    EXPECT_EQ(presses[1].window, right);
}

TEST_F(WindowTest, ADisabledOwnerGetsNoKeysOrClicks) {
    WindowHandle main = CreateMain();
    WindowHandle dialog = CreateWindowOf(testClassName, "Dialog", ws::popup | ws::visible, 100, 100,
                                         200, 100, main, nullptr, 0, 0);
    WindowHandle okButton = CreateChild(dialog, 1, {10, 10, 50, 20});
    EnableWindow(main, false);
    SetFocus(okButton);
    MessageLog().clear();
    Push(Mouse(Kind::MouseDown, 10, 30), 10);   // on the main window
    Push(Mouse(Kind::MouseDown, 115, 115), 20); // on the dialog's button
    Push(Key(Kind::KeyDown, vk::enter), 30);
    RunUntil(40);
    EnableWindow(main, true);
    SetFocus(main);
    EnableWindow(main, false); // takes the focus away again
    Push(Key(Kind::KeyDown, vk::space), 50);
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
    EXPECT_EQ(activations[0].wParam, 1u);
    EXPECT_EQ(activations[1].wParam, 0u);
    EXPECT_EQ(activations[2].wParam, 1u);
    EXPECT_EQ(activations[2].window, main);
    const auto queries = Only(wm::queryNewPalette);
    ASSERT_EQ(queries.size(), 2u);
    EXPECT_LE(queries[1].time, activations[2].time);

    PaletteEntries entries{};
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = {static_cast<std::uint8_t>(i), 1, 2, pcNoCollapse};
    PaletteHandle palette = CreatePalette(entries);
    ContextHandle context = GetWindowContext(main);
    PaletteHandle previous = SelectPalette(context, palette, false);
    ASSERT_GT(RealizePalette(context), 0);
    SelectPalette(context, previous, false);
    InvalidateRect(main, nullptr, false);
    RunUntil(40);
    RunUntil(50);
    const auto changes = Only(wm::paletteChanged);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].window, main);
    EXPECT_EQ(changes[0].wParam, reinterpret_cast<WParam>(main));
    DeletePalette(palette);
    ResetDisplay();
}

TEST_F(WindowTest, AcceleratorF1SendsItsCommandInsteadOfTheKey) {
    CreateMain();
    accelerators = {{vk::f1, 40021}};
    Push(Key(Kind::KeyDown, vk::f1), 10);
    Push(Key(Kind::KeyDown, vk::f1), 20);
    RunUntil(30);
    const auto commands = Only(wm::command);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].wParam & 0xFFFF, 40021u);
    EXPECT_TRUE(Only(wm::keyDown).empty());
}

} // namespace
