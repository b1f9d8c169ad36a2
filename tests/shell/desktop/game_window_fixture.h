#pragma once

// The game's main window on the headless window system, started as the game
// starts it (default settings, nothing saved, a fixed seed), with a loop that
// runs the virtual clock on and a keyboard and mouse that act at a given moment.

#include "core/game_state.h"
#include "platform/headless/headless_backend.h"
#include "platform/user/dialog.h"
#include "platform/user/user.h"
#include "shell/desktop/program.h"
#include "shell/desktop/window_procedure.h"
#include "shell/main_window.h"
#include "shell/text_faces.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

class GameWindow : public ::testing::Test {
  protected:
    static constexpr std::uint32_t tickMs = 40;

    void SetUp() override { StartGame(); }
    void TearDown() override {
        if (!quit_ && IsWindow(main_))
            SendMessage(main_, wm::destroy, 0, 0); // the teardown, as Exit runs it
        DiscardMainWindow(main_);
        ShutdownWindowSystem();
    }

    // Start-up as the game's; a fixture that sets more of the record's
    // options first calls it itself.
    void StartGame() {
        StartWindowSystem(backend_, {.faces = GameTextFaces()});
        record_.options.seed = 7;
        ASSERT_TRUE(RegisterMainWindowClass());
        main_ = CreateMainWindow(record_);
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(RunFor(0));
    }

    GameState& State() { return record_.game; }
    WindowHandle PanelItem(int id) { return GetDialogItem(record_.panel.window, id); }

    // The game's loop for `milliseconds` of the virtual clock, and what is
    // due then; false once the program has quit.
    bool RunFor(std::uint32_t milliseconds) {
        const std::uint32_t until = backend_.Now() + milliseconds;
        Message message{};
        while (backend_.Now() < until ? GetMessage(message) : PeekMessage(message)) {
            if (message.message == wm::quit)
                break;
            ProcessMessage(main_, message);
        }
        quit_ = message.message == wm::quit;
        return !quit_;
    }
    // A menu command, as the menu bar posts it, and what it does at once.
    bool Command(int id) {
        PostMessage(main_, wm::command, static_cast<WParam>(id), 0);
        return RunFor(0);
    }

    // Input `after` milliseconds from now: any event, a key pressed and let
    // go, a click at a point of a window's client area.
    void Push(InputEvent::Kind kind, int key = 0, std::uint32_t after = 0, std::int32_t x = 0,
              std::int32_t y = 0, std::string text = {}) {
        backend_.Push({kind, key, false, x, y, std::move(text)}, backend_.Now() + after);
    }
    void Press(int key, std::uint32_t after = 0) {
        Push(InputEvent::Kind::KeyDown, key, after);
        Push(InputEvent::Kind::KeyUp, key, after);
    }
    void Click(WindowHandle window, std::int32_t x, std::int32_t y) {
        ClientToScreen(window, x, y);
        Push(InputEvent::Kind::MouseDown, 0, 0, x, y);
        Push(InputEvent::Kind::MouseUp, 0, 0, x, y);
    }

    HeadlessBackend backend_;
    MainWindow record_;
    WindowHandle main_ = nullptr;
    bool quit_ = false;
};
