#pragma once

// The game's main window on the headless window system, started as the game
// starts it, with a loop that runs the virtual clock on and a keyboard and
// mouse that type at the present moment.

#include "core/game_state.h"
#include "platform/headless/headless_backend.h"
#include "platform/user/user.h"
#include "shell/desktop/program.h"
#include "shell/desktop/window_procedure.h"
#include "shell/main_window.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

class GameWindow : public ::testing::Test {
  protected:
    static constexpr std::uint32_t tickMs = 40;

    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("varnisk-panel-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        StartWindowSystem(backend_);
        SetStartupOptions({folder_ / "in.ini", {}, 7});
        ASSERT_TRUE(RegisterMainWindowClass());
        main_ = CreateMainWindow();
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(RunFor(0));
    }
    void TearDown() override {
        if (!quit_ && IsWindow(main_)) {
            SendMessage(main_, wm::destroy, 0, 0);
        }
        DiscardMainWindow(main_);
        ShutdownWindowSystem();
        SetStartupOptions({});
        std::filesystem::remove_all(folder_);
    }

    GameState& State() { return *static_cast<GameState*>(GetWindowUserData(main_)); }

    // The game's loop until the clock reaches `until`, and what is due then;
    // false once the program has quit.
    bool RunUntil(std::uint32_t until) {
        Message message{};
        while (backend_.Now() < until) {
            if (!GetMessage(message)) {
                quit_ = true;
                return false;
            }
            ProcessMessage(main_, message);
        }
        while (PeekMessage(message)) {
            if (message.message == wm::quit) {
                quit_ = true;
                return false;
            }
            ProcessMessage(main_, message);
        }
        return true;
    }
    bool RunFor(std::uint32_t milliseconds) { return RunUntil(backend_.Now() + milliseconds); }

    void Key(InputEvent::Kind kind, int virtualKey, std::uint32_t after = 0) {
        InputEvent event;
        event.kind = kind;
        event.virtualKey = virtualKey;
        backend_.Push(event, backend_.Now() + after);
    }
    // A key pressed and let go, `after` milliseconds from now.
    void Press(int virtualKey, std::uint32_t after = 0) {
        Key(InputEvent::Kind::KeyDown, virtualKey, after);
        Key(InputEvent::Kind::KeyUp, virtualKey, after);
    }
    void Type(const std::string& text, std::uint32_t after = 0) {
        InputEvent event;
        event.kind = InputEvent::Kind::Text;
        event.text = text;
        backend_.Push(event, backend_.Now() + after);
    }
    // A click at a point of a window's client area.
    void Click(WindowHandle window, std::int32_t x, std::int32_t y, std::uint32_t after = 0) {
        ClientToScreen(window, x, y);
        InputEvent event;
        event.x = x;
        event.y = y;
        event.kind = InputEvent::Kind::MouseDown;
        backend_.Push(event, backend_.Now() + after);
        event.kind = InputEvent::Kind::MouseUp;
        backend_.Push(event, backend_.Now() + after);
    }

    HeadlessBackend backend_;
    WindowHandle main_ = nullptr;
    bool quit_ = false;
    std::filesystem::path folder_;
};
