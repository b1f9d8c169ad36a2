#include "shell/dialogs/dialogs.h"

namespace {
DialogWatcher dialogWatcher = nullptr;
} // namespace

void SetDialogWatcher(DialogWatcher watcher) {
    dialogWatcher = watcher;
}

void TellDialogWatcher(WindowHandle dialog, DialogMoment moment) {
    if (dialogWatcher != nullptr) {
        dialogWatcher(dialog, moment);
    }
}
