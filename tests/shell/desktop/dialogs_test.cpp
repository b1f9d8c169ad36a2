// The modal dialogs in the running game: the name entry's answer for every
// way of leaving it, where each opens, the focus afterwards, and the game's
// tick going on under About and Clear Best5. (The runner's tests see the
// About picture on screen and each Clear Best5 choice reach the tables.)

#include "core/commands.h"
#include "core/name.h"
#include "shell/dialogs/dialog_templates.h"
#include "shell/dialogs/dialogs.h"
#include "tests/shell/desktop/game_window_fixture.h"

#include <functional>
#include <vector>

namespace {

void CloseBox(WindowHandle dialog) {
    PostMessage(dialog, wm::close, 0, 0);
}

class Dialogs : public GameWindow {
  protected:
    // Every dialog opens in the middle of the desktop; once it is shown the
    // test's answer is given.
    Dialogs() {
        record_.dialogWatcher = [this](WindowHandle dialog, DialogMoment moment) {
            if (moment != DialogMoment::Shown)
                return;
            const Rect desktop = GetDesktopRect(), outer = GetWindowRect(dialog);
            EXPECT_EQ(outer.x, (desktop.width - outer.width) / 2);
            EXPECT_EQ(outer.y, (desktop.height - outer.height) / 2);
            shown_.emplace_back(GetWindowTitle(dialog));
            if (onShown_)
                onShown_(dialog);
        };
    }
    std::vector<std::string> shown_; // the titles of the dialogs shown
    std::function<void(WindowHandle)> onShown_;
};

} // namespace

TEST_F(Dialogs, NameEntryIsPresetLeftOnlyByOkAndCutOnACharacterBoundary) {
    SetName(State().lastInputName, "Alice");
    onShown_ = CloseBox;
    Press(vk::escape, 40);
    Press(vk::enter, 120);
    const std::uint32_t before = backend_.Now();
    RunNameEntryDialog(record_);
    EXPECT_GE(backend_.Now() - before, 120u) << "still open after the close message and Escape";
    EXPECT_EQ(NameText(State().lastInputName), "Alice") << "Enter keeps the preset";
    EXPECT_EQ(shown_, std::vector<std::string>{"VARNISK"});

    // The preset is selected when the dialog opens: typing replaces it.
    onShown_ = nullptr;
    std::string accents;
    for (int i = 0; i < 150; ++i)
        accents += "\xC3\xA9"; // 300 bytes
    Push(InputEvent::Kind::Text, 0, 0, 0, 0, accents);
    Press(vk::enter);
    RunNameEntryDialog(record_);
    EXPECT_EQ(NameText(State().lastInputName), accents.substr(0, 254)) << "127 whole characters";
    Press(vk::back);
    Press(vk::enter);
    RunNameEntryDialog(record_);
    EXPECT_EQ(NameText(State().lastInputName), "") << "an empty field gives an empty name";
}

TEST_F(Dialogs, AGameRunsOnUnderAboutAndClearBest5) {
    ASSERT_TRUE(Command(command::newGame));
    ASSERT_TRUE(RunFor(tickMs));
    ASSERT_EQ(State().mode, GameMode::Playing);
    ASSERT_EQ(GetFocus(), main_);
    for (const int dialogCommand : {command::about, command::clearBest5}) {
        const std::int32_t x = State().playerX, facing = State().facing;
        const std::uint32_t before = backend_.Now();
        Press(vk::escape, 8 * tickMs); // Escape leaves both
        ASSERT_TRUE(Command(dialogCommand));
        EXPECT_GE(backend_.Now() - before, 8 * tickMs);
        EXPECT_EQ(State().mode, GameMode::Playing) << "Escape closed the dialog, not the game";
        EXPECT_TRUE(State().playerX != x || State().facing != facing)
            << "the character walked on under dialog " << dialogCommand;
        EXPECT_EQ(GetFocus(), main_);
    }
}
