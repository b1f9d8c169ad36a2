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
        dialogHook = [preset](WindowHandle dialog, std::uint32_t message, WParam,
                              LParam) -> LResult {
            if (message != wm::initDialog) {
                return 0;
            }
            SetDialogItemText(dialog, nameField, preset);
            ShowWindow(dialog, true);
            return 1;
        };
        return CreateDialogOf(test_dialogs::nameEntry, mainWindow, TestDialogProc, 0);
    }
    // The columns of the field's inside that are black for a whole line:
    // the caret, as no letter fills its cell from top to bottom.
    std::vector<std::int32_t> CaretColumns(WindowHandle field) {
        const Rect rect = GetWindowRect(field);
        std::vector<std::uint8_t> screen(640 * 480);
        std::int32_t width = 0;
        std::int32_t height = 0;
        ComposeScreen(screen, width, height);
        const std::int32_t lineTop = rect.y + (rect.height - 13) / 2;
        std::vector<std::int32_t> columns;
        for (std::int32_t x = rect.x + 2; x < rect.x + rect.width - 2; ++x) {
            bool solid = true;
            for (std::int32_t y = lineTop; y < lineTop + 13; ++y) {
                solid = solid && screen[static_cast<std::size_t>(y * width + x)] == blackIndex;
            }
            if (solid) {
                columns.push_back(x - rect.x);
            }
        }
        return columns;
    }
};

TEST_F(EditTest, PresetIsSelectedAndTypingReplacesIt) {
    WindowHandle dialog = OpenNameEntry("Ann");
    EXPECT_EQ(GetFocus(), GetDialogItem(dialog, nameField)) << "the first tab stop";
    Push(Text("Bö"), 10);
    RunPanelLoop(dialog, 20);
    EXPECT_EQ(GetDialogItemText(dialog, nameField), "Bö");
    // Tab away and back selects the whole text again.
    Tap(vk::tab, 30);
    Tap(vk::tab, 40);
    Push(Text("Z"), 50);
    RunPanelLoop(dialog, 60);
    EXPECT_EQ(GetDialogItemText(dialog, nameField), "Z");
}

TEST_F(EditTest, KeysMoveAndEraseWholeCharacters) {
    // "aé€😀b": one, two, three and four bytes.
    WindowHandle dialog = OpenNameEntry("a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"
                                        "b");
    Tap(vk::end, 10);
    Tap(vk::left, 20);
    Tap(vk::back, 30); // the four-byte face
    RunPanelLoop(dialog, 35);
    EXPECT_EQ(GetDialogItemText(dialog, nameField), "a\xc3\xa9\xe2\x82\xac"
                                                    "b");
    Tap(vk::home, 40);
    Tap(vk::right, 50);
    Tap(vk::del, 60); // é
    Push(Text("\xe2\x82\xac"), 70);
    RunPanelLoop(dialog, 75);
    EXPECT_EQ(GetDialogItemText(dialog, nameField), "a\xe2\x82\xac\xe2\x82\xac"
                                                    "b");
    Tap(vk::back, 90); // the € just typed, whole
    Tap(vk::end, 100);
    Push(Text("!"), 110);
    RunPanelLoop(dialog, 120);
    EXPECT_EQ(GetDialogItemText(dialog, nameField), "a\xe2\x82\xac"
                                                    "b!");
}

TEST_F(EditTest, FieldScrollsToKeepTheCaretInView) {
    WindowHandle dialog = OpenNameEntry("");
    WindowHandle field = GetDialogItem(dialog, nameField);
    const std::int32_t width = GetWindowRect(field).width;
    ASSERT_EQ(CaretColumns(field), std::vector<std::int32_t>{3}) << "an empty field";
    Push(Text(std::string(40, 'W')), 10);
    RunPanelLoop(dialog, 20);
    std::vector<std::int32_t> caret = CaretColumns(field);
    ASSERT_EQ(caret.size(), 1u);
    EXPECT_GE(caret[0], width - 8) << "the end of a long name is in view";
    EXPECT_LT(caret[0], width - 2);
    Tap(vk::home, 30);
    RunPanelLoop(dialog, 40);
    EXPECT_EQ(CaretColumns(field), std::vector<std::int32_t>{3});
    EXPECT_EQ(GetDialogItemText(dialog, nameField), std::string(40, 'W'));
}

TEST_F(DialogTest, RadioButtonsCheckOneOfTheirGroupAndTabToTheCheckedOne) {
    dialogHook = [](WindowHandle dialog, std::uint32_t message, WParam, LParam) -> LResult {
        if (message != wm::initDialog) {
            return 0;
        }
        CheckRadioButton(dialog, 1005, 1008, 1005);
        ShowWindow(dialog, true);
        return 1;
    };
    WindowHandle dialog = CreateDialogOf(test_dialogs::clearBest5, mainWindow, TestDialogProc, 0);
    const auto checked = [dialog] {
        std::vector<int> ids;
        for (int id = 1005; id <= 1008; ++id) {
            if (IsDialogButtonChecked(dialog, id)) {
                ids.push_back(id);
            }
        }
        return ids;
    };
    EXPECT_EQ(GetFocus(), GetDialogItem(dialog, idOk));
    EXPECT_EQ(checked(), std::vector<int>{1005});
    Tap(vk::tab, 10);
    Tap(vk::tab, 20);
    Tap(vk::down, 30);
    RunPanelLoop(dialog, 35);
    EXPECT_EQ(GetFocus(), GetDialogItem(dialog, 1006));
    EXPECT_EQ(checked(), std::vector<int>{1006});
    Tap(vk::up, 40);
    Tap(vk::up, 50); // wraps within the group
    RunPanelLoop(dialog, 55);
    EXPECT_EQ(checked(), std::vector<int>{1008});
    // Tab leaves the group and comes back to the checked one, whichever.
    Tap(vk::tab, 60);
    RunPanelLoop(dialog, 65);
    EXPECT_EQ(GetFocus(), GetDialogItem(dialog, idOk));
    Push(Key(Kind::KeyDown, vk::shift), 70);
    Tap(vk::tab, 70);
    Push(Key(Kind::KeyUp, vk::shift), 70);
    RunPanelLoop(dialog, 75);
    EXPECT_EQ(GetFocus(), GetDialogItem(dialog, 1008));
    std::int32_t x = 0;
    std::int32_t y = 0;
    CentreOf(GetDialogItem(dialog, 1007), x, y);
    Click(x, y, 80);
    Tap(vk::space, 90); // space on the focused one keeps it checked
    RunPanelLoop(dialog, 100);
    EXPECT_EQ(checked(), std::vector<int>{1007});
    std::vector<int> clicked;
    for (const DialogCommand& command : Commands()) {
        EXPECT_EQ(command.code, bn::clicked);
        clicked.push_back(command.id);
    }
    EXPECT_EQ(clicked, (std::vector<int>{1006, 1005, 1008, 1007, 1007}));
}

} // namespace
