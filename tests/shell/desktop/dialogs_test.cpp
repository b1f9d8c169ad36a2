// The three modal dialogs in the running game: what each gives back for
// every way of leaving it, where it opens, the focus afterwards, and the
// game's tick going on (or standing in GameOver) under it.

#include "assets/resources.h"
#include "core/commands.h"
#include "core/ports.h"
#include "core/record_table.h"
#include "platform/user/dialog.h"
#include "shell/dialog_templates.h"
#include "shell/dialogs/dialogs.h"
#include "shell/panel/start_panel.h"
#include "shell/shell_ports.h"
#include "tests/shell/desktop/game_window_fixture.h"

#include <functional>
#include <vector>

namespace {

// What the test saw of each dialog when it was shown, and at confirming.
struct Seen {
    std::string title;
    Rect outer{};
    bool ownerEnabled = true;
    std::string nameField;
    bool aboutPictureDrawn = false;
};
std::vector<Seen> seen;
std::function<void(WindowHandle)> onShown;

bool AboutPictureIn(WindowHandle dialog) {
    StoredBitmap picture{};
    const auto bytes = FindResource(ResourceKind::Bitmap, aboutPictureId);
    if (!bytes || !ParseStoredBitmap(*bytes, picture)) {
        return false;
    }
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

void Watch(WindowHandle dialog, DialogMoment moment) {
    if (moment == DialogMoment::Shown) {
        Seen s;
        s.title = std::string(GetWindowTitle(dialog));
        s.outer = GetWindowRect(dialog);
        s.ownerEnabled = IsWindowEnabled(GetParent(dialog));
        seen.push_back(s);
        if (onShown) {
            onShown(dialog);
        }
        return;
    }
    if (GetDialogItem(dialog, item::nameEdit) != nullptr) {
        seen.back().nameField = GetDialogItemText(dialog, item::nameEdit);
    }
    UpdateWindow(dialog);
    seen.back().aboutPictureDrawn = AboutPictureIn(dialog);
}

class Dialogs : public GameWindow {
  protected:
    void SetUp() override {
        GameWindow::SetUp();
        seen.clear();
        onShown = nullptr;
        SetDialogWatcher(Watch);
    }
    void TearDown() override {
        SetDialogWatcher(nullptr);
        onShown = nullptr;
        GameWindow::TearDown();
    }
    // Every table filled with scores of 100 and up, so a reset shows.
    void FillTables() {
        for (auto& table : State().records)
            for (int r = 0; r < 5; ++r)
                table[static_cast<std::size_t>(r)].score = 100 - r;
    }
    bool TableIsDefault(int table) {
        RecordTable fresh{};
        ResetRecordTable(fresh);
        const RecordTable& now = State().records[static_cast<std::size_t>(table)];
        for (std::size_t r = 0; r < 5; ++r)
            if (now[r].score != fresh[r].score || now[r].jumps != fresh[r].jumps)
                return false;
        return true;
    }
    void ExpectCentred(const Rect& outer) {
        const Rect desktop = GetDesktopRect();
        EXPECT_EQ(outer.x, (desktop.width - outer.width) / 2);
        EXPECT_EQ(outer.y, (desktop.height - outer.height) / 2);
    }
};

} // namespace

TEST_F(Dialogs, NameEntryIsPresetAndKeepsAtMost255BytesOnACharacterBoundary) {
    SetName(State().lastInputName, "Alice");
    Press(vk::enter);
    RunNameEntryDialog(State());
    EXPECT_EQ(NameText(State().lastInputName), "Alice") << "Enter keeps the preset";
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "VARNISK");
    EXPECT_EQ(seen[0].nameField, "Alice");
    EXPECT_FALSE(seen[0].ownerEnabled) << "the main window takes no input meanwhile";
    ExpectCentred(seen[0].outer);
    EXPECT_TRUE(IsWindowEnabled(main_));

    // The preset is selected when the dialog opens: typing replaces it.
    std::string accents;
    for (int i = 0; i < 150; ++i)
        accents += "\xC3\xA9"; // 300 bytes
    Type(accents);
    Press(vk::enter);
    RunNameEntryDialog(State());
    EXPECT_EQ(NameText(State().lastInputName).size(), 254u) << "127 whole characters";
    EXPECT_EQ(NameText(State().lastInputName), accents.substr(0, 254));

    Press(vk::back);
    Press(vk::enter);
    RunNameEntryDialog(State());
    EXPECT_EQ(NameText(State().lastInputName), "") << "an empty field gives an empty name";
}

TEST_F(Dialogs, NameEntryCannotBeLeftByEscapeOrTheCloseMessage) {
    SetName(State().lastInputName, "Alice");
    onShown = [](WindowHandle dialog) { PostMessage(dialog, wm::close, 0, 0); };
    Press(vk::escape, 40);
    Type("Bob", 80);
    Press(vk::enter, 120);
    const std::uint32_t before = backend_.Now();
    RunNameEntryDialog(State());
    EXPECT_EQ(NameText(State().lastInputName), "Bob") << "still open after Escape and close";
    EXPECT_GE(backend_.Now() - before, 120u);
}

