#include "tests/platform/user/dialog_test_fixture.h"

namespace {
constexpr WParam stopTimer = 0x570;
} // namespace

LResult TestDialogProc(WindowHandle dialog, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == wm::timer && wParam == stopTimer) { // RunPanelLoop's end
        KillTimer(dialog, stopTimer);
        PostQuitMessage(0);
        return 1;
    }
    if (message == wm::command)
        dialogCommands.push_back(
            {static_cast<int>(wParam & 0xFFFF), static_cast<std::uint32_t>(wParam >> 16)});
    return dialogHook ? dialogHook(dialog, message, wParam, lParam) : 0;
}

WindowHandle DialogTest::Open(const DialogTemplate& dialog,
                              std::function<void(WindowHandle)> init) {
    dialogHook = [init](WindowHandle window, std::uint32_t message, WParam, LParam) -> LResult {
        if (message != wm::initDialog)
            return 0;
        if (init)
            init(window);
        ShowWindow(window, true);
        return 1;
    };
    return CreateDialogOf(dialog, mainWindow, TestDialogProc, 0);
}

void DialogTest::Tap(int key, std::uint32_t at, bool shifted) {
    if (shifted)
        Push(Key(Kind::KeyDown, vk::shift), at);
    Push(Key(Kind::KeyDown, key), at);
    Push(Key(Kind::KeyUp, key), at);
    if (shifted)
        Push(Key(Kind::KeyUp, vk::shift), at);
}

void DialogTest::RunPanelLoop(WindowHandle panel, std::uint32_t end) {
    SetTimer(panel, stopTimer, end - GetTickCount());
    Message message{};
    while (GetMessage(message)) {
        if (!IsDialogMessage(panel, message))
            DispatchMessage(message);
    }
}
