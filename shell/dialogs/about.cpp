// The About box: its picture, the version line and OK.

#include "assets/resources.h"
#include "platform/user/dialog.h"
#include "shell/dialogs/dialog_templates.h"
#include "shell/dialogs/dialogs.h"

namespace {

// Each paint loads the picture afresh and draws it 1:1 through the game
// palette's identity table; nothing is cached between paints.
void PaintAboutPicture(WindowHandle dialog, const MainWindow& owner) {
    ContextHandle paint = BeginPaint(dialog);
    // The main window has realised the palette; the dialog only selects it.
    PaletteHandle previous = SelectPalette(paint, owner.screen.palette, false);
    StoredBitmap picture{};
    if (const auto bytes = FindResource(ResourceKind::Bitmap, aboutPictureId);
        bytes && ParseStoredBitmap(*bytes, picture)) {
        DrawStoredBitmap(paint, aboutPictureX, aboutPictureY, picture);
    }
    SelectPalette(paint, previous, false);
    EndPaint(dialog);
}

LResult AboutProc(WindowHandle dialog, std::uint32_t message, WParam wParam, LParam) {
    switch (message) {
    case wm::initDialog:
        CenterOnDesktop(dialog);
        TellDialogWatcher(dialog, DialogMoment::Shown);
        return 1;
    case wm::paint:
        if (const MainWindow* owner = OwnerWindow(dialog)) {
            PaintAboutPicture(dialog, *owner);
            return 1;
        }
        return 0;
    case wm::command:
        switch (wParam & 0xFFFF) {
        case idOk:
        case idCancel: // OK, Enter, Escape, the close box
            TellDialogWatcher(dialog, DialogMoment::Confirming);
            EndDialog(dialog, 0);
            return 1;
        default: return 0;
        }
    default: return 0;
    }
}

} // namespace

void RunAboutDialog(MainWindow& window) {
    if (!IsWindow(window.handle)) {
        return; // no main window to own it
    }
    // The focus comes back where it was, for example to a start panel button.
    WindowHandle focus = GetFocus();
    DialogBox(AboutTemplate(), window.handle, AboutProc, 0);
    SetFocus(focus);
}
