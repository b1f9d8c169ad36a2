#include "dialog_internal.h"
#include "menu_layout.h"
#include "window_geometry.h"

#include <algorithm>

// Dialogs are windows of the platform's own dialog class: the dialog
// procedure sees every message first and leaves what it does not handle to
// the platform's dialog handling here.

namespace {

constexpr std::string_view dialogClassName = "#dialog";
constexpr std::uint32_t nullMessage = 0;

LResult DialogWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    DialogState* dialog = DialogOf(window);
    if (dialog == nullptr) {
        return DefWindowProc(window, message, wParam, lParam);
    }
    if (dialog->procedure != nullptr) {
        const LResult handled = dialog->procedure(window, message, wParam, lParam);
        if (handled != 0 || LiveWindow(window) == nullptr) {
            return handled;
        }
    }
    switch (message) {
    case wm::close:
        // The close box and the desktop's close mean Cancel.
        SendMessage(window, wm::command, static_cast<WParam>(idCancel), 0);
        return 0;
    case wm::activate:
        if (wParam == 0) {
            return 0;
        }
        [[fallthrough]];
    case wm::setFocus:
        // A dialog passes the focus on to the control that had it last.
        if (PlatformWindow* last = LiveWindow(dialog->lastFocus);
            last != nullptr && last->parent == window) {
            SetFocus(last);
        } else if (PlatformWindow* first = FirstTabStop(LiveWindow(window))) {
            FocusControlByKeyboard(first);
        }
        return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
    }
}

void RegisterDialogClasses() {
    // Once per window system; later calls are refused and change nothing.
    RegisterWindowClass(WindowClass{dialogClassName, 0, DialogWindowProc, {}});
    RegisterControlClass();
}

// The outer size of a dialog whose client area is width x height.
void OuterSize(std::uint32_t style, std::int32_t& width, std::int32_t& height) {
    if (style & ws::child) {
        if (style & ds::modalFrame) {
            width += 2 * frameBorderWidth;
            height += 2 * frameBorderWidth;
        }
        return;
    }
    if (style & ws::caption) {
        width += 2 * frameBorderWidth;
        height += 2 * frameBorderWidth + captionHeight;
    }
}

bool CreateControl(PlatformWindow* dialog, const DialogState& state,
                   const ControlTemplate& control) {
    Rect pixels =
        DialogUnitsToPixels(state.units, Rect{control.x, control.y, control.width, control.height});
    if (control.kind == ControlKind::StaticText && state.font != nullptr) {
        // Our face's line runs deeper than its cell, in which the lines are
        // set: the text keeps those rows so its last line's descenders show.
        pixels.height += std::max(FontLineHeight(state.font) - state.units.y, 0);
    }
    const std::uint32_t style = (control.style & ~ws::visible) | ws::child;
    PlatformWindow* window =
        CreateWindowOf(controlClassName, control.text, style, pixels.x, pixels.y, pixels.width,
                       pixels.height, dialog, nullptr, control.id, 0);
    if (window == nullptr) {
        return false;
    }
    auto controlState = std::make_shared<ControlState>();
    controlState->kind = control.kind;
    if (control.kind == ControlKind::Edit) {
        controlState->caret = controlState->anchor = control.text.size();
    }
    window->dialogData = controlState;
    window->drawnIntoParent = true;
    window->transparentToMouse =
        control.kind == ControlKind::StaticText || control.kind == ControlKind::GroupBox;
    if (control.style & ws::visible) {
        ShowWindow(window, true);
        DrawControl(window);
        window->invalid = false;
    }
    return true;
}

} // namespace

DialogState* DialogOf(WindowHandle window) {
    PlatformWindow* live = LiveWindow(window);
    if (live == nullptr || live->className != dialogClassName) {
        return nullptr;
    }
    return static_cast<DialogState*>(live->dialogData.get());
}

ControlState* ControlOf(WindowHandle window) {
    PlatformWindow* live = LiveWindow(window);
    if (live == nullptr || live->className != controlClassName) {
        return nullptr;
    }
    return static_cast<ControlState*>(live->dialogData.get());
}

PlatformWindow* DialogOfControl(PlatformWindow* control) {
    if (control == nullptr || control->parent == nullptr || DialogOf(control->parent) == nullptr) {
        return nullptr;
    }
    return control->parent;
}

