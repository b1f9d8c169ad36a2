// The three modal dialogs in the running game: what each gives back for
// every way of leaving it, where it opens, the focus afterwards, and the
// game's tick going on under it.

#include "assets/resources.h"
#include "core/commands.h"
#include "core/ports.h"
#include "shell/dialogs/dialog_templates.h"
#include "shell/dialogs/dialogs.h"
#include "shell/panel/start_panel.h"
#include "shell/shell_ports.h"
#include "tests/shell/desktop/game_window_fixture.h"

#include <functional>
#include <vector>

namespace {

// The titles of the dialogs shown, and whether the About picture stood at
// (13, 12) when the last one was confirmed.
std::vector<std::string> shown;
bool aboutPictureDrawn = false;
std::function<void(WindowHandle)> onShown;

bool AboutPictureIn(WindowHandle dialog) {
    StoredBitmap picture{};
    const auto bytes = FindResource(ResourceKind::Bitmap, aboutPictureId);
    if (!bytes || !ParseStoredBitmap(*bytes, picture))
        return false;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(288 * 140));
    DecodeStoredBitmap(picture, pixels);
    BitmapHandle surface = GetSelectedBitmap(GetWindowContext(dialog));
    for (std::int32_t y = 0; y < 140; y += 3)
        for (std::int32_t x = 0; x < 288; x += 3)
            if (GetPixelIndex(surface, 13 + x, 12 + y) !=
                pixels[static_cast<std::size_t>(y * 288 + x)])
                return false;
    return true;
}

// Every dialog opens in the middle of the desktop.
void Watch(WindowHandle dialog, DialogMoment moment) {
    if (moment == DialogMoment::Confirming) {
        UpdateWindow(dialog);
        aboutPictureDrawn = AboutPictureIn(dialog);
        return;
    }
    const Rect desktop = GetDesktopRect(), outer = GetWindowRect(dialog);
    EXPECT_EQ(outer.x, (desktop.width - outer.width) / 2);
    EXPECT_EQ(outer.y, (desktop.height - outer.height) / 2);
    shown.emplace_back(GetWindowTitle(dialog));
    if (onShown)
        onShown(dialog);
}

class Dialogs : public GameWindow {
  protected:
    Dialogs() { record_.dialogWatcher = Watch; }
    ~Dialogs() override {
        shown.clear();
        onShown = nullptr;
    }
    // Which tables a reset brought back ('1') from scores of 100.
    std::string ResetTables() {
        std::string which;
        for (const auto& table : State().records)
            which += table[0].score == 100 ? '0' : '1';
        return which;
    }
};

} // namespace

TEST_F(Dialogs, NameEntryIsPresetLeftOnlyByOkAndKeepsAtMost255BytesOnACharacterBoundary) {
    SetName(State().lastInputName, "Alice");
    onShown = [](WindowHandle dialog) { PostMessage(dialog, wm::close, 0, 0); };
    Press(vk::escape, 40);
    Press(vk::enter, 120);
    const std::uint32_t before = backend_.Now();
    RunNameEntryDialog(record_);
    EXPECT_GE(backend_.Now() - before, 120u) << "still open after the close message and Escape";
    EXPECT_EQ(NameText(State().lastInputName), "Alice") << "Enter keeps the preset";
    EXPECT_EQ(shown, std::vector<std::string>{"VARNISK"});

    // The preset is selected when the dialog opens: typing replaces it.
    onShown = nullptr;
    std::string accents;
    for (int i = 0; i < 150; ++i)
        accents += "\xC3\xA9"; // 300 bytes
    Type(accents);
    Press(vk::enter);
    RunNameEntryDialog(record_);
    EXPECT_EQ(NameText(State().lastInputName), accents.substr(0, 254)) << "127 whole characters";

    Press(vk::back);
    Press(vk::enter);
    RunNameEntryDialog(record_);
    EXPECT_EQ(NameText(State().lastInputName), "") << "an empty field gives an empty name";
}