TEST_F(Dialogs, TheGameStandsInGameOverUnderTheNameEntry) {
    PostMessage(main_, wm::command, command::newGame, 0);
    ASSERT_TRUE(RunFor(tickMs));
    State().mode = GameMode::GameOver; // as the end-of-game tick holds it
    const auto floors = State().floors;
    const std::int32_t x = State().playerX;
    Press(vk::enter, 10 * tickMs);
    const std::uint32_t before = backend_.Now();
    RunNameEntryDialog(State());
    EXPECT_GE(backend_.Now() - before, 10 * tickMs) << "ten ticks came meanwhile";
    EXPECT_EQ(State().mode, GameMode::GameOver);
    EXPECT_EQ(State().playerX, x);
    EXPECT_EQ(State().floors[0].y, floors[0].y);
    EXPECT_EQ(State().floors[0].phase, floors[0].phase);
}

TEST_F(Dialogs, ClearBest5GivesEveryChoice) {
    struct Case {
        const char* how;
        std::vector<int> keys;
        std::int32_t choice;
    };
    // From OK: Tab to Cancel, Tab to the checked radio button, Down onwards.
    const std::vector<Case> cases = {
        {"Enter: Clear All, as it opens", {vk::enter}, 1},
        {"Clear \"Easy\"", {vk::tab, vk::tab, vk::down, vk::enter}, 2},
        {"Clear \"Normal\"", {vk::tab, vk::tab, vk::down, vk::down, vk::enter}, 3},
        {"Clear \"Hard\"", {vk::tab, vk::tab, vk::down, vk::down, vk::down, vk::enter}, 4},
        {"round the group to Clear All",
         {vk::tab, vk::tab, vk::down, vk::down, vk::down, vk::down, vk::enter},
         1},
        {"Escape", {vk::escape}, 0},
        {"Tab to Cancel, Enter", {vk::tab, vk::enter}, 0},
        {"Tab to Cancel, space", {vk::tab, vk::space}, 0},
    };
    for (const Case& c : cases) {
        seen.clear();
        for (const int key : c.keys)
            Press(key);
        EXPECT_EQ(RunClearBest5Dialog(State()), c.choice) << c.how;
        ASSERT_EQ(seen.size(), 1u) << c.how;
        EXPECT_EQ(seen[0].title, "Clear Best5");
        ExpectCentred(seen[0].outer);
    }
    // The close box is Cancel.
    onShown = [](WindowHandle dialog) { PostMessage(dialog, wm::close, 0, 0); };
    EXPECT_EQ(RunClearBest5Dialog(State()), 0) << "close box";
    // With no main window to own it, it cannot be shown: -1, no table.
    GameState windowless = State();
    windowless.window = nullptr;
    EXPECT_EQ(RunClearBest5Dialog(windowless), -1);
}

TEST_F(Dialogs, ClearBest5FromTheMenuResetsTheChosenTablesAndGivesTheFocusBack) {
    FillTables();
    onShown = [this](WindowHandle) { Press(vk::escape); };
    PostMessage(main_, wm::command, command::clearBest5, 0);
    ASSERT_TRUE(RunFor(0));
    EXPECT_FALSE(TableIsDefault(0) || TableIsDefault(1) || TableIsDefault(2));
    EXPECT_EQ(GetFocus(), GetDialogItem(StartPanel(), item::newGame));

    // Clear "Normal" in the title: a fresh panel shows the new table.
    Press(vk::tab);
    ASSERT_TRUE(RunFor(0));
    onShown = [this](WindowHandle) {
        for (int key : {vk::tab, vk::tab, vk::down, vk::down, vk::enter})
            Press(key);
    };
    PostMessage(main_, wm::command, command::clearBest5, 0);
    ASSERT_TRUE(RunFor(0));
    EXPECT_FALSE(TableIsDefault(0));
    EXPECT_TRUE(TableIsDefault(1));
    EXPECT_FALSE(TableIsDefault(2));
    EXPECT_EQ(GetFocus(), GetDialogItem(StartPanel(), item::newGame));
}

TEST_F(Dialogs, AGameRunsOnUnderAboutAndClearBest5) {
    PostMessage(main_, wm::command, command::newGame, 0);
    ASSERT_TRUE(RunFor(tickMs));
    ASSERT_EQ(State().mode, GameMode::Playing);
    ASSERT_EQ(GetFocus(), main_);
    for (const int dialogCommand : {command::about, command::clearBest5}) {
        const std::int32_t x = State().playerX;
        const std::int32_t facing = State().facing;
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
    const std::vector<std::function<void(WindowHandle)>> ways = {
        [this](WindowHandle) { Press(vk::enter); },
        [this](WindowHandle) { Press(vk::escape); },
        [](WindowHandle dialog) { PostMessage(dialog, wm::close, 0, 0); },
        [this](WindowHandle dialog) {
            std::int32_t x = 0, y = 0;
            ClientToScreen(GetDialogItem(dialog, idOk), x, y);
            InputEvent event;
            event.x = x + 5;
            event.y = y + 5;
            event.kind = InputEvent::Kind::MouseDown;
            backend_.Push(event, backend_.Now());
            event.kind = InputEvent::Kind::MouseUp;
            backend_.Push(event, backend_.Now());
        },
    };
    for (std::size_t i = 0; i < ways.size(); ++i) {
        seen.clear();
        onShown = ways[i];
        RunAboutDialog(State());
        ASSERT_EQ(seen.size(), 1u) << "way " << i;
        EXPECT_EQ(seen[0].title, "About VARNISK");
        ExpectCentred(seen[0].outer);
        EXPECT_EQ(GetFocus(), newGame) << "the focus comes back to the panel's button";
    }
    // The picture is painted by the dialog itself, at (13, 12).
    seen.clear();
    onShown = [this](WindowHandle) { Press(vk::enter, tickMs); };
    RunAboutDialog(State());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].aboutPictureDrawn);
}