WindowHandle CreateDialogOf(const DialogTemplate& dialogTemplate, WindowHandle parent,
                            DialogProc procedure, LParam initParam) {
    RegisterDialogClasses();
    auto state = std::make_shared<DialogState>();
    state->procedure = procedure;
    state->font = DialogFont(dialogTemplate.pointSize);
    state->units = BaseUnitsOf(dialogTemplate.pointSize);
    const Rect client =
        DialogUnitsToPixels(state->units, Rect{0, 0, dialogTemplate.width, dialogTemplate.height});
    std::int32_t width = client.width;
    std::int32_t height = client.height;
    OuterSize(dialogTemplate.style, width, height);
    PlatformWindow* dialog =
        CreateWindowOf(dialogClassName, dialogTemplate.title, dialogTemplate.style & ~ws::visible,
                       0, 0, width, height, parent, nullptr, 0, 0);
    if (dialog == nullptr) {
        return nullptr;
    }
    dialog->dialogData = state;
    FillRectIndex(dialog->context, 0, 0, dialog->width, dialog->height, menu_colors::face);
    for (const ControlTemplate& control : dialogTemplate.controls) {
        if (control.kind == ControlKind::DefaultPushButton && state->defaultId == 0) {
            state->defaultId = control.id;
        }
        if (!CreateControl(dialog, *state, control)) {
            DestroyWindow(dialog);
            return nullptr;
        }
    }
    const LResult focusFirst = SendMessage(dialog, wm::initDialog, 0, initParam);
    if (LiveWindow(dialog) == nullptr) {
        return nullptr;
    }
    if (focusFirst != 0) {
        if (PlatformWindow* first = FirstTabStop(dialog)) {
            FocusControlByKeyboard(first);
        }
    }
    if (dialogTemplate.style & ws::visible) {
        ShowWindow(dialog, true);
    }
    return dialog;
}

std::intptr_t DialogBox(const DialogTemplate& dialogTemplate, WindowHandle owner,
                        DialogProc procedure, LParam initParam) {
    PlatformWindow* previousFocus = System().focus;
    PlatformWindow* ownerWindow = LiveWindow(owner);
    if (ownerWindow == nullptr) {
        // A dialog is drawn on its owner's screen: without a live owner
        // there is none to show it on.
        return -1;
    }
    if (previousFocus != nullptr && IsInSubtree(previousFocus, ownerWindow)) {
        SetFocus(nullptr); // the owner's focus hears that it leaves
    }
    // The owner takes no input while the dialog is up; its timers go on.
    const bool ownerWasEnabled = ownerWindow->enabled;
    EnableWindow(ownerWindow, false);
    PlatformWindow* dialog = CreateDialogOf(dialogTemplate, owner, procedure, initParam);
    const std::intptr_t result = DialogOf(dialog) != nullptr ? RunModalLoop(dialog) : -1;
    EndModal(ownerWindow, ownerWasEnabled, dialog, previousFocus);
    return result;
}

void EndModal(PlatformWindow* owner, bool ownerWasEnabled, PlatformWindow* dialog,
              PlatformWindow* previousFocus) {
    if (LiveWindow(owner) != nullptr && ownerWasEnabled) {
        EnableWindow(owner, true);
    }
    if (LiveWindow(dialog) != nullptr) {
        DestroyWindow(dialog);
    }
    // The owner is active again and its focus goes back where it was.
    if (LiveWindow(previousFocus) != nullptr && IsEffectivelyEnabled(previousFocus)) {
        SetFocus(previousFocus);
    }
    if (std::exchange(System().closeAfterMessageBox, false)) {
        // The desktop's close (or a signal) that ended it goes on: to the
        // dialog or box under it, if any, and so on to the main window.
        InputEvent close;
        close.kind = InputEvent::Kind::Close;
        EnqueueInput(close);
    }
}

std::intptr_t RunModalLoop(PlatformWindow* dialog) {
    DialogState* state = DialogOf(dialog);
    state->modal = true;
    if (!state->ended) {
        ShowWindow(dialog, true);
    }
    WindowSystem& system = System();
    PlatformWindow* outerDialog = std::exchange(system.modalDialog, dialog);
    Message message{};
    while (LiveWindow(dialog) != nullptr && !state->ended) {
        if (!GetMessage(message)) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for the outer loop
            break;
        }
        if (!IsDialogMessage(dialog, message)) {
            TranslateMessage(message);
            DispatchMessage(message);
        }
    }
    system.modalDialog = outerDialog;
    if (LiveWindow(dialog) == nullptr) {
        return -1;
    }
    return state->ended ? state->result : 0;
}

bool EndDialog(WindowHandle dialog, std::intptr_t result) {
    DialogState* state = DialogOf(dialog);
    if (state == nullptr) {
        return false;
    }
    state->ended = true;
    state->result = result;
    // A modeless dialog only hides; its creator destroys it.
    ShowWindow(dialog, false);
    // An empty message wakes the modal loop, which may be waiting for input.
    PostMessage(dialog, nullMessage, 0, 0);
    return true;
}

Rect GetWindowRect(WindowHandle window) {
    const PlatformWindow* live = LiveWindow(window);
    if (live == nullptr) {
        return Rect{0, 0, 0, 0};
    }
    if (live == System().mainWindow) {
        return live->outer;
    }
    Rect rect = live->outer;
    if (!IsTopLevel(live)) {
        std::int32_t left = 0;
        std::int32_t top = 0;
        ClientOriginOnScreen(live->parent, left, top);
        rect.x += left;
        rect.y += top;
    }
    return rect;
}
