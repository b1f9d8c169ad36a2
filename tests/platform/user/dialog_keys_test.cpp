#include "tests/platform/user/dialog_test_fixture.h"

namespace {

using test_dialogs::panel;

TEST_F(DialogTest, TabWalksTheStopsBothWaysEnterPressesTheFocusedButtonEscapeIsCancel) {
    WindowHandle dialog = Open(panel);
    // 9 points: a 12-pixel cell and an average width of 7, so a dialog unit
    // is 7/4 of a pixel across and 12/8 down, rounded half away from zero.
    EXPECT_EQ(GetClientRect(dialog).width, 313);
    EXPECT_EQ(GetClientRect(dialog).height, 195);
    EXPECT_EQ(GetWindowRect(dialog).width, 313 + 2 * frameBorderWidth); // the modal frame
    EXPECT_EQ(GetWindowRect(GetDialogItem(dialog, 1004)).height, 143);
    WindowHandle go = GetDialogItem(dialog, idOk), other = GetDialogItem(dialog, 1000);
    EXPECT_EQ(GetFocus(), go);
    std::vector<WindowHandle> order;
    for (std::uint32_t at = 10; at <= 50; at += 10) {
        Tap(vk::tab, at, at == 50);
        RunDialog(dialog, at + 5);
        order.push_back(GetFocus());
    }
    // The disabled button and the black frame are no stops; the last wraps.
    EXPECT_EQ(order, (std::vector{other, GetDialogItem(dialog, idCancel), go, other, go}));
    Tap(vk::tab, 60);
    Tap(vk::enter, 62); // Other, not the default button
    Tap(vk::escape, 70);
    RunDialog(dialog, 100);
    EXPECT_EQ(commands, (Commands{Clicked(1000), Clicked(idCancel)}));
    // Without any button, Enter is OK all the same.
    static constexpr std::array<ControlTemplate, 1> frameOnly{
        {{ControlKind::BlackFrame, 1004, "", 7, 7, 50, 50, ws::visible}}};
    WindowHandle bare = Open({ws::child | ds::modalFrame, "", 80, 80, 9, frameOnly});
    SetFocus(bare);
    Tap(vk::enter, 110);
    RunDialog(bare, 150);
    EXPECT_EQ(commands.back(), Clicked(idOk));
}

TEST_F(DialogTest, ButtonsClickWhenLetGoOverThemAndLookPressedWhileHeld) {
    WindowHandle dialog = Open(panel);
    SetFocus(GetDialogItem(dialog, idCancel));
    const Rect rect = GetWindowRect(GetFocus());
    const std::size_t bevel = (rect.y + 1) * 634 + rect.x + 1;
    Key(Kind::KeyDown, vk::space, 10);
    Key(Kind::KeyUp, vk::space, 60);
    RunDialog(dialog, 30);
    EXPECT_TRUE(commands.empty()) << "nothing until space is let go";
    EXPECT_EQ(Screen()[bevel], 248) << "the bevel, white unless pressed";
    RunDialog(dialog, 100);
    EXPECT_EQ(Screen()[bevel], 255);
    // The mouse: only the second press, released on the button, clicks.
    WindowHandle other = GetDialogItem(dialog, 1000);
    const auto [x, y] = CentreOf(other);
    Mouse(Kind::MouseDown, x, y, 110);
    Mouse(Kind::MouseUp, x, y - 60, 130);
    Click(x, y, 140);
    Click(CentreOf(GetDialogItem(dialog, 1001)).first, y, 150); // disabled
    // On the black frame, two clicks near and soon are a double click.
    const auto [fx, fy] = CentreOf(GetDialogItem(dialog, 1004));
    Click(fx, fy, 200);
    Click(fx + 1, fy, 490);   // within 500 ms and near: a double click
    Click(fx, fy, 600);       // a third press starts afresh
    Click(fx, fy, 1500);      // too late for a double click
    Click(fx + 40, fy, 1700); // soon, but too far
    RunDialog(dialog, 2000);
    const DialogCommand frame = Clicked(1004), twice{1004, bn::doubleClicked};
    EXPECT_EQ(commands,
              (Commands{Clicked(idCancel), Clicked(1000), frame, twice, frame, frame, frame}));
    EXPECT_EQ(GetFocus(), other);
}

// Shows the dialog, and ends it with the command's id times ten on OK and Cancel.
LResult EndOnOkOrCancel(WindowHandle dialog, std::uint32_t message, WParam wParam, LParam) {
    const auto id = static_cast<int>(wParam & 0xFFFF);
    if (message == wm::initDialog)
        ShowWindow(dialog, true);
    else if (message == wm::command && (id == idOk || id == idCancel))
        EndDialog(dialog, std::intptr_t{id} * 10);
    return message == wm::initDialog || message == wm::command ? 1 : 0;
}

TEST_F(DialogTest, ModalDialogRunsTheOwnersTimersGivesTheFocusBackAndItsCloseBoxIsCancel) {
    WindowHandle other = GetDialogItem(Open(test_dialogs::panel), 1000);
    SetFocus(other);
    SetTimer(mainWindow, 7, 40);
    dialogHook = EndOnOkOrCancel;
    log.clear(); // the main window's activation when it was shown
    Tap(vk::letterA, 100);
    Click(5, 400, 150);  // on the owner beside the dialog, which gets no input
    Tap(vk::space, 300); // to the dialog's focused OK
    EXPECT_EQ(DialogBox(test_dialogs::choice, mainWindow, DialogProc, 0), idOk * 10);
    EXPECT_EQ(GetTickCount(), 301u);
    for (std::uint32_t message : {wm::keyDown, wm::character, wm::lButtonDown, wm::close})
        for (const LoggedMessage& logged : Only(message))
            EXPECT_NE(logged.window, mainWindow) << message;
    EXPECT_GE(Only(wm::timer).size(), 7u) << "the owner's timer fired under the dialog";
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_EQ(GetFocus(), other) << "back where it was";
    // It opens at the desktop's top-left; its close box ends the caption.
    const Rect client = MapDialogRect(test_dialogs::choice, Rect{0, 0, 121, 107});
    Click(client.width + frameBorderWidth - 2 - 8, frameBorderWidth + 8, 350);
    EXPECT_EQ(DialogBox(test_dialogs::choice, mainWindow, DialogProc, 0), idCancel * 10);
    // Ended from INITDIALOG, it never waits; without an owner it never shows.
    dialogHook = [](WindowHandle dialog, std::uint32_t message, WParam, LParam) -> LResult {
        return message == wm::initDialog ? EndDialog(dialog, 7) : 0;
    };
    EXPECT_EQ(DialogBox(test_dialogs::entry, mainWindow, DialogProc, 0), 7);
    EXPECT_EQ(GetTickCount(), 350u);
    EXPECT_EQ(DialogBox(test_dialogs::entry, nullptr, DialogProc, 0), -1);
    // The desktop's close (or a signal to end) ends a dialog as cancelled,
    // whatever the dialog would say, and then reaches the owner.
    dialogHook = nullptr;
    hook = [](WindowHandle, std::uint32_t message, WParam, LParam) {
        return message == wm::close ? std::optional<LResult>(0) : std::nullopt; // kept open
    };
    Push(Kind::Close, 400);
    EXPECT_EQ(DialogBox(test_dialogs::choice, mainWindow, DialogProc, 0), idCancel);
    RunUntil(420);
    ASSERT_EQ(Only(wm::close).size(), 1u);
    EXPECT_EQ(Only(wm::close)[0].window, mainWindow);
}

} // namespace
