#include "tests/platform/user/dialog_test_fixture.h"

namespace {

using test_dialogs::choice;

// Shows the dialog, and ends it with the command's id times ten on OK and Cancel.
LResult EndOnOkOrCancel(WindowHandle dialog, std::uint32_t message, WParam wParam, LParam) {
    const auto id = static_cast<int>(wParam & 0xFFFF);
    if (message == wm::initDialog)
        ShowWindow(dialog, true);
    else if (message == wm::command && (id == idOk || id == idCancel))
        EndDialog(dialog, id * 10);
    return message == wm::initDialog || message == wm::command ? 1 : 0;
}

TEST_F(DialogTest, ModalDialogRunsTheOwnersTimersGivesTheFocusBackAndItsCloseBoxIsCancel) {
    WindowHandle other = GetDialogItem(Open(test_dialogs::panel), 1000);
    SetFocus(other);
    SetTimer(mainWindow, 7, 40);
    dialogHook = EndOnOkOrCancel;
    Tap(vk::space, 300); // to the dialog's focused OK
    EXPECT_EQ(DialogBox(choice, mainWindow, DialogProc, 0), idOk * 10);
    EXPECT_EQ(GetTickCount(), 301u);
    EXPECT_GE(Only(wm::timer).size(), 7u) << "the owner's timer fired under the dialog";
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_EQ(GetFocus(), other) << "back where it was";
    // It opens at the desktop's top-left; its close box ends the caption.
    const Rect client = MapDialogRect(choice, Rect{0, 0, 121, 107});
    Click(client.width + frameBorderWidth - 2 - 8, frameBorderWidth + 8, 350);
    EXPECT_EQ(DialogBox(choice, mainWindow, DialogProc, 0), idCancel * 10);
    // Ended from INITDIALOG, it never waits; without an owner it never shows.
    dialogHook = [](WindowHandle dialog, std::uint32_t message, WParam, LParam) -> LResult {
        return message == wm::initDialog ? EndDialog(dialog, 7) : 0;
    };
    EXPECT_EQ(DialogBox(test_dialogs::entry, mainWindow, DialogProc, 0), 7);
    EXPECT_EQ(GetTickCount(), 350u);
    EXPECT_EQ(DialogBox(test_dialogs::entry, nullptr, DialogProc, 0), -1);
}

TEST_F(DialogTest, DisabledOwnerGetsNoInputAndActivationGoesToTheDialog) {
    dialogHook = [](WindowHandle dialog, std::uint32_t message, WParam wParam,
                    LParam lParam) -> LResult {
        if (message != wm::initDialog)
            return EndOnOkOrCancel(dialog, message, wParam, lParam);
        ShowWindow(dialog, true);
        EXPECT_FALSE(IsWindowEnabled(GetParent(dialog))) << "the owner, while it is up";
        SetFocus(GetParent(dialog)); // as an activation handler of the owner might
        return 0;
    };
    log.clear(); // the main window's activation when it was shown
    Tap(vk::letterA, 100);
    Tap(vk::space, 110);
    Click(5, 400, 150); // on the owner beside the dialog
    Push(Event(Kind::FocusLost), 200);
    Push(Event(Kind::FocusGained), 210); // the dialog takes the focus back
    Push(Event(Kind::Close), 220);       // the desktop's close: not while modal
    const Rect ok = MapDialogRect(choice, Rect{64, 86, 50, 14});
    Click(frameBorderWidth + ok.x + ok.width / 2,
          frameBorderWidth + captionHeight + ok.y + ok.height / 2, 300);
    EXPECT_EQ(DialogBox(choice, mainWindow, DialogProc, 0), idOk * 10);
    for (std::uint32_t message :
         {wm::keyDown, wm::character, wm::lButtonDown, wm::activate, wm::close})
        for (const LoggedMessage& logged : Only(message))
            EXPECT_NE(logged.window, mainWindow) << message;
    EXPECT_TRUE(IsWindow(mainWindow));
}

} // namespace
