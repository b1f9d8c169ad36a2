// The name entry after a game that made the Best5: preset with the last name
// entered, so a returning player only presses Enter. It has no close box and
// ignores Escape: only OK (or Enter) leaves it.

#include "core/ports.h"
#include "platform/user/dialog.h"
#include "shell/dialogs/dialog_templates.h"
#include "shell/dialogs/dialogs.h"

namespace {

LResult NameEntryProc(WindowHandle dialog, std::uint32_t message, WParam wParam, LParam) {
    GameState* state = OwnerState(dialog);
    if (state == nullptr) {
        return 0;
    }
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
void RunNameEntryDialog(GameState& state) {
    if (!IsWindow(state.window)) {
        return; // no main window to own it (a look-ahead on a copy of the game)
    }
    DialogBox(NameEntryTemplate(), state.window, NameEntryProc, 0);
}
