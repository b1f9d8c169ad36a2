#include "tests/platform/user/window_test_fixture.h"

namespace {

TEST_F(WindowTest, DestroyingAChildTellsItsParentAndTakesFocusAndCaptureAlong) {
    WindowHandle main = CreateMain();
    WindowHandle panel = CreateChild(main, 1, {100, 100, 200, 100});
    WindowHandle button = CreateChild(panel, 2, {10, 10, 40, 20});
    SetFocus(button);
    SetCapture(button);
    log.clear();
    EXPECT_TRUE(DestroyWindow(panel));
    ASSERT_EQ(Only(wm::parentNotify).size(), 1u);
    EXPECT_EQ(Only(wm::parentNotify)[0].wParam & 0xFFFF, wm::destroy);
    ASSERT_EQ(Only(wm::ncDestroy).size(), 2u);
    EXPECT_EQ(Only(wm::ncDestroy)[1].window, panel); // the parent last, after its children
    EXPECT_FALSE(IsWindow(panel) || IsWindow(button) || GetFocus() || GetCapture());
    // The desktop's close takes the main window and its children, telling no one.
    CreateChild(main, 3, {0, 0, 10, 10});
    log.clear();
    Push(Kind::Close, 0);
    Message message{};
    EXPECT_FALSE(PeekMessage(message) || IsWindow(main));
    EXPECT_EQ(Only(wm::destroy).size(), 2u);
    EXPECT_TRUE(Only(wm::parentNotify).empty());
    // A window that refuses NCCREATE is not made, nor is the screen opened.
    hook = [](WindowHandle, std::uint32_t kind, WParam, LParam) {
        return kind == wm::ncCreate ? std::optional<LResult>(0) : std::nullopt;
    };
    EXPECT_EQ(CreateMain(), nullptr);
    EXPECT_EQ(GetDesktopRect().width, 0);
}

TEST_F(WindowTest, PostedAndInputComeBeforePaintPaintBeforeTimersAndALateTimerFiresOnce) {
    WindowHandle main = CreateMain(); // shown, so it needs painting
    SetTimer(main, 1, 40);
    backend.Advance(240); // due at 40: five periods late
    PostMessage(main, wm::user, 0, 0);
    Key(Kind::KeyDown, vk::space, 240);
    PostMessage(main, wm::user + 1, 0, 0);
    PostQuitMessage(3);
    std::vector<std::uint32_t> order;
    Message message{};
    while (GetMessage(message))
        order.push_back(message.message);
    EXPECT_EQ(message.wParam, 3u);
    // Quit ends the loop once the posted messages and input are through.
    EXPECT_EQ(order, (std::vector<std::uint32_t>{wm::user, wm::user + 1, wm::keyDown}));
    ASSERT_TRUE(GetMessage(message));
    EXPECT_EQ(message.message, wm::paint);
    DispatchMessage(message);
    ASSERT_TRUE(GetMessage(message));
    EXPECT_EQ(message.message, wm::timer);
    EXPECT_EQ(message.time, 240u);
    EXPECT_FALSE(PeekMessage(message)); // no burst
    Key(Kind::KeyDown, vk::space, 279); // the loop sleeps to this key, then to the next tick
    ASSERT_TRUE(GetMessage(message) && GetMessage(message));
    EXPECT_EQ(message.time, 280u);
}

TEST_F(WindowTest, PresentsOnlyWhatWasDrawnWithChildrenOverTheirParentAndClippedToIt) {
    WindowHandle main = CreateMain(false);
    WindowHandle child = CreateChild(main, 1, {600, 400, 100, 100}); // hangs over the edge
    bool draw = false;
    hook = [&](WindowHandle window, std::uint32_t message, WParam, LParam) {
        if (message == wm::timer && draw && window == main)
            FillRectIndex(GetWindowContext(child), 0, 0, 100, 100, 5);
        return std::optional<LResult>();
    };
    FillRectIndex(GetWindowContext(main), 0, 0, 634, 455, 3);
    SetTimer(main, 1, 40);
    RunUntil(200);
    EXPECT_EQ(backend.PresentCount(), 1); // the window first shown, then nothing changed
    draw = true;
    RunUntil(400); // five ticks that draw
    EXPECT_EQ(backend.PresentCount(), 6);
    ASSERT_EQ(backend.LastImageHeight(), 455); // no menu bar: the client area takes its rows
    const auto at = [this](int x, int y) { return backend.LastImage()[y * 634 + x]; };
    EXPECT_EQ((std::vector{at(599, 399), at(600, 400), at(633, 454), at(599, 454)}),
              (std::vector<std::uint8_t>{3, 5, 5, 3}));
    std::vector<std::uint8_t> client(std::size_t{634} * 455);
    ComposeClientArea(main, client);
    EXPECT_EQ(client, backend.LastImage());
}

TEST_F(WindowTest, KeysGoToTheFocusAcceleratorsTakeTheirKeysAndCaptureTakesTheMouse) {
    WindowHandle main = CreateMain();
    WindowHandle left = CreateChild(main, 1, {0, 0, 100, 100});
    WindowHandle right = CreateChild(main, 2, {200, 0, 100, 100});
    accelerators = {{vk::f1, 40021}};
    Key(Kind::KeyDown, vk::space, 10); // to the main window, focused when it was activated
    Key(Kind::KeyUp, vk::space, 20);
    Push(Kind::Text, 30, "a\xC3\xA9"); // "a", then e with an acute accent
    Key(Kind::KeyDown, vk::f1, 40);
    for (const int modifier : {vk::shift, vk::control}) { // only plain F1 is the accelerator
        Key(Kind::KeyDown, modifier, 50);
        Key(Kind::KeyDown, vk::f1, 50);
        Key(Kind::KeyUp, modifier, 50);
    }
    hook = [left](WindowHandle, std::uint32_t message, WParam, LParam) {
        if (message == wm::keyUp)
            SetFocus(left);
        return std::optional<LResult>();
    };
    RunUntil(100);
    ASSERT_EQ(Only(wm::keyDown).size(), 5u);
    EXPECT_EQ(Only(wm::keyDown)[0].window, main);
    const auto characters = Only(wm::character);
    ASSERT_EQ(characters.size(), 2u);
    EXPECT_EQ(characters[0].window, left);
    EXPECT_EQ(characters[1].wParam, WParam{0xE9});
    // The focus leaving names where it goes, and arriving where it came from.
    EXPECT_EQ(Only(wm::killFocus).at(0).wParam, reinterpret_cast<WParam>(left));
    EXPECT_EQ(Only(wm::setFocus).at(1).wParam, reinterpret_cast<WParam>(main));
    ASSERT_EQ(Only(wm::command).size(), 1u);
    EXPECT_EQ(Only(wm::command).at(0).wParam & 0xFFFF, 40021u);
    // Captured, the mouse goes to its window wherever it is.
    SetCapture(left);
    Mouse(Kind::MouseMove, 250, 19 + 50, 110); // over the right child
    RunUntil(120);
    ReleaseCapture();
    Click(250, 19 + 50, 130);
    Mouse(Kind::MouseDown, 250, 19 + 50, 140); // a quick second click: no double click
    RunUntil(150);
    ASSERT_EQ(Only(wm::mouseMove).size(), 1u);
    EXPECT_EQ(Only(wm::mouseMove)[0].window, left);
    EXPECT_EQ(Only(wm::mouseMove)[0].lParam, MakePointParam(250, 50)); // in its coordinates
    const auto presses = Only(wm::lButtonDown);
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].window, right);
    EXPECT_EQ(presses[0].lParam, MakePointParam(50, 50));
    EXPECT_EQ(presses[1].window, right);
    // Back in front, the main window may realize its palette before it is active.
    const std::size_t queries = Only(wm::queryNewPalette).size();
    Push(Kind::FocusLost, 160);
    RunUntil(165);
    EXPECT_EQ(Only(wm::queryNewPalette).size(), queries);
    Push(Kind::FocusGained, 170);
    RunUntil(180);
    EXPECT_EQ(Only(wm::queryNewPalette).size(), queries + 1);
}

} // namespace
