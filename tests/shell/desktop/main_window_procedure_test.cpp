// The game's main window on the window system: help, the focus as children
// come and go and as it is activated, the palette messages, and both ways
// of ending the program. (The runner's screens show what start-up shows.)

#include "core/commands.h"
#include "shell/dialogs/dialog_templates.h"
#include "tests/shell/desktop/game_window_fixture.h"

#include <algorithm>
#include <filesystem>

namespace {

class MainWindowTest : public GameWindow {
  protected:
    ~MainWindowTest() override { std::filesystem::remove(savePath_); }
    const std::filesystem::path savePath_ =
        std::filesystem::temp_directory_path() /
        ("varnisk-desktop-" +
         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".ini");
};

LResult PlainProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return DefWindowProc(window, message, wParam, lParam);
}

TEST_F(MainWindowTest, F1OpensHelpFromAnyWindowAndAChildGoingAwayGivesTheKeyboardBack) {
    RegisterWindowClass({"Plain", 0, PlainProc, {}});
    WindowHandle child =
        CreateWindowOf("Plain", "", ws::child | ws::visible, 0, 0, 10, 10, main_, nullptr, 5, 0);
    SetFocus(child);
    Push(InputEvent::Kind::KeyDown, vk::f1);
    ASSERT_TRUE(RunFor(tickMs));
    ASSERT_EQ(backend_.OpenedUrls().size(), 1u);
    EXPECT_TRUE(backend_.OpenedUrls()[0].starts_with("file:///"));
    EXPECT_TRUE(backend_.OpenedUrls()[0].ends_with("/varnisk.html"));
    // Without a browser, one line says where the page is.
    backend_.SetOpenUrlSucceeds(false);
    testing::internal::CaptureStderr();
    Push(InputEvent::Kind::KeyDown, vk::f1);
    ASSERT_TRUE(RunFor(tickMs));
    const std::string said = testing::internal::GetCapturedStderr();
    // The page's own path, with the system's separators.
    const std::string page =
        std::string(1, std::filesystem::path::preferred_separator) + "varnisk.html\n";
    EXPECT_TRUE(said.ends_with(page)) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;

    // As when the start panel goes: space and Escape must reach the game.
    DestroyWindow(child);
    EXPECT_EQ(GetFocus(), main_);
}

TEST_F(MainWindowTest, InTheTitleADeactivationTooFocusesNewGame) {
    SetFocus(main_);
    SendMessage(main_, wm::activate, 0, 0);
    EXPECT_EQ(GetFocus(), PanelItem(item::newGame));
}

TEST_F(MainWindowTest, APaletteChangeOfItsOwnIsAnsweredWithItsHandle) {
    const auto self = reinterpret_cast<WParam>(main_);
    EXPECT_EQ(SendMessage(main_, wm::paletteChanged, self, 0), static_cast<LResult>(self));
    // The game palette is already realized: nothing changes, nothing to repaint.
    EXPECT_EQ(SendMessage(main_, wm::paletteChanged, 0, 0), 0);
    EXPECT_EQ(SendMessage(main_, wm::queryNewPalette, 0, 0), 0);
}

// Exit ends the loop with the window still standing; the program then
// discards it, which must not run the teardown (and save) a second time.
TEST_F(MainWindowTest, ExitSavesOnceAndEndsTheLoop) {
    record_.saveTo = savePath_;
    EXPECT_FALSE(Command(command::exit)) << "the quit message ends the loop";
    ASSERT_TRUE(std::filesystem::remove(savePath_));
    const WindowHandle panel = record_.panel.window;
    DiscardMainWindow(main_);
    EXPECT_FALSE(IsWindow(main_));
    EXPECT_FALSE(std::filesystem::exists(savePath_));
    EXPECT_FALSE(IsWindow(panel));
    EXPECT_EQ(record_.panel.window, nullptr) << "the panel went with the record still there";
}

TEST_F(MainWindowTest, TheCloseBoxSavesAndQuits) {
    record_.saveTo = savePath_;
    Push(InputEvent::Kind::Close);
    EXPECT_FALSE(RunFor(tickMs));
    EXPECT_FALSE(IsWindow(main_)) << "destroyed, and its record let go";
    EXPECT_TRUE(std::filesystem::exists(savePath_));
}

} // namespace
