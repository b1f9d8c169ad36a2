#include "tests/platform/user/dialog_test_fixture.h"

namespace {
std::vector<DialogCommand> commands;
} // namespace

LResult TestDialogProc(WindowHandle dialog, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == wm::command) {
        commands.push_back(DialogCommand{static_cast<int>(wParam & 0xFFFF),
                                         static_cast<std::uint32_t>(wParam >> 16)});
    }
    if (dialogHook) {
        return dialogHook(dialog, message, wParam, lParam);
    }
    return message == wm::initDialog ? 1 : 0;
}

void DialogTest::SetUp() {
    WindowTest::SetUp();
    commands.clear();
    dialogHook = nullptr;
    CreateMain();
}

void DialogTest::TearDown() {
    dialogHook = nullptr;
    WindowTest::TearDown();
}

WindowHandle DialogTest::CreatePanel() {
    WindowHandle panel = CreateDialogOf(test_dialogs::panel, mainWindow, TestDialogProc, 0);
    ShowWindow(panel, true);
    return panel;
}

void DialogTest::Tap(int key, std::uint32_t at) {
    Push(Key(Kind::KeyDown, key), at);
    Push(Key(Kind::KeyUp, key), at);
}

void DialogTest::Click(std::int32_t x, std::int32_t y, std::uint32_t at) {
    Push(Mouse(Kind::MouseDown, x, y), at);
    Push(Mouse(Kind::MouseUp, x, y), at);
}

void DialogTest::CentreOf(WindowHandle control, std::int32_t& x, std::int32_t& y) {
    const Rect rect = GetWindowRect(control);
    x = rect.x + rect.width / 2;
    y = rect.y + rect.height / 2;
}

void DialogTest::RunPanelLoop(WindowHandle panel, std::uint32_t end) {
    WindowHandle stopper =
        CreateWindowOf(testClassName, "", ws::popup, 0, 0, 0, 0, mainWindow, nullptr, 0, 0);
    SetMessageHook([stopper](WindowHandle window, std::uint32_t message, WParam,
                             LParam) -> std::optional<LResult> {
        if (window == stopper && message == wm::timer) {
            PostQuitMessage(0);
            return 0;
        }
        return std::nullopt;
    });
    SetTimer(stopper, 1, end - GetTickCount());
    Message message{};
    while (GetMessage(message)) {
        if (IsWindow(panel) && IsDialogMessage(panel, message)) {
            continue;
        }
        DispatchMessage(message);
    }
    SetMessageHook(nullptr);
    DestroyWindow(stopper);
}

std::vector<DialogCommand> DialogTest::Commands() const {
    return commands;
}
