#include "tests/platform/user/dialog_test_fixture.h"

namespace {

using test_dialogs::panel;
using Commands = std::vector<DialogCommand>;

TEST_F(DialogTest, StartPanelFrameLiesJustAroundThePicture) {
    WindowHandle dialog = Open(panel);
    // The picture goes at (13, 12), 288 x 140, of the panel's client area;
    // the frame's black lies inside a one-pixel sunken edge, one spare
    // column and row of black to the right and below.
    const Rect frame = GetWindowRect(GetDialogItem(dialog, 1004));
    std::int32_t left = 0, top = 0;
    ClientToScreen(dialog, left, top);
    EXPECT_EQ(frame.x - left + 1, 13);
    EXPECT_EQ(frame.y - top + 1, 12);
    EXPECT_EQ(frame.x - left + frame.width - 1, 13 + 288 + 1);
    EXPECT_EQ(frame.y - top + frame.height - 1, 12 + 140 + 1);
    const Rect client = GetClientRect(dialog);
    EXPECT_EQ(client.width, 313);
    EXPECT_EQ(client.height, 195);
    EXPECT_EQ(GetWindowRect(dialog).width, client.width + 2 * frameBorderWidth);
}

TEST_F(DialogTest, TabWalksTheStopsBothWaysEnterPressesTheFocusedButtonEscapeIsCancel) {
    WindowHandle dialog = Open(panel);
    WindowHandle newGame = GetDialogItem(dialog, idOk);
    WindowHandle practice = GetDialogItem(dialog, 1000);
    EXPECT_EQ(GetFocus(), newGame);
    std::vector<WindowHandle> order;
    for (std::uint32_t at = 10; at <= 50; at += 10) {
        Tap(vk::tab, at, at == 50);
        RunPanelLoop(dialog, at + 5);
        order.push_back(GetFocus());
    }
    // The black frame is no stop; the last button wraps to the first.
    const WindowHandle exitButton = GetDialogItem(dialog, idCancel);
    EXPECT_EQ(order, (std::vector<WindowHandle>{practice, exitButton, newGame, practice, newGame}));
    EXPECT_TRUE(dialogCommands.empty());
    Tap(vk::tab, 60);
    Tap(vk::enter, 60); // Practice, not the default button
    Tap(vk::escape, 70);
    RunPanelLoop(dialog, 100);
    EXPECT_EQ(dialogCommands, (Commands{{1000, bn::clicked}, {idCancel, bn::clicked}}));
}

TEST_F(DialogTest, EnterWithoutAnyButtonIsOk) {
    static constexpr std::array<ControlTemplate, 1> frameOnly{
        {{ControlKind::BlackFrame, 1004, "", 7, 7, 50, 50, ws::visible}}};
    WindowHandle dialog = Open({ws::child | ds::modalFrame, "", 80, 80, 9, frameOnly});
    SetFocus(dialog);
    Tap(vk::enter, 10);
    RunPanelLoop(dialog, 50);
    EXPECT_EQ(dialogCommands, (Commands{{idOk, bn::clicked}}));
}

TEST_F(DialogTest, ButtonsClickWhenLetGoOverThemAndLookPressedWhileHeld) {
    WindowHandle dialog = Open(panel);
    WindowHandle exitButton = GetDialogItem(dialog, idCancel);
    SetFocus(exitButton);
    const Rect rect = GetWindowRect(exitButton);
    Push(Key(Kind::KeyDown, vk::space), 10);
    Push(Key(Kind::KeyUp, vk::space), 60);
    RunPanelLoop(dialog, 30);
    EXPECT_TRUE(dialogCommands.empty()) << "nothing until space is let go";
    EXPECT_EQ(ScreenShot().At(rect.x + 1, rect.y + 1), 248) << "the bevel, white unless pressed";
    RunPanelLoop(dialog, 100);
    EXPECT_EQ(ScreenShot().At(rect.x + 1, rect.y + 1), 255);
    // The mouse: only the second press, released on the button, clicks.
    WindowHandle practice = GetDialogItem(dialog, 1000);
    const auto [x, y] = CentreOf(practice);
    Push(Mouse(Kind::MouseDown, x, y), 110);
    Push(Mouse(Kind::MouseMove, x, y - 60), 120);
    Push(Mouse(Kind::MouseUp, x, y - 60), 130);
    Click(x, y, 140);
    RunPanelLoop(dialog, 200);
    EXPECT_EQ(dialogCommands, (Commands{{idCancel, bn::clicked}, {1000, bn::clicked}}));
    EXPECT_EQ(GetFocus(), practice);
}

TEST_F(DialogTest, BlackFrameReportsClicksAndDoubleClicks) {
    WindowHandle dialog = Open(panel);
    const auto [x, y] = CentreOf(GetDialogItem(dialog, 1004));
    Click(x, y, 10);
    Click(x + 1, y, 300);   // within 500 ms and near: a double click
    Click(x, y, 400);       // a third press starts afresh
    Click(x, y, 1500);      // too late for a double click
    Click(x + 40, y, 1700); // soon, but too far
    RunPanelLoop(dialog, 2000);
    const DialogCommand click{1004, bn::clicked};
    EXPECT_EQ(dialogCommands, (Commands{click, {1004, bn::doubleClicked}, click, click, click}));
}

} // namespace
