#include "tests/platform/user/dialog_test_fixture.h"

namespace {

constexpr int field = 1002;

TEST_F(DialogTest, EditTypesOverTheSelectionErasesWholeCharactersAndScrollsToTheCaret) {
    WindowHandle dialog = Open(
        test_dialogs::entry, [](WindowHandle opened) { SetDialogItemText(opened, field, "Ann"); });
    WindowHandle edit = GetDialogItem(dialog, field);
    EXPECT_EQ(GetFocus(), edit) << "the first tab stop";
    Push(Kind::Text, 10, "aé€😀b"); // over the selected text: one to four bytes a character
    Tap(vk::left, 20);
    Tap(vk::back, 30); // the four-byte face
    RunDialog(dialog, 35);
    EXPECT_EQ(GetDialogItemText(dialog, field), "aé€b");
    Tap(vk::home, 40);
    Tap(vk::right, 50);
    Tap(vk::del, 60); // é
    Push(Kind::Text, 70, "€");
    Tap(vk::back, 90); // the € just typed, whole
    Tap(vk::end, 100);
    Push(Kind::Text, 110, "!");
    RunDialog(dialog, 120);
    EXPECT_EQ(GetDialogItemText(dialog, field), "a€b!");
    Tap(vk::tab, 130); // away and back: the whole text is selected again
    Tap(vk::tab, 140);
    Push(Kind::Text, 150, std::string(40, 'W'));
    RunDialog(dialog, 160);
    EXPECT_EQ(GetDialogItemText(dialog, field), std::string(40, 'W'));
    // The caret: the one column of the inside black for a whole line, as no
    // letter fills its cell from top to bottom.
    const auto caretColumns = [edit] {
        const Rect rect = GetWindowRect(edit);
        const std::vector<std::uint8_t> screen = Screen();
        std::vector<std::int32_t> columns;
        for (std::int32_t x = rect.x + 2; x < rect.x + rect.width - 2; ++x) {
            int black = 0;
            for (std::int32_t y = rect.y + (rect.height - 13) / 2, n = 0; n < 13; ++y, ++n)
                black += screen[y * 634 + x] == blackIndex;
            if (black == 13)
                columns.push_back(x - rect.x);
        }
        return columns;
    };
    const std::int32_t width = GetWindowRect(edit).width;
    const std::vector<std::int32_t> caret = caretColumns();
    ASSERT_EQ(caret.size(), 1u);
    EXPECT_GE(caret[0], width - 8) << "the end of a long text is in view";
    EXPECT_LT(caret[0], width - 2);
    Tap(vk::home, 170);
    Tap(vk::enter, 172); // in the field: the default button
    RunDialog(dialog, 180);
    EXPECT_EQ(caretColumns(), std::vector<std::int32_t>{3});
    EXPECT_EQ(commands, Commands{Clicked(idOk)});
}

TEST_F(DialogTest, RadioButtonsCheckOneOfTheirGroupAndTabToTheCheckedOne) {
    WindowHandle dialog = Open(test_dialogs::choice, [](WindowHandle opened) {
        CheckRadioButton(opened, 1005, 1008, 1005);
    });
    // Which radio button is checked, and which control has the focus.
    const auto state = [dialog] {
        int checked = 0;
        for (int id = 1005; id <= 1008; ++id)
            checked = IsDialogButtonChecked(dialog, id) ? checked * 10000 + id : checked;
        return std::pair(checked, GetWindowId(GetFocus()));
    };
    EXPECT_EQ(state(), std::pair(1005, idOk));
    Tap(vk::tab, 10);
    Tap(vk::tab, 12);
    Tap(vk::down, 14);
    RunDialog(dialog, 16);
    EXPECT_EQ(state(), std::pair(1006, 1006));
    Tap(vk::down, 20); // past the disabled South
    RunDialog(dialog, 25);
    EXPECT_EQ(state(), std::pair(1008, 1008));
    for (std::uint32_t at : {30, 32, 34}) // East, North, and round the group to West
        Tap(vk::up, at);
    RunDialog(dialog, 36);
    EXPECT_EQ(state(), std::pair(1008, 1008));
    // Tab leaves the group and comes back to the checked one, whichever.
    Tap(vk::tab, 40);
    RunDialog(dialog, 45);
    EXPECT_EQ(state(), std::pair(1008, idOk));
    Tap(vk::tab, 50, true);
    RunDialog(dialog, 55);
    EXPECT_EQ(state(), std::pair(1008, 1008));
    const auto [x, y] = CentreOf(GetDialogItem(dialog, 1006));
    Click(x, y, 60);
    Tap(vk::space, 70); // space on the focused one keeps it checked
    RunDialog(dialog, 80);
    EXPECT_EQ(state(), std::pair(1006, 1006));
    EXPECT_EQ(commands, (Commands{Clicked(1006), Clicked(1008), Clicked(1006), Clicked(1005),
                                  Clicked(1008), Clicked(1006), Clicked(1006)}));
}

} // namespace
