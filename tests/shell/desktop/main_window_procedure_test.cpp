// The game's main window on the window system: the program entry's steps,
// the message table, the tick that keeps running under an open menu, help,
// and both ways of ending the program.

#include "core/commands.h"
#include "core/game_state.h"
#include "platform/headless/headless_backend.h"
#include "platform/user/dialog.h"
#include "platform/user/user.h"
#include "shell/desktop/program.h"
#include "shell/desktop/window_procedure.h"
#include "shell/main_window.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr std::uint32_t tick = 40;

LResult PlainProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return DefWindowProc(window, message, wParam, lParam);
}

class MainWindowProcedure : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("varnisk-desktop-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        StartWindowSystem(backend_, {.faces = {"Mona", "IPAPGothic"}});
        record_.options = {folder_ / "in.ini", folder_ / "out.ini", 7};
        ASSERT_TRUE(RegisterMainWindowClass());
        RegisterWindowClass({"Plain", 0, PlainProc, {}});
        main_ = CreateMainWindow(record_);
        ASSERT_NE(main_, nullptr);
    }
    void TearDown() override {
        if (!quit_ && IsWindow(main_)) {
            SendMessage(main_, wm::destroy, 0, 0); // the teardown, as Exit runs it
        }
        DiscardMainWindow(main_);
        ShutdownWindowSystem();
        std::filesystem::remove_all(folder_);
    }

    GameState& State() { return record_.game; }

    // Runs the game's loop until the virtual clock reaches `until` or the
    // program quits; true while it has not quit.
    bool RunUntil(std::uint32_t until) {
        Message message{};
        while (backend_.Now() < until) {
            if (!GetMessage(message)) {
                quit_ = true;
                return false;
            }
            ProcessMessage(main_, message);
        }
        // What is due at this very moment is handled too.
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

    void Key(InputEvent::Kind kind, int virtualKey) {
        InputEvent event;
        event.kind = kind;
        event.virtualKey = virtualKey;
        backend_.Push(event, backend_.Now());
    }

    HeadlessBackend backend_;
    MainWindow record_;
    WindowHandle main_ = nullptr;
    bool quit_ = false;
    std::filesystem::path folder_;
};

TEST_F(MainWindowProcedure, StartsAsTheTitleOnAScreenOfMenuBarAndClient) {
    ASSERT_TRUE(RunFor(0));
    EXPECT_TRUE(backend_.ScreenOpened());
    EXPECT_TRUE(backend_.ScreenShown());
    EXPECT_EQ(backend_.ScreenTitle(), "VARNISK");
    EXPECT_GT(backend_.IconSize(), 0u);
    EXPECT_EQ(backend_.ScreenWidth(), 634);
    EXPECT_EQ(backend_.ScreenHeight(), 19 + 436);
    EXPECT_EQ(GetClientRect(main_).width, 634);
    EXPECT_EQ(GetClientRect(main_).height, 436);
    EXPECT_EQ(State().mode, GameMode::Title);
    EXPECT_EQ(State().tickTimer, 1u);
    EXPECT_GE(backend_.PresentCount(), 1) << "the first paint reaches the screen";

    // The title's field scrolls by on its own, one tick every 40 ms.
    const std::int32_t firstY = State().floors[0].y;
    ASSERT_TRUE(RunFor(25 * tick));
    EXPECT_NE(State().floors[0].y, firstY);
}

// What a probe window saw at each of its own ticks: menu tracking runs a
// nested loop, so the test can only look from inside it.
struct Sighting {
    bool menuOpen;
    std::int32_t playerX;
};
std::vector<Sighting> sightings;
GameState* watched = nullptr;

LResult ProbeProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == wm::timer && watched != nullptr) {
        sightings.push_back({GetMenuTracking().active, watched->playerX});
    }
    return DefWindowProc(window, message, wParam, lParam);
}

