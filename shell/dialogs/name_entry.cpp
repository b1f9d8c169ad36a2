// The name entry after a game that made the Best5: preset with the last name
// entered, so a returning player only presses Enter. It has no close box and
// ignores Escape: only OK (or Enter) leaves it.

#include "platform/user/dialog.h"
#include "shell/dialogs/dialog_templates.h"
#include "shell/dialogs/dialogs.h"

namespace {

LResult NameEntryProc(WindowHandle dialog, std::uint32_t message, WParam wParam, LParam) {
    MainWindow* owner = OwnerWindow(dialog);
    if (owner == nullptr) {
        return 0;
    }
    GameState* state = &owner->game;
    switch (message) {
    case wm::initDialog:
        SetDialogItemText(dialog, item::nameEdit, NameText(state->lastInputName));
        CenterOnDesktop(dialog);
        TellDialogWatcher(dialog, DialogMoment::Shown);
        return 1; // the focus goes to the edit field
    case wm::command:
        if ((wParam & 0xFFFF) != idOk) {
            return 0; // Escape's IDCANCEL included: the dialog stays open
        }
        TellDialogWatcher(dialog, DialogMoment::Confirming);
        // At most 255 bytes, cut on a character boundary.
        SetName(state->lastInputName, GetDialogItemText(dialog, item::nameEdit));
        EndDialog(dialog, 0);
        return 1;
    default: return 0;
    }
}

} // namespace

// When the dialog cannot be shown, lastInputName keeps its earlier value.
void RunNameEntryDialog(MainWindow& window) {
    if (!IsWindow(window.handle)) {
        return; // no main window to own it
    }
    DialogBox(NameEntryTemplate(), window.handle, NameEntryProc, 0);
}
