#include "dialog_internal.h"

// Reading and setting what the controls of a dialog hold.

void SetDialogItemText(WindowHandle dialog, int id, std::string_view text) {
    PlatformWindow* control = LiveWindow(GetDialogItem(dialog, id));
    ControlState* state = ControlOf(control);
    if (control == nullptr) {
        return;
    }
    if (state != nullptr && state->kind == ControlKind::Edit) {
        SetEditText(control, *state, text);
        return;
    }
    control->title = std::string(text);
    if (state != nullptr) {
        DrawControl(control);
    }
}

std::string GetDialogItemText(WindowHandle dialog, int id) {
    const PlatformWindow* control = LiveWindow(GetDialogItem(dialog, id));
    return control != nullptr ? control->title : std::string();
}

void CheckRadioButton(WindowHandle dialog, int firstId, int lastId, int checkId) {
    PlatformWindow* live = LiveWindow(dialog);
    if (live == nullptr) {
        return;
    }
    for (PlatformWindow* child : live->children) {
        ControlState* state = ControlOf(child);
        if (state == nullptr || child->id < firstId || child->id > lastId) {
            continue;
        }
        const bool checked = child->id == checkId;
        if (state->checked != checked) {
            state->checked = checked;
            DrawControl(child);
        }
    }
}

bool IsDialogButtonChecked(WindowHandle dialog, int id) {
    const ControlState* state = ControlOf(GetDialogItem(dialog, id));
    return state != nullptr && state->checked;
}