TEST_F(Dialogs, ClearBest5GivesEveryChoice) {
    // From OK: Tab to Cancel, Tab to the checked radio button, Down onwards.
    const std::pair<std::vector<int>, std::int32_t> cases[] = {
        {{vk::enter}, 1}, // Clear All, as it opens
        {{vk::tab, vk::tab, vk::down, vk::enter}, 2},
        {{vk::tab, vk::tab, vk::down, vk::down, vk::enter}, 3},
        {{vk::tab, vk::tab, vk::down, vk::down, vk::down, vk::enter}, 4},
        {{vk::tab, vk::tab, vk::down, vk::down, vk::down, vk::down, vk::enter}, 1}, // round
        {{vk::escape}, 0},
        {{vk::tab, vk::enter}, 0}, // on Cancel
    };
    for (const auto& [keys, choice] : cases) {
        shown.clear();
        for (const int key : keys)
            Press(key);
        EXPECT_EQ(RunClearBest5Dialog(record_), choice) << "after " << keys.size() << " keys";
        EXPECT_EQ(shown, std::vector<std::string>{"Clear Best5"});
    }
    onShown = [](WindowHandle dialog) { PostMessage(dialog, wm::close, 0, 0); };
    EXPECT_EQ(RunClearBest5Dialog(record_), 0) << "the close box is Cancel";
    // With no main window to own it, it cannot be shown: -1, no table.
    MainWindow windowless;
    EXPECT_EQ(RunClearBest5Dialog(windowless), -1);
}

TEST_F(Dialogs, ClearBest5FromTheMenuResetsTheChosenTablesAndGivesTheFocusBack) {
    for (auto& table : State().records)
        table[0].score = 100;
    Press(vk::tab);
    ASSERT_TRUE(RunFor(0));
    onShown = [this](WindowHandle) { Press(vk::escape); };
    PostMessage(main_, wm::command, command::clearBest5, 0);
    ASSERT_TRUE(RunFor(0));
    EXPECT_EQ(ResetTables(), "000");
    EXPECT_EQ(GetFocus(), GetDialogItem(StartPanel(), item::practice)) << "where it was";

    // Clear "Normal" in the title: a fresh panel shows the new table.
    onShown = [this](WindowHandle) {
        for (int key : {vk::tab, vk::tab, vk::down, vk::down, vk::enter})
            Press(key);
    };
    PostMessage(main_, wm::command, command::clearBest5, 0);
    ASSERT_TRUE(RunFor(0));
    EXPECT_EQ(ResetTables(), "010");
    EXPECT_EQ(GetFocus(), GetDialogItem(StartPanel(), item::newGame));
}

TEST_F(Dialogs, AGameRunsOnUnderAboutAndClearBest5) {
    PostMessage(main_, wm::command, command::newGame, 0);
    ASSERT_TRUE(RunFor(tickMs));
    ASSERT_EQ(State().mode, GameMode::Playing);
    ASSERT_EQ(GetFocus(), main_);
    for (const int dialogCommand : {command::about, command::clearBest5}) {
        const std::int32_t x = State().playerX, facing = State().facing;
        const std::uint32_t before = backend_.Now();
        Press(vk::escape, 8 * tickMs); // Escape leaves both
        PostMessage(main_, wm::command, static_cast<WParam>(dialogCommand), 0);
        ASSERT_TRUE(RunFor(0));
        EXPECT_GE(backend_.Now() - before, 8 * tickMs);
        EXPECT_EQ(State().mode, GameMode::Playing) << "Escape closed the dialog, not the game";
        EXPECT_TRUE(State().playerX != x || State().facing != facing)
            << "the character walked on under dialog " << dialogCommand;
        EXPECT_EQ(GetFocus(), main_);
    }
}

TEST_F(Dialogs, AboutShowsItsPictureAndClosesEveryWay) {
    WindowHandle newGame = GetDialogItem(StartPanel(), item::newGame);
    ASSERT_EQ(GetFocus(), newGame);
    const std::function<void(WindowHandle)> ways[] = {
        [this](WindowHandle) { Press(vk::enter); },
        [this](WindowHandle) { Press(vk::escape); },
        [](WindowHandle dialog) { PostMessage(dialog, wm::close, 0, 0); },
        [this](WindowHandle dialog) { Click(GetDialogItem(dialog, idOk), 5, 5); },
    };
    for (const auto& way : ways) {
        shown.clear();
        aboutPictureDrawn = false;
        onShown = way;
        RunAboutDialog(record_);
        EXPECT_EQ(shown, std::vector<std::string>{"About VARNISK"});
        EXPECT_TRUE(aboutPictureDrawn) << "the dialog paints it itself";
        EXPECT_EQ(GetFocus(), newGame) << "the focus comes back to the panel's button";
    }
}
