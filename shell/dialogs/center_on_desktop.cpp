#include "platform/user/dialog.h"
#include "shell/dialogs/dialogs.h"

void CenterOnDesktop(WindowHandle dialog) {
    const Rect desktop = GetDesktopRect();
    const Rect outer = GetWindowRect(dialog);
    // Moved before it is shown, so nothing is painted at the old place.
    MoveWindow(dialog, (desktop.width - outer.width) / 2, (desktop.height - outer.height) / 2,
               outer.width, outer.height);
    ShowWindow(dialog, true);
}

MainWindow* OwnerWindow(WindowHandle dialog) {
    return static_cast<MainWindow*>(GetWindowUserData(GetParent(dialog)));
}

void TellDialogWatcher(WindowHandle dialog, DialogMoment moment) {
    if (const MainWindow* owner = OwnerWindow(dialog); owner != nullptr && owner->dialogWatcher) {
        owner->dialogWatcher(dialog, moment);
    }
}
