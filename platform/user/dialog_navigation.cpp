#include "dialog_internal.h"

#include <algorithm>

// The dialog keys: Tab and Shift+Tab walk the tab stops and wrap, arrows
// move within a group, Enter presses the focused push button or else the
// default one, Escape is Cancel. Space is the focused button's own key.

namespace {

bool IsRadio(const PlatformWindow* control) {
    const ControlState* state = ControlOf(const_cast<PlatformWindow*>(control));
    return state != nullptr && state->kind == ControlKind::RadioButton;
}

bool IsCheckedRadio(const PlatformWindow* control) {
    const ControlState* state = ControlOf(const_cast<PlatformWindow*>(control));
    return state != nullptr && state->kind == ControlKind::RadioButton && state->checked;
}

// Where Tab may land: a focusable control with ws::tabStop; in a group of
// radio buttons with one checked, that one alone.
bool IsTabTarget(PlatformWindow* control) {
    if (!TakesFocus(control)) {
        return false;
    }
    if (IsRadio(control)) {
        const std::vector<PlatformWindow*> group = GroupOf(control);
        const auto checked = std::find_if(group.begin(), group.end(), IsCheckedRadio);
        if (checked != group.end()) {
            return *checked == control;
        }
    }
    return (control->style & ws::tabStop) != 0;
}

// The next (or previous) control after from among the dialog's children
// that passes the test, wrapping; nullptr when none does.
template <typename Test>
PlatformWindow* NextAmong(const std::vector<PlatformWindow*>& controls, PlatformWindow* from,
                          bool backwards, Test test) {
    const auto count = static_cast<std::ptrdiff_t>(controls.size());
    if (count == 0) {
        return nullptr;
    }
    const auto at = std::find(controls.begin(), controls.end(), from);
    std::ptrdiff_t index = at == controls.end() ? (backwards ? 0 : -1) : at - controls.begin();
    for (std::ptrdiff_t tried = 0; tried < count; ++tried) {
        index = ((index + (backwards ? -1 : 1)) % count + count) % count;
        PlatformWindow* candidate = controls[static_cast<std::size_t>(index)];
        if (test(candidate)) {
            return candidate;
        }
    }
    return nullptr;
}

// The control of this dialog that has the focus, nullptr if none has.
PlatformWindow* FocusedControl(PlatformWindow* dialog) {
    PlatformWindow* focus = System().focus;
    return focus != nullptr && focus->parent == dialog && ControlOf(focus) != nullptr ? focus
                                                                                      : nullptr;
}

void PressButtonById(PlatformWindow* dialog, int id) {
    PlatformWindow* button = LiveWindow(GetDialogItem(dialog, id));
    if (button != nullptr && !IsEffectivelyEnabled(button)) {
        return;
    }
    const auto low = static_cast<std::uint32_t>(id) & 0xFFFF;
    SendMessage(dialog, wm::command, static_cast<WParam>(low | (bn::clicked << 16)),
                reinterpret_cast<LParam>(button));
}

void Enter(PlatformWindow* dialog) {
    PlatformWindow* focus = FocusedControl(dialog);
    const ControlState* focused = ControlOf(focus);
    if (focused != nullptr && IsPushButton(focused->kind)) {
        PressButtonById(dialog, focus->id);
        return;
    }
    const DialogState* state = DialogOf(dialog);
    PressButtonById(dialog, state != nullptr && state->defaultId != 0 ? state->defaultId : idOk);
}

void Tab(PlatformWindow* dialog, bool backwards) {
    PlatformWindow* next =
        NextAmong(dialog->children, FocusedControl(dialog), backwards, IsTabTarget);
    if (next != nullptr) {
        FocusControlByKeyboard(next);
    }
}

void Arrow(PlatformWindow* dialog, bool backwards) {
    PlatformWindow* focus = FocusedControl(dialog);
    if (focus == nullptr) {
        return;
    }
    PlatformWindow* next = NextAmong(GroupOf(focus), focus, backwards, TakesFocus);
    if (next == nullptr || next == focus) {
        return;
    }
    FocusControlByKeyboard(next);
    // An auto radio button is checked by moving onto it.
    if (IsRadio(next) && LiveWindow(next) != nullptr && !IsCheckedRadio(next)) {
        CheckRadioInGroup(next);
        NotifyDialog(next, bn::clicked);
    }
}

// Keys the focused control keeps for itself.
bool ControlWantsKey(PlatformWindow* dialog, int key) {
    const ControlState* focused = ControlOf(FocusedControl(dialog));
    if (focused == nullptr || focused->kind != ControlKind::Edit) {
        return false;
    }
    return key == vk::left || key == vk::right || key == vk::up || key == vk::down;
}

} // namespace

std::vector<PlatformWindow*> GroupOf(PlatformWindow* control) {
    std::vector<PlatformWindow*> group;
    PlatformWindow* dialog = control != nullptr ? control->parent : nullptr;
    if (dialog == nullptr) {
        return group;
    }
    bool found = false;
    for (PlatformWindow* child : dialog->children) {
        if ((child->style & ws::group) && !group.empty()) {
            if (found) {
                break;
            }
            group.clear();
        }
        group.push_back(child);
        found = found || child == control;
    }
    return found ? group : std::vector<PlatformWindow*>{};
}

void FocusControlByKeyboard(PlatformWindow* control) {
    SetFocus(control);
    ControlState* state = ControlOf(control);
    if (state != nullptr && state->kind == ControlKind::Edit && System().focus == control) {
        SelectAllEditText(control, *state);
    }
}

PlatformWindow* FirstTabStop(PlatformWindow* dialog) {
    if (dialog == nullptr) {
        return nullptr;
    }
    return NextAmong(dialog->children, nullptr, false, IsTabTarget);
}

bool IsDialogMessage(WindowHandle dialog, const Message& message) {
    PlatformWindow* live = LiveWindow(dialog);
    PlatformWindow* target = LiveWindow(message.window);
    if (live == nullptr || DialogOf(live) == nullptr || target == nullptr ||
        !IsInSubtree(target, live)) {
        return false;
    }
    if (message.message == wm::keyDown &&
        !ControlWantsKey(live, static_cast<int>(message.wParam))) {
        switch (static_cast<int>(message.wParam)) {
        case vk::tab: Tab(live, System().shiftDown); return true;
        case vk::enter: Enter(live); return true;
        case vk::escape: PressButtonById(live, idCancel); return true;
        case vk::left:
        case vk::up: Arrow(live, true); return true;
        case vk::right:
        case vk::down: Arrow(live, false); return true;
        default: break;
        }
    }
    DispatchMessage(message);
    return true;
}
