#include "dialog_answers.h"

#include "platform/headless/headless_backend.h"
#include "platform/user/dialog.h"
#include "shell/dialogs/dialog_templates.h"
#include "tools/varnisk-sim/sim_host.h"

namespace {

constexpr std::int32_t clearAllChoice = 1;
constexpr std::int32_t clearCancelled = 0;

class Typist {
  public:
    explicit Typist(HeadlessBackend& keyboard) : keyboard_(keyboard) {}
    void Press(int virtualKey) {
        InputEvent key;
        key.virtualKey = virtualKey;
        key.kind = InputEvent::Kind::KeyDown;
        keyboard_.Push(key, keyboard_.Now());
        key.kind = InputEvent::Kind::KeyUp;
        keyboard_.Push(key, keyboard_.Now());
    }
    void Type(const std::string& text) {
        InputEvent typed;
        typed.kind = InputEvent::Kind::Text;
        typed.text = text;
        keyboard_.Push(typed, keyboard_.Now());
    }

  private:
    HeadlessBackend& keyboard_;
};

void AnswerNameEntry(Typist& typist, SimHost& host) {
    if (host.nextName) {
        typist.Press(vk::back); // the preset is selected: it goes
        if (!host.nextName->empty()) {
            typist.Type(*host.nextName);
        }
        host.nextName.reset();
    }
    typist.Press(vk::enter);
}

void AnswerClearBest5(Typist& typist, SimHost& host) {
    const std::int32_t choice = host.nextClearChoice.value_or(clearAllChoice);
    host.nextClearChoice.reset();
    if (choice == clearCancelled) {
        typist.Press(vk::escape);
        return;
    }
    // From OK: Cancel, then the checked radio button, "Clear All".
    typist.Press(vk::tab);
    typist.Press(vk::tab);
    for (std::int32_t step = clearAllChoice; step < choice; ++step) {
        typist.Press(vk::down);
    }
    typist.Press(vk::enter); // a radio button has the focus: the default button, OK
}

// Paints what waits to be painted, as the dialog's loop would before it
// waits, so the screens show the dialog as a person sees it.
void PaintTree(WindowHandle window) {
    UpdateWindow(window);
    for (WindowHandle child = GetFirstChild(window); child != nullptr;
         child = GetNextSibling(child)) {
        PaintTree(child);
    }
}

} // namespace

void AnswerDialogFromScript(SimHost& host, WindowHandle dialog, DialogMoment moment) {
    if (moment == DialogMoment::Confirming) {
        PaintTree(dialog);
        if (host.beforeConfirming) {
            host.beforeConfirming();
        }
        return;
    }
    if (host.keyboard == nullptr) {
        return;
    }
    Typist typist(*host.keyboard);
    if (GetDialogItem(dialog, item::nameEdit) != nullptr) {
        AnswerNameEntry(typist, host);
    } else if (GetDialogItem(dialog, item::clearAll) != nullptr) {
        AnswerClearBest5(typist, host);
    } else {
        typist.Press(vk::enter); // About closes at once
    }
}