TEST_F(MainWindowProcedure, TheGameGoesOnWhileAMenuIsOpen) {
    PostMessage(main_, wm::command, command::newGame, 0);
    ASSERT_TRUE(RunFor(tick));
    ASSERT_EQ(State().mode, GameMode::Playing);
    RegisterWindowClass({"Probe", 0, ProbeProc, {}});
    WindowHandle probe = CreateWindowOf("Probe", "", ws::child, 0, 0, 1, 1, main_, nullptr, 9, 0);
    SetTimer(probe, 1, tick);
    sightings.clear();
    watched = &State();

    // F10 takes the menu bar; ten ticks later Escape leaves it, and the next
    // Escape reaches the game and pauses it.
    const std::uint32_t now = backend_.Now();
    InputEvent key;
    key.kind = InputEvent::Kind::KeyDown;
    key.virtualKey = vk::f10;
    backend_.Push(key, now);
    key.virtualKey = vk::escape;
    backend_.Push(key, now + 10 * tick);
    backend_.Push(key, now + 12 * tick);
    ASSERT_TRUE(RunFor(14 * tick));
    watched = nullptr;
    DestroyWindow(probe);

    std::vector<std::int32_t> underTheMenu;
    for (const Sighting& sighting : sightings) {
        if (sighting.menuOpen) {
            underTheMenu.push_back(sighting.playerX);
        }
    }
    ASSERT_GE(underTheMenu.size(), 8u) << "the timers go on inside the menu's loop";
    EXPECT_NE(underTheMenu.front(), underTheMenu.back()) << "the character walks on";
    EXPECT_FALSE(GetMenuTracking().active);
    EXPECT_EQ(State().mode, GameMode::Paused);
}

TEST_F(MainWindowProcedure, F1OpensTheHelpPageWhicheverWindowHasTheFocus) {
    WindowHandle child =
        CreateWindowOf("Plain", "", ws::child | ws::visible, 0, 0, 10, 10, main_, nullptr, 5, 0);
    SetFocus(child);
    Key(InputEvent::Kind::KeyDown, vk::f1);
    ASSERT_TRUE(RunFor(tick));
    ASSERT_EQ(backend_.OpenedUrls().size(), 1u);
    EXPECT_TRUE(backend_.OpenedUrls()[0].starts_with("file:///"));
    EXPECT_TRUE(backend_.OpenedUrls()[0].ends_with("/varnisk.html"));

    // A child going away hands the keyboard back to the main window, so that
    // space and Escape reach the game.
    DestroyWindow(child);
    EXPECT_EQ(GetFocus(), main_);
}

TEST_F(MainWindowProcedure, InTheTitleEveryActivationChangeFocusesTheNewGameButton) {
    // The start panel made at start-up is the main window's first child.
    WindowHandle panel = GetFirstChild(main_);
    ASSERT_NE(panel, nullptr);
    WindowHandle newGame = GetDialogItem(panel, idOk);
    ASSERT_NE(newGame, nullptr);
    SetFocus(main_);
    SendMessage(main_, wm::activate, 0, 0);
    EXPECT_EQ(GetFocus(), newGame);

    PostMessage(main_, wm::command, command::newGame, 0);
    ASSERT_TRUE(RunFor(tick));
    SetFocus(main_);
    SendMessage(main_, wm::activate, 1, 0);
    EXPECT_EQ(GetFocus(), main_) << "during a game activation leaves the focus alone";
}

TEST_F(MainWindowProcedure, APaletteChangeOfItsOwnIsAnsweredWithItsHandle) {
    ASSERT_TRUE(RunFor(0)); // the first paint realizes the game palette
    const auto self = reinterpret_cast<WParam>(main_);
    EXPECT_EQ(SendMessage(main_, wm::paletteChanged, self, 0), static_cast<LResult>(self));
    // The game palette is already realized: nothing changes, nothing to repaint.
    EXPECT_EQ(SendMessage(main_, wm::paletteChanged, 0, 0), 0);
    EXPECT_EQ(SendMessage(main_, wm::queryNewPalette, 0, 0), 0);
}

TEST_F(MainWindowProcedure, ExitRunsTheTeardownOnceAndEndsTheLoop) {
    PostMessage(main_, wm::command, command::exit, 0);
    EXPECT_FALSE(RunFor(tick)) << "the quit message ends the loop";
    ASSERT_TRUE(std::filesystem::exists(folder_ / "out.ini"));
    std::filesystem::remove(folder_ / "out.ini");
    DiscardMainWindow(main_); // must not run the teardown a second time
    EXPECT_FALSE(IsWindow(main_));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "out.ini"));
}

TEST_F(MainWindowProcedure, ClosingTheWindowFromTheDesktopSavesAndQuits) {
    InputEvent close;
    close.kind = InputEvent::Kind::Close;
    backend_.Push(close, backend_.Now());
    EXPECT_FALSE(RunFor(tick));
    EXPECT_FALSE(IsWindow(main_)) << "destroyed, and its record freed with it";
    EXPECT_TRUE(std::filesystem::exists(folder_ / "out.ini"));
}

} // namespace
