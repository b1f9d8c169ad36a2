#pragma once

// One headless window system per test, a window class whose procedure writes
// down every message it gets, and a loop that runs until a virtual time.

#include "platform/headless/headless_backend.h"
#include "platform/user/user.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

struct LoggedMessage {
    WindowHandle window;
    std::uint32_t message;
    WParam wParam;
    LParam lParam;
    std::uint32_t time; // the virtual clock when it arrived
};

class WindowTest : public ::testing::Test {
  protected:
    using Kind = InputEvent::Kind;
    void SetUp() override;
    void TearDown() override;

    // The game's main window: 640 x 480 outer, with the test menu bar.
    WindowHandle CreateMain(bool withMenu = true);
    WindowHandle CreateChild(WindowHandle parent, int id, Rect rect);
    void Push(InputEvent event, std::uint32_t at) { backend.Push(std::move(event), at); }
    static InputEvent Event(Kind kind, int key = 0, int x = 0, int y = 0) {
        InputEvent event;
        event.kind = kind;
        event.virtualKey = key;
        event.x = x;
        event.y = y;
        return event;
    }
    static InputEvent Key(Kind kind, int key) { return Event(kind, key); }
    static InputEvent Mouse(Kind kind, int x, int y) { return Event(kind, 0, x, y); }
    // Runs the game's loop (accelerators first) until the clock reaches end.
    void RunUntil(std::uint32_t end);
    // The messages of one kind, in order.
    std::vector<LoggedMessage> Only(std::uint32_t message) const;

    HeadlessBackend backend;
    WindowHandle mainWindow = nullptr;
    MenuBar bar;
    std::vector<Accelerator> accelerators;
};

// What every test window's procedure writes; cleared at each set-up.
std::vector<LoggedMessage>& MessageLog();
// Runs first for every message; a value returned ends the handling there.
using MessageHook =
    std::function<std::optional<LResult>(WindowHandle, std::uint32_t, WParam, LParam)>;
void SetMessageHook(MessageHook hook);
inline constexpr std::string_view testClassName = "TestWindow";
