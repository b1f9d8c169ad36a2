#include "control_drawing.h"

// One window class for every control; the control's kind picks its
// handling. A control draws into its own surface and copies that into its
// dialog's, so that what the dialog later draws over it stays on top.

namespace {

LResult ControlWindowProc(WindowHandle window, std::uint32_t message, WParam wParam,
                          LParam lParam) {
    PlatformWindow* control = LiveWindow(window);
    ControlState* state = ControlOf(window);
    if (control == nullptr || state == nullptr) {
        return DefWindowProc(window, message, wParam, lParam);
    }
    if (message == wm::paint) {
        BeginPaint(control);
        DrawControl(control);
        EndPaint(control);
        return 0;
    }
    if (message == wm::setFocus || message == wm::killFocus) {
        if (message == wm::setFocus) {
            if (DialogState* dialog = DialogOf(control->parent)) {
                dialog->lastFocus = control;
            }
        }
        if (IsPushButton(state->kind) || state->kind == ControlKind::RadioButton) {
            state->spaceHeld = false;
        }
    }
    LResult result = 0;
    switch (state->kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
        result = PushButtonMessage(control, *state, message, wParam, lParam);
        break;
    case ControlKind::RadioButton:
        result = RadioButtonMessage(control, *state, message, wParam, lParam);
        break;
    case ControlKind::Edit: result = EditMessage(control, *state, message, wParam, lParam); break;
    case ControlKind::BlackFrame:
        result = BlackFrameMessage(control, *state, message, wParam, lParam);
        break;
    case ControlKind::StaticText:
    case ControlKind::GroupBox: result = DefWindowProc(control, message, wParam, lParam); break;
    }
    if ((message == wm::setFocus || message == wm::killFocus) && LiveWindow(control) != nullptr) {
        // The default look follows the focus among the push buttons.
        if (PlatformWindow* dialog = DialogOfControl(control)) {
            RedrawPushButtons(dialog);
        }
        if (!IsPushButton(state->kind)) {
            DrawControl(control);
        }
    }
    return result;
}

} // namespace

void RegisterControlClass() {
    RegisterWindowClass(WindowClass{controlClassName, 0, ControlWindowProc, {}});
}

bool IsPushButton(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::DefaultPushButton;
}

bool TakesFocus(const PlatformWindow* control) {
    const ControlState* state = ControlOf(const_cast<PlatformWindow*>(control));
    if (state == nullptr || !control->visible || !control->enabled) {
        return false;
    }
    return state->kind != ControlKind::StaticText && state->kind != ControlKind::GroupBox &&
           state->kind != ControlKind::BlackFrame;
}

void DrawControl(PlatformWindow* control) {
    ControlState* state = ControlOf(control);
    if (state == nullptr || control->context == nullptr) {
        return;
    }
    switch (state->kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: DrawPushButton(control, *state); break;
    case ControlKind::StaticText: DrawStaticText(control); break;
    case ControlKind::Edit: DrawEdit(control, *state); break;
    case ControlKind::RadioButton: DrawRadioButton(control, *state); break;
    case ControlKind::GroupBox: DrawGroupBox(control); return; // straight onto the dialog
    case ControlKind::BlackFrame: DrawBlackFrame(control); break;
    }
    MarkBitmapChanged(control->surface);
    PlatformWindow* dialog = control->parent;
    if (control->visible && dialog != nullptr && dialog->context != nullptr) {
        BitBlt(dialog->context, control->x, control->y, control->width, control->height,
               control->context, 0, 0, RasterOp::SrcCopy);
    }
}

void RedrawPushButtons(PlatformWindow* dialog) {
    for (PlatformWindow* child : dialog->children) {
        const ControlState* state = ControlOf(child);
        if (state != nullptr && IsPushButton(state->kind) && child->visible) {
            DrawControl(child);
        }
    }
}

void NotifyDialog(PlatformWindow* control, std::uint32_t code) {
    PlatformWindow* dialog = control->parent;
    if (LiveWindow(dialog) == nullptr) {
        return;
    }
    const auto id = static_cast<std::uint32_t>(control->id) & 0xFFFF;
    SendMessage(dialog, wm::command, static_cast<WParam>(id | (code << 16)),
                reinterpret_cast<LParam>(control));
}
