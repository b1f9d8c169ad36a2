// Clear Best5: which tables to reset. It opens on "Clear All" with the focus
// on OK, so Enter resets all three.

#include "platform/user/dialog.h"
#include "shell/dialogs/dialog_templates.h"
#include "shell/dialogs/dialogs.h"

namespace {

constexpr std::intptr_t cancelled = 0;
constexpr std::int32_t notShown = -1;

// 1 + the index of the first checked radio button among Clear All, Easy,
// Normal, Hard; 5 when none is checked, which the auto radio buttons never
// allow.
std::intptr_t CheckedChoice(WindowHandle dialog) {
    constexpr int radios[] = {item::clearAll, item::clearEasy, item::clearNormal, item::clearHard};
    std::intptr_t index = 0;
    for (const int id : radios) {
        if (IsDialogButtonChecked(dialog, id)) {
            break;
        }
        ++index;
    }
    return index + 1;
}

LResult ClearBest5Proc(WindowHandle dialog, std::uint32_t message, WParam wParam, LParam) {
    switch (message) {
    case wm::initDialog:
        CheckRadioButton(dialog, item::clearAll, item::clearHard, item::clearAll);
        CenterOnDesktop(dialog);
        TellDialogWatcher(dialog, DialogMoment::Shown);
        return 1; // the focus goes to the first tab stop, OK
    case wm::command:
        switch (wParam & 0xFFFF) {
        case idOk:
            TellDialogWatcher(dialog, DialogMoment::Confirming);
            EndDialog(dialog, CheckedChoice(dialog));
            return 1;
        case idCancel: // Cancel, Escape, the close box
            TellDialogWatcher(dialog, DialogMoment::Confirming);
            EndDialog(dialog, cancelled);
            return 1;
        default: return 0;
        }
    default: return 0;
    }
}

} // namespace

// -1 when the dialog could not be shown: that matches no table.
std::int32_t RunClearBest5Dialog(MainWindow& window) {
    if (!IsWindow(window.handle)) {
        return notShown; // no main window to own it
    }
    return static_cast<std::int32_t>(
        DialogBox(ClearBest5Template(), window.handle, ClearBest5Proc, 0));
}
