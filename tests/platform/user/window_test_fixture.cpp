#include "tests/platform/user/window_test_fixture.h"

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
    if (messageHook) {
        if (auto result = messageHook(window, message, wParam, lParam)) {
            return *result;
        }
    }
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
    bar.menus = {
        Menu{"&File",
             {{101, "&New Game", false, false},
              {102, "&Practice", false, false},
              {0, "", false, false},
              {103, "&Pause", false, true},
              {104, "&Abort", false, true},
              {0, "", false, false},
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
    WindowHandle main = CreateWindowOf(testClassName, "Main", ws::caption | ws::sysMenu, 0, 0, 640,
                                       480, nullptr, withMenu ? &bar : nullptr, 0, 0);
    ShowWindow(main, true);
    mainWindow = main;
    return main;
}

WindowHandle WindowTest::CreateChild(WindowHandle parent, int id, Rect rect) {
    return CreateWindowOf(testClassName, "", ws::child | ws::visible, rect.x, rect.y, rect.width,
                          rect.height, parent, nullptr, id, 0);
}

InputEvent WindowTest::Event(InputEvent::Kind kind) {
    InputEvent event;
    event.kind = kind;
    return event;
}

InputEvent WindowTest::Key(InputEvent::Kind kind, int key) {
    InputEvent event;
    event.kind = kind;
    event.virtualKey = key;
    return event;
}

InputEvent WindowTest::Mouse(InputEvent::Kind kind, std::int32_t x, std::int32_t y) {
    InputEvent event;
    event.kind = kind;
    event.x = x;
    event.y = y;
    return event;
}

void WindowTest::RunUntil(std::uint32_t end) {
    WindowHandle stopper =
        CreateWindowOf(testClassName, "", ws::popup, 0, 0, 0, 0, mainWindow, nullptr, 0, 0);
    SetTimer(stopper, stopTimerId, end - GetTickCount());
    Message message{};
    while (GetMessage(message)) {
        if (TranslateAccelerator(mainWindow, accelerators, message)) {
            continue;
        }
        TranslateMessage(message);
        DispatchMessage(message);
    }
    DestroyWindow(stopper);
    std::erase_if(messageLog, [stopper](const LoggedMessage& m) { return m.window == stopper; });
}

std::vector<LoggedMessage> WindowTest::Only(std::uint32_t message) const {
    std::vector<LoggedMessage> found;
    for (const LoggedMessage& logged : messageLog) {
        if (logged.message == message) {
            found.push_back(logged);
        }
    }
    return found;
}
