#include "tests/platform/user/window_test_fixture.h"

#include <algorithm>

namespace {

std::vector<LoggedMessage> messageLog;
MessageHook messageHook;
constexpr std::uint32_t stopTimerId = 0xBEEF;

LResult RecordingProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == wm::timer && wParam == stopTimerId) {
        KillTimer(window, stopTimerId);
        PostQuitMessage(0);
        return 0;
    }
    messageLog.push_back(LoggedMessage{window, message, wParam, lParam, GetTickCount()});
    if (auto result = messageHook ? messageHook(window, message, wParam, lParam) : std::nullopt)
        return *result;
    return DefWindowProc(window, message, wParam, lParam);
}

} // namespace

std::vector<LoggedMessage>& MessageLog() {
    return messageLog;
}

void SetMessageHook(MessageHook hook) {
    messageHook = std::move(hook);
}

void WindowTest::SetUp() {
    messageLog.clear();
    messageHook = nullptr;
    StartWindowSystem(backend);
    ASSERT_TRUE(RegisterWindowClass({testClassName, cs::ownDC, RecordingProc, 0}));
    const MenuItem separator{0, "", false, false};
    bar.menus = {
        Menu{"&File",
             {{101, "&New Game", false, false},
              {102, "&Practice", false, false},
              separator,
              {103, "&Pause", false, true},
              {104, "&Abort", false, true},
              separator,
              {105, "E&xit", false, false}},
             false},
        Menu{"&Difficulty", {{106, "&Easy", true, false}, {107, "&Normal", false, false}}, true},
        Menu{"&Option",
             {{113, "&Music", false, false},
              {114, "&Sound", true, false},
              {115, "S&peedUp", false, false}},
             false},
    };
}

void WindowTest::TearDown() {
    ShutdownWindowSystem();
    messageHook = nullptr;
}

WindowHandle WindowTest::CreateMain(bool withMenu) {
    mainWindow = CreateWindowOf(testClassName, "Main", ws::caption | ws::sysMenu, 0, 0, 640, 480,
                                nullptr, withMenu ? &bar : nullptr, 0, 0);
    ShowWindow(mainWindow, true);
    return mainWindow;
}

WindowHandle WindowTest::CreateChild(WindowHandle parent, int id, Rect rect) {
    return CreateWindowOf(testClassName, "", ws::child | ws::visible, rect.x, rect.y, rect.width,
                          rect.height, parent, nullptr, id, 0);
}

void WindowTest::RunUntil(std::uint32_t end) {
    WindowHandle stopper =
        CreateWindowOf(testClassName, "", ws::popup, 0, 0, 0, 0, mainWindow, nullptr, 0, 0);
    SetTimer(stopper, stopTimerId, end - GetTickCount());
    Message message{};
    while (GetMessage(message)) {
        if (TranslateAccelerator(mainWindow, accelerators, message))
            continue;
        TranslateMessage(message);
        DispatchMessage(message);
    }
    DestroyWindow(stopper);
    std::erase_if(messageLog, [stopper](const LoggedMessage& m) { return m.window == stopper; });
}

std::vector<LoggedMessage> WindowTest::Only(std::uint32_t message) const {
    std::vector<LoggedMessage> found;
    std::copy_if(messageLog.begin(), messageLog.end(), std::back_inserter(found),
                 [message](const LoggedMessage& m) { return m.message == message; });
    return found;
}
