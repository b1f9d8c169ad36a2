#pragma once

// Dialogs on the headless window system: a main window with the recording
// procedure, and a dialog procedure that writes down its commands and can be
// told what to do besides.

#include "tests/platform/user/dialog_templates.h"
#include "tests/platform/user/window_test_fixture.h"

#include <functional>
#include <utility>

struct DialogCommand {
    int id;
    std::uint32_t code;
    bool operator==(const DialogCommand&) const = default;
};

// What TestDialogProc has written down, and what it does besides when set.
inline std::vector<DialogCommand> dialogCommands;
inline std::function<LResult(WindowHandle, std::uint32_t, WParam, LParam)> dialogHook;
LResult TestDialogProc(WindowHandle dialog, std::uint32_t message, WParam wParam, LParam lParam);

// The screen as composed now.
struct ScreenShot {
    std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(640 * 480);
    std::int32_t width = 0, height = 0;
    ScreenShot() { ComposeScreen(pixels, width, height); }
    std::uint8_t At(std::int32_t x, std::int32_t y) const { return pixels[y * width + x]; }
};

class DialogTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        dialogCommands.clear();
        dialogHook = nullptr;
        CreateMain();
    }
    // A modeless dialog of the main window, shown from INITDIALOG after init.
    WindowHandle Open(const DialogTemplate& dialog, std::function<void(WindowHandle)> init = {});
    // A key pressed and released at once, with Shift held if shifted.
    void Tap(int key, std::uint32_t at, bool shifted = false);
    void Click(std::int32_t x, std::int32_t y, std::uint32_t at) {
        Push(Mouse(Kind::MouseDown, x, y), at);
        Push(Mouse(Kind::MouseUp, x, y), at);
    }
    static std::pair<std::int32_t, std::int32_t> CentreOf(WindowHandle control) { // on the screen
        const Rect rect = GetWindowRect(control);
        return {rect.x + rect.width / 2, rect.y + rect.height / 2};
    }
    // Runs a loop with the dialog's keys, like the game's, until end.
    void RunPanelLoop(WindowHandle panel, std::uint32_t end);
};
