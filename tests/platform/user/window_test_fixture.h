#pragma once

// One headless window system per test, a window class that writes down every
// message, a menu bar, and the game's loop (accelerators first) until a time.

#include "platform/headless/headless_backend.h"
#include "platform/user/user.h"

#include <algorithm>
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
    // Runs first for every message; a value returned ends the handling there.
    using Hook = std::function<std::optional<LResult>(WindowHandle, std::uint32_t, WParam, LParam)>;
    static constexpr std::string_view testClass = "TestWindow";
    static constexpr std::uint32_t stopTimer = 0xBEEF;

    void SetUp() override {
        running = this;
        StartWindowSystem(backend, {.faces = {"Mona", "IPAPGothic"}});
        ASSERT_TRUE(RegisterWindowClass({testClass, cs::ownDC, Record, {}}));
        // File has grayed items between separators, Edit is grayed whole.
        const MenuItem gap{0, "", false, false};
        // clang-format off
        bar.menus = {Menu{"&File", {{101, "&Open", false, false}, {102, "&Close", false, false}, gap,
                                    {103, "&Print", false, true}, {104, "&Archive", false, true}, gap,
                                    {105, "E&xit", false, false}}, false},
                     Menu{"&Edit", {{106, "&Cut", true, false}, {107, "C&opy", false, false}}, true},
                     Menu{"&View", {{113, "&Ruler", false, false}, {115, "&Grid", false, false}}, false}};
        // clang-format on
    }
    void TearDown() override {
        ShutdownWindowSystem();
        running = nullptr;
    }

    // A main window of 640 x 480 outer, shown, with the menu bar or without.
    WindowHandle CreateMain(bool withMenu = true) {
        mainWindow = CreateWindowOf(testClass, "Main", ws::caption | ws::sysMenu, 0, 0, 640, 480,
                                    nullptr, withMenu ? &bar : nullptr, 0, 0);
        ShowWindow(mainWindow, true);
        return mainWindow;
    }
    WindowHandle CreateChild(WindowHandle parent, int id, Rect r) {
        return CreateWindowOf(testClass, "", ws::child | ws::visible, r.x, r.y, r.width, r.height,
                              parent, nullptr, id, 0);
    }
    void Push(Kind kind, std::uint32_t at, std::string text = {}) {
        backend.Push({.kind = kind, .text = std::move(text)}, at);
    }
    void Key(Kind kind, int key, std::uint32_t at) {
        backend.Push({.kind = kind, .virtualKey = key, .text = {}}, at);
    }
    void Mouse(Kind kind, int x, int y, std::uint32_t at) {
        backend.Push({.kind = kind, .x = x, .y = y, .text = {}}, at);
    }
    // A key pressed and released, with Shift held around it if shifted.
    void Tap(int key, std::uint32_t at, bool shifted = false) {
        for (int down : {1, 0})
            for (int k : shifted ? std::vector{vk::shift, key} : std::vector{key})
                Key(down ? Kind::KeyDown : Kind::KeyUp, k, at + (shifted ? 0 : 1 - down));
    }
    void Click(int x, int y, std::uint32_t at) {
        Mouse(Kind::MouseDown, x, y, at);
        Mouse(Kind::MouseUp, x, y, at);
    }
    // Runs the loop until the clock reaches end; filter may take a message
    // first (true: it was handled).
    void RunUntil(std::uint32_t end, const std::function<bool(const Message&)>& filter = {}) {
        WindowHandle stopper =
            CreateWindowOf(testClass, "", ws::popup, 0, 0, 0, 0, mainWindow, nullptr, 0, 0);
        SetTimer(stopper, stopTimer, end - GetTickCount());
        Message message{};
        while (GetMessage(message)) {
            if ((filter && filter(message)) ||
                TranslateAccelerator(mainWindow, accelerators, message))
                continue;
            TranslateMessage(message);
            DispatchMessage(message);
        }
        DestroyWindow(stopper);
        std::erase_if(log, [stopper](const LoggedMessage& m) { return m.window == stopper; });
    }
    std::vector<LoggedMessage> Only(std::uint32_t message) const {
        std::vector<LoggedMessage> found;
        std::copy_if(log.begin(), log.end(), std::back_inserter(found),
                     [message](const LoggedMessage& m) { return m.message == message; });
        return found;
    }

    HeadlessBackend backend;
    WindowHandle mainWindow = nullptr;
    MenuBar bar;
    std::vector<Accelerator> accelerators;
    std::vector<LoggedMessage> log; // what every test window's procedure got
    Hook hook;

  private:
    static LResult Record(WindowHandle window, std::uint32_t message, WParam wParam,
                          LParam lParam) {
        if (message == wm::timer && wParam == stopTimer) {
            KillTimer(window, stopTimer);
            PostQuitMessage(0);
            return 0;
        }
        running->log.push_back({window, message, wParam, lParam, GetTickCount()});
        if (auto result =
                running->hook ? running->hook(window, message, wParam, lParam) : std::nullopt)
            return *result;
        return DefWindowProc(window, message, wParam, lParam);
    }
    inline static WindowTest* running = nullptr;
};
