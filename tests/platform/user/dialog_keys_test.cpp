#include "tests/platform/user/dialog_test_fixture.h"

namespace {

using test_dialogs::panel;

TEST_F(DialogTest, StartPanelFrameLiesJustAroundThePicture) {
    WindowHandle dialog = CreatePanel();
    // The picture goes at (13, 12), 288 x 140, of the panel's client area.
    WindowHandle frame = GetDialogItem(dialog, 1004);
    const Rect outer = GetWindowRect(frame);
    std::int32_t clientX = 0;
    std::int32_t clientY = 0;
    ClientToScreen(dialog, clientX, clientY);
    const std::int32_t left = outer.x - clientX;
    const std::int32_t top = outer.y - clientY;
    // Its black lies inside a one-pixel sunken edge, one spare column and
    // row of black to the right and below.
    EXPECT_EQ(left + 1, 13);
    EXPECT_EQ(top + 1, 12);
    EXPECT_EQ(left + outer.width - 1, 13 + 288 + 1);
    EXPECT_EQ(top + outer.height - 1, 12 + 140 + 1);
    const Rect client = GetClientRect(dialog);
    EXPECT_EQ(client.width, 313);
    EXPECT_EQ(client.height, 195);
    EXPECT_EQ(GetWindowRect(dialog).width, client.width + 2 * frameBorderWidth);
}

TEST_F(DialogTest, FirstFocusTabOrderAndWrap) {
    WindowHandle dialog = CreatePanel();
    WindowHandle newGame = GetDialogItem(dialog, idOk);
    WindowHandle practice = GetDialogItem(dialog, 1000);
    WindowHandle exitButton = GetDialogItem(dialog, idCancel);
    EXPECT_EQ(GetFocus(), newGame);
    for (std::uint32_t at = 10; at <= 40; at += 10) {
        Tap(vk::tab, at);
    }
    Push(Key(Kind::KeyDown, vk::shift), 50);
    Tap(vk::tab, 50);
    Push(Key(Kind::KeyUp, vk::shift), 50);
    std::vector<WindowHandle> order;
    for (std::uint32_t end : {15u, 25u, 35u, 45u, 55u}) {
        RunPanelLoop(dialog, end);
        order.push_back(GetFocus());
    }
    // The black frame is no stop; the last button wraps to the first.
    EXPECT_EQ(order, (std::vector<WindowHandle>{practice, exitButton, newGame, practice, newGame}));
    EXPECT_TRUE(Commands().empty());
}

TEST_F(DialogTest, EnterPressesTheFocusedButtonElseTheDefaultEscapeIsCancel) {
    WindowHandle dialog = CreatePanel();
    Tap(vk::enter, 10);
    Tap(vk::tab, 20);
    Tap(vk::enter, 30);
    Tap(vk::escape, 40);
    RunPanelLoop(dialog, 100);
    const std::vector<DialogCommand> commands = Commands();
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].id, idOk);
    EXPECT_EQ(commands[1].id, 1000);
    EXPECT_EQ(commands[2].id, idCancel);
    for (const DialogCommand& command : commands) {
        EXPECT_EQ(command.code, bn::clicked);
    }
}

TEST_F(DialogTest, EnterWithoutAnyButtonIsOk) {
    static constexpr std::array<ControlTemplate, 1> frameOnly{{
        {ControlKind::BlackFrame, 1004, "", 7, 7, 50, 50, ws::visible},
    }};
    static constexpr DialogTemplate bare{ws::child | ds::modalFrame, "", 80, 80, 9, frameOnly};
    WindowHandle dialog = CreateDialogOf(bare, mainWindow, TestDialogProc, 0);
    ShowWindow(dialog, true);
    SetFocus(dialog);
    Tap(vk::enter, 10);
    RunPanelLoop(dialog, 50);
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].id, idOk);
}

TEST_F(DialogTest, SpacePressesOnReleaseAndLooksPressedWhileHeld) {
    WindowHandle dialog = CreatePanel();
    WindowHandle exitButton = GetDialogItem(dialog, idCancel);
    SetFocus(exitButton);
    const Rect rect = GetWindowRect(exitButton);
    Push(Key(Kind::KeyDown, vk::space), 10);
    Push(Key(Kind::KeyUp, vk::space), 60);
    RunPanelLoop(dialog, 30);
    EXPECT_TRUE(Commands().empty()) << "nothing until space is let go";
    // Pressed in: the top-left bevel is gray, not white.
    std::vector<std::uint8_t> screen(640 * 480);
    std::int32_t width = 0;
    std::int32_t height = 0;
    ComposeScreen(screen, width, height);
    const auto at = [&](std::int32_t x, std::int32_t y) {
        return screen[static_cast<std::size_t>(y * width + x)];
    };
    EXPECT_EQ(at(rect.x + 1, rect.y + 1), 248);
    RunPanelLoop(dialog, 100);
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].id, idCancel);
    ComposeScreen(screen, width, height);
    EXPECT_EQ(at(rect.x + 1, rect.y + 1), 255);
}

TEST_F(DialogTest, MouseReleasedOffTheButtonDoesNotClick) {
    WindowHandle dialog = CreatePanel();
    WindowHandle practice = GetDialogItem(dialog, 1000);
    std::int32_t x = 0;
    std::int32_t y = 0;
    CentreOf(practice, x, y);
    Push(Mouse(Kind::MouseDown, x, y), 10);
    Push(Mouse(Kind::MouseMove, x, y - 60), 20);
    Push(Mouse(Kind::MouseUp, x, y - 60), 30);
    Click(x, y, 40);
    RunPanelLoop(dialog, 100);
    ASSERT_EQ(Commands().size(), 1u) << "only the second press, released on it, clicks";
    EXPECT_EQ(Commands()[0].id, 1000);
    EXPECT_EQ(GetFocus(), practice);
}

TEST_F(DialogTest, BlackFrameReportsClicksAndDoubleClicks) {
    WindowHandle dialog = CreatePanel();
    std::int32_t x = 0;
    std::int32_t y = 0;
    CentreOf(GetDialogItem(dialog, 1004), x, y);
    Click(x, y, 10);
    Click(x + 1, y, 300);   // within 500 ms and near: a double click
    Click(x, y, 400);       // a third press starts afresh
    Click(x, y, 1500);      // too late for a double click
    Click(x + 40, y, 1700); // soon, but too far
    RunPanelLoop(dialog, 2000);
    std::vector<std::uint32_t> codes;
    for (const DialogCommand& command : Commands()) {
        EXPECT_EQ(command.id, 1004);
        codes.push_back(command.code);
    }
    EXPECT_EQ(codes, (std::vector<std::uint32_t>{bn::clicked, bn::doubleClicked, bn::clicked,
                                                 bn::clicked, bn::clicked}));
}

} // namespace
