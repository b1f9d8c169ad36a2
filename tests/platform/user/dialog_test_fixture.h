#pragma once

// Dialogs on the headless window system, over a main window: small
// templates of the tests' own, and a dialog procedure that writes down its
// commands and can be told what to do besides.

#include "platform/user/dialog.h"
#include "tests/platform/user/window_test_fixture.h"

#include <array>
#include <utility>

namespace test_dialogs {

constexpr std::uint32_t stop = ws::visible | ws::tabStop;
constexpr std::uint32_t popup = ws::popup | ws::caption | ds::modalFrame | ds::setFont;

// Set into its window: three buttons (one disabled, which Tab passes over)
// under a black frame.
constexpr std::array<ControlTemplate, 5> panelControls{
    {{ControlKind::DefaultPushButton, idOk, "Go", 126, 109, 46, 14, stop},
     {ControlKind::PushButton, 1000, "Other", 73, 109, 46, 14, stop},
     {ControlKind::PushButton, 1001, "Off", 50, 109, 20, 14, stop | ws::disabled},
     {ControlKind::PushButton, idCancel, "Quit", 7, 109, 40, 14, stop},
     {ControlKind::BlackFrame, 1004, "", 7, 7, 166, 95, ws::visible}}};
constexpr DialogTemplate panel{
    ws::child | ds::modalFrame | ds::setFont, "", 179, 130, 9, panelControls};
constexpr std::array<ControlTemplate, 3> entryControls{
    {{ControlKind::StaticText, noControlId, "Type a word.", 7, 7, 136, 16, ws::visible},
     {ControlKind::Edit, 1002, "", 7, 30, 89, 14, stop},
     {ControlKind::DefaultPushButton, idOk, "OK", 103, 30, 40, 14, stop}}};
constexpr DialogTemplate entry{popup, "Entry", 150, 51, 9, entryControls};
// A group of four radio buttons (the third disabled) after two buttons.
constexpr std::array<ControlTemplate, 7> choiceControls{
    {{ControlKind::DefaultPushButton, idOk, "OK", 64, 86, 50, 14, stop | ws::group},
     {ControlKind::PushButton, idCancel, "Cancel", 7, 86, 50, 14, stop | ws::group},
     {ControlKind::RadioButton, 1005, "North", 14, 21, 68, 10, stop | ws::group},
     {ControlKind::RadioButton, 1006, "East", 14, 35, 78, 10, ws::visible},
     {ControlKind::RadioButton, 1007, "South", 14, 49, 73, 10, ws::visible | ws::disabled},
     {ControlKind::RadioButton, 1008, "West", 14, 63, 87, 10, ws::visible},
     {ControlKind::GroupBox, noControlId, "", 7, 7, 107, 72, ws::visible}}};
constexpr DialogTemplate choice{popup | ws::sysMenu, "Choice", 121, 107, 9, choiceControls};

} // namespace test_dialogs

struct DialogCommand {
    int id;
    std::uint32_t code;
    bool operator==(const DialogCommand&) const = default;
};
using Commands = std::vector<DialogCommand>;
inline DialogCommand Clicked(int id) {
    return {id, bn::clicked};
}

class DialogTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        commands.clear();
        dialogHook = nullptr;
        CreateMain();
    }
    // Writes down the commands, then does what dialogHook says.
    static LResult DialogProc(WindowHandle dialog, std::uint32_t message, WParam wParam,
                              LParam lParam) {
        if (message == wm::command)
            commands.push_back(
                {static_cast<int>(wParam & 0xFFFF), static_cast<std::uint32_t>(wParam >> 16)});
        return dialogHook ? dialogHook(dialog, message, wParam, lParam) : 0;
    }
    // A modeless dialog of the main window, shown from INITDIALOG after init.
    WindowHandle Open(const DialogTemplate& dialog,
                      const std::function<void(WindowHandle)>& init = {}) {
        dialogHook = [init](WindowHandle window, std::uint32_t message, WParam, LParam) -> LResult {
            if (message == wm::initDialog && init)
                init(window);
            if (message == wm::initDialog)
                ShowWindow(window, true);
            return message == wm::initDialog ? 1 : 0;
        };
        return CreateDialogOf(dialog, mainWindow, DialogProc, 0);
    }
    // Runs a loop that gives the dialog its keys, until end.
    void RunDialog(WindowHandle dialog, std::uint32_t end) {
        RunUntil(end,
                 [dialog](const Message& message) { return IsDialogMessage(dialog, message); });
    }
    static std::pair<std::int32_t, std::int32_t> CentreOf(WindowHandle control) { // on the screen
        const Rect rect = GetWindowRect(control);
        return {rect.x + rect.width / 2, rect.y + rect.height / 2};
    }
    // The screen as composed now, 634 pixels a row.
    static std::vector<std::uint8_t> Screen() {
        std::vector<std::uint8_t> pixels(std::size_t{634} * 455);
        std::int32_t width = 0, height = 0;
        ComposeScreen(pixels, width, height);
        return pixels;
    }

    inline static Commands commands;
    inline static std::function<LResult(WindowHandle, std::uint32_t, WParam, LParam)> dialogHook;
};
