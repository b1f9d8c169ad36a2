#include "platform/user/dialog.h"
#include "tests/platform/user/window_test_fixture.h"

#include <algorithm>

namespace {

constexpr std::uint32_t warning = mb::ok | mb::iconExclamation;

class MessageBoxTest : public WindowTest {
  protected:
    // Boxes run on the scripted input; seen holds what each looked like.
    void SetUp() override {
        WindowTest::SetUp();
        backend.SetMessageBoxHandler([this](const HeadlessBackend::MessageBoxShown&) {
            WindowHandle box = GetParent(GetFocus()); // the focused first button's
            seen.push_back({GetWindowRect(box), GetWindowRect(GetFocus()),
                            GetWindowRect(GetNextSibling(GetFocus()))});
            return 0;
        });
    }
    struct Seen {
        Rect box, first, second;
    };
    std::vector<Seen> seen;
    std::vector<bool> enabledAtTick;
};

TEST_F(MessageBoxTest, StandsAloneBeforeTheMainWindowWithTheSignTheTextAndCentredButtons) {
    for (std::uint32_t at = 10; at <= 40; at += 10)
        Tap(vk::enter, at);
    std::string words;
    for (int i = 0; i < 40; ++i)
        words += "word ";
    EXPECT_EQ(MessageBox(nullptr, "One.", "Caption", mb::ok), idOk);
    EXPECT_EQ(MessageBox(nullptr, "One.\n\nThree.", "Caption", mb::ok), idOk);
    EXPECT_EQ(MessageBox(nullptr, "One.", "Caption", warning), idOk);
    EXPECT_EQ(MessageBox(nullptr, words, "Caption", warning | mb::retryCancel), idRetry);
    EXPECT_FALSE(backend.LoneWindowOpen());
    ASSERT_EQ(seen.size(), 4u);
    // Line breaks are kept, blank lines too; the sign is taller than a line.
    EXPECT_EQ(seen[1].box.height - seen[0].box.height, 2 * 12);
    EXPECT_GE(seen[2].box.height - seen[0].box.height, 32 - 12);
    // A long text wraps to a width that stays well inside the game's
    // 640-pixel screen, whatever the system's letters measure.
    EXPECT_LT(seen[3].box.width, 640 * 2 / 3);
    EXPECT_GT(seen[3].box.width, 300);
    EXPECT_GE(seen[3].box.height, seen[1].box.height + 12);
    for (const Seen& box : seen) {
        const Rect& last = box.second.width != 0 ? box.second : box.first;
        EXPECT_NEAR(box.first.x - box.box.x, box.box.x + box.box.width - last.x - last.width, 2)
            << "the buttons centred";
    }
    // On its own window at the screen's origin, drawn whole: the caption
    // bar, the yellow of the sign and its black mark in the middle of it.
    EXPECT_EQ(seen[3].box.x, 0);
    EXPECT_EQ(backend.LoneWidth(), seen[3].box.width);
    const auto& image = backend.LastLoneImage();
    ASSERT_EQ(image.size(), std::size_t(seen[3].box.width) * seen[3].box.height);
    const auto at = [&](int x, int y) { return image[std::size_t(y) * seen[3].box.width + x]; };
    EXPECT_EQ(at(seen[3].box.width - 30, 8), 4);
    const int iconLeft = frameBorderWidth + 12, iconTop = frameBorderWidth + captionHeight + 11;
    EXPECT_GT(std::count(image.begin(), image.end(), 251), 250);
    EXPECT_EQ(at(iconLeft + 16, iconTop + 12), 0);
    EXPECT_EQ(at(iconLeft + 12, iconTop + 20), 251);
}

TEST_F(MessageBoxTest, EnterIsTheFirstButtonEscapeAndTheCloseBoxCancelOrOkAlone) {
    CreateMain();
    Tap(vk::escape, 10);
    Tap(vk::escape, 20);
    Tap(vk::tab, 30);
    Tap(vk::enter, 32);
    EXPECT_EQ(MessageBox(mainWindow, "?", "", mb::retryCancel), idCancel);
    EXPECT_EQ(MessageBox(mainWindow, "!", "", mb::ok), idOk);
    EXPECT_EQ(MessageBox(mainWindow, "?", "", mb::retryCancel), idCancel) << "Tab to Cancel";
    const Rect box = seen[0].box;
    Click(box.x + box.width - frameBorderWidth - 8, box.y + frameBorderWidth + 8, 40);
    EXPECT_EQ(MessageBox(mainWindow, "?", "", mb::retryCancel), idCancel);
    // Over the shown main window it is centred on the screen, in it.
    EXPECT_NEAR(box.x * 2 + box.width, 634, 1);
    EXPECT_FALSE(backend.LoneWindowOpen());
}

TEST_F(MessageBoxTest, TheOwnerWaitsTimersRunFocusComesBackAndTheDesktopsCloseGoesOn) {
    CreateMain();
    WindowHandle child = CreateChild(mainWindow, 5, {0, 0, 10, 10});
    SetFocus(child);
    SetTimer(mainWindow, 7, 40);
    log.clear();
    hook = [this](WindowHandle, std::uint32_t message, WParam, LParam) -> std::optional<LResult> {
        if (message == wm::timer)
            enabledAtTick.push_back(IsWindowEnabled(mainWindow));
        return message == wm::close ? std::optional<LResult>(0) : std::nullopt;
    };
    Tap(vk::letterA, 100); // to the box, not the owner
    Push(Kind::Close, 300);
    EXPECT_EQ(MessageBox(mainWindow, "Bye?", "", mb::retryCancel), idCancel);
    EXPECT_EQ(GetTickCount(), 300u);
    EXPECT_GE(enabledAtTick.size(), 7u);
    EXPECT_TRUE(std::ranges::none_of(enabledAtTick, [](bool enabled) { return enabled; }));
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_EQ(GetFocus(), child);
    EXPECT_TRUE(Only(wm::keyDown).empty());
    EXPECT_TRUE(Only(wm::close).empty()) << "not while the box is up";
    RunUntil(310);
    EXPECT_EQ(Only(wm::close).size(), 1u) << "the close reaches the main window after it";
}

} // namespace
