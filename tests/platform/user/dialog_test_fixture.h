#pragma once

// Dialogs on the headless window system: a main window with the recording
// procedure, a dialog procedure that writes down its commands and can be
// told what to do on INITDIALOG and on each command.

#include "tests/platform/user/dialog_templates.h"
#include "tests/platform/user/window_test_fixture.h"

#include <functional>

struct DialogCommand {
    int id;
    std::uint32_t code;
};

class DialogTest : public WindowTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    WindowHandle CreatePanel();
    // A key pressed and released at once.
    void Tap(int key, std::uint32_t at);
    void Click(std::int32_t x, std::int32_t y, std::uint32_t at);
    // A control's centre on the screen.
    static void CentreOf(WindowHandle control, std::int32_t& x, std::int32_t& y);
    // Runs a loop with the dialog's keys, like the game's, until end.
    void RunPanelLoop(WindowHandle panel, std::uint32_t end);
    std::vector<DialogCommand> Commands() const;
};

// What the test dialog procedure does besides writing down commands.
inline std::function<LResult(WindowHandle, std::uint32_t, WParam, LParam)> dialogHook;
LResult TestDialogProc(WindowHandle dialog, std::uint32_t message, WParam wParam, LParam lParam);
