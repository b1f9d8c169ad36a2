#include "tests/platform/user/dialog_test_fixture.h"

namespace {

constexpr int nameField = 1002;

InputEvent Text(std::string text) {
    InputEvent event;
    event.kind = InputEvent::Kind::Text;
    event.text = std::move(text);
    return event;
}

class EditTest : public DialogTest {
  protected:
    // The name entry, its field preset as the game presets it.
    WindowHandle OpenNameEntry(std::string preset) {
        return Open(test_dialogs::nameEntry, [preset](WindowHandle dialog) {
            SetDialogItemText(dialog, nameField, preset);
        });
    }
    // The columns of the field's inside that are black for a whole line:
    // the caret, as no letter fills its cell from top to bottom.
    static std::vector<std::int32_t> CaretColumns(WindowHandle field) {
        const Rect rect = GetWindowRect(field);
        const ScreenShot screen;
        const std::int32_t lineTop = rect.y + (rect.height - 13) / 2;
        std::vector<std::int32_t> columns;
        for (std::int32_t x = rect.x + 2; x < rect.x + rect.width - 2; ++x) {
            bool solid = true;
            for (std::int32_t y = lineTop; y < lineTop + 13; ++y)
                solid = solid && screen.At(x, y) == blackIndex;
            if (solid)
                columns.push_back(x - rect.x);
        }
        return columns;
    }
};

TEST_F(EditTest, TypesOverTheSelectionErasesWholeCharactersAndScrollsToTheCaret) {
    WindowHandle dialog = OpenNameEntry("Ann");
    WindowHandle field = GetDialogItem(dialog, nameField);
    EXPECT_EQ(GetFocus(), field) << "the first tab stop";
    Push(Text("aé€😀b"), 10); // over the selected preset: one to four bytes a character
    Tap(vk::left, 20);
    Tap(vk::back, 30); // the four-byte face
    RunPanelLoop(dialog, 35);
    EXPECT_EQ(GetDialogItemText(dialog, nameField), "aé€b");
    Tap(vk::home, 40);
    Tap(vk::right, 50);
    Tap(vk::del, 60); // é
    Push(Text("€"), 70);
    Tap(vk::back, 90); // the € just typed, whole
    Tap(vk::end, 100);
    Push(Text("!"), 110);
    RunPanelLoop(dialog, 120);
    EXPECT_EQ(GetDialogItemText(dialog, nameField), "a€b!");
    // Tab away and back selects the whole text again.
    Tap(vk::tab, 130);
    Tap(vk::tab, 140);
    Push(Text(std::string(40, 'W')), 150);
    RunPanelLoop(dialog, 160);
    EXPECT_EQ(GetDialogItemText(dialog, nameField), std::string(40, 'W'));
    const std::int32_t width = GetWindowRect(field).width;
    const std::vector<std::int32_t> caret = CaretColumns(field);
    ASSERT_EQ(caret.size(), 1u);
    EXPECT_GE(caret[0], width - 8) << "the end of a long name is in view";
    EXPECT_LT(caret[0], width - 2);
    Tap(vk::home, 170);
    Tap(vk::enter, 170); // in the field: the default button
    RunPanelLoop(dialog, 180);
    EXPECT_EQ(CaretColumns(field), std::vector<std::int32_t>{3});
    EXPECT_EQ(dialogCommands, (std::vector<DialogCommand>{{idOk, bn::clicked}}));
}

TEST_F(DialogTest, RadioButtonsCheckOneOfTheirGroupAndTabToTheCheckedOne) {
    WindowHandle dialog = Open(test_dialogs::clearBest5, [](WindowHandle opened) {
        CheckRadioButton(opened, 1005, 1008, 1005);
    });
    const auto checked = [dialog] {
        std::vector<int> ids;
        for (int id = 1005; id <= 1008; ++id)
            if (IsDialogButtonChecked(dialog, id))
                ids.push_back(id);
        return ids;
    };
    EXPECT_EQ(GetFocus(), GetDialogItem(dialog, idOk));
    EXPECT_EQ(checked(), std::vector<int>{1005});
    for (int key : {vk::tab, vk::tab, vk::down})
        Tap(key, 10);
    RunPanelLoop(dialog, 15);
    EXPECT_EQ(GetFocus(), GetDialogItem(dialog, 1006));
    EXPECT_EQ(checked(), std::vector<int>{1006});
    Tap(vk::up, 20);
    Tap(vk::up, 20); // wraps within the group
    RunPanelLoop(dialog, 25);
    EXPECT_EQ(checked(), std::vector<int>{1008});
    // Tab leaves the group and comes back to the checked one, whichever.
    Tap(vk::tab, 30);
    RunPanelLoop(dialog, 35);
    EXPECT_EQ(GetFocus(), GetDialogItem(dialog, idOk));
    Tap(vk::tab, 40, true);
    RunPanelLoop(dialog, 45);
    EXPECT_EQ(GetFocus(), GetDialogItem(dialog, 1008));
    const auto [x, y] = CentreOf(GetDialogItem(dialog, 1007));
    Click(x, y, 50);
    Tap(vk::space, 60); // space on the focused one keeps it checked
    RunPanelLoop(dialog, 70);
    EXPECT_EQ(checked(), std::vector<int>{1007});
    const auto click = [](int id) { return DialogCommand{id, bn::clicked}; };
    EXPECT_EQ(dialogCommands,
              (std::vector{click(1006), click(1005), click(1008), click(1007), click(1007)}));
}

} // namespace
