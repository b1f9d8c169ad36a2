#include "tests/platform/user/window_test_fixture.h"

namespace {

TEST_F(WindowTest, ALateTimerGivesOneMessageAndThenAWholePeriod) {
    WindowHandle main = CreateMain();
    ASSERT_EQ(SetTimer(main, 1, 40), 1u);
    Message message{};
    while (PeekMessage(message))
        DispatchMessage(message); // the first paint
    backend.Advance(240);         // due at 40: five periods late

    ASSERT_TRUE(PeekMessage(message));
    EXPECT_EQ(message.message, wm::timer);
    EXPECT_EQ(message.time, 240u);
    EXPECT_FALSE(PeekMessage(message)); // no burst
    ASSERT_TRUE(GetMessage(message));   // an idle loop sleeps until the next one
    EXPECT_EQ(message.message, wm::timer);
    EXPECT_EQ(message.time, 280u);
}

TEST_F(WindowTest, PostedAndInputComeBeforePaintAndPaintBeforeTimers) {
    WindowHandle main = CreateMain(); // shown, so it needs painting
    SetTimer(main, 1, 10);
    backend.Advance(50);
    PostMessage(main, wm::user, 0, 0);
    Push(Key(Kind::KeyDown, vk::space), 50);
    PostMessage(main, wm::user + 1, 0, 0);
    PostQuitMessage(3);

    std::vector<std::uint32_t> order;
    Message message{};
    while (GetMessage(message)) {
        order.push_back(message.message);
        DispatchMessage(message);
    }
    EXPECT_EQ(message.wParam, 3u);
    // Quit ends the loop once the posted messages and input are through.
    EXPECT_EQ(order, (std::vector<std::uint32_t>{wm::user, wm::user + 1, wm::keyDown}));
    order.clear();
    for (int i = 0; i < 2 && GetMessage(message); ++i) {
        order.push_back(message.message);
        DispatchMessage(message);
    }
    EXPECT_EQ(order, (std::vector<std::uint32_t>{wm::paint, wm::timer}));
}

TEST_F(WindowTest, PresentsOnlyWhenSomethingWasDrawn) {
    WindowHandle main = CreateMain();
    bool draw = false;
    SetMessageHook([&](WindowHandle window, std::uint32_t message, WParam, LParam) {
        if (message == wm::timer && draw)
            FillRectIndex(GetWindowContext(window), 0, 0, 10, 10, 9);
        return std::optional<LResult>();
    });
    SetTimer(main, 1, 40);
    RunUntil(200);
    EXPECT_EQ(backend.PresentCount(), 1); // the window first shown, then nothing changed
    draw = true;
    RunUntil(400); // five ticks that draw
    EXPECT_EQ(backend.PresentCount(), 6);
    ASSERT_EQ(backend.LastImageWidth(), 634);
    // The client area sits under the 19 rows of menu bar.
    EXPECT_EQ(backend.LastImage()[static_cast<std::size_t>(menuBarHeight) * 634], 9);
}

TEST_F(WindowTest, ChildrenAreComposedOverTheirParentAndClippedToIt) {
    WindowHandle main = CreateMain(false);
    WindowHandle child = CreateChild(main, 1, {600, 400, 100, 100}); // hangs over the edge
    ASSERT_EQ(GetClientRect(main).height, 455); // no menu bar: the client area takes its rows
    FillRectIndex(GetWindowContext(main), 0, 0, 634, 455, 3);
    FillRectIndex(GetWindowContext(child), 0, 0, 100, 100, 5);
    std::vector<std::uint8_t> client(634 * 455);
    ComposeClientArea(main, client);
    EXPECT_EQ(client[399 * 634 + 599], 3);
    EXPECT_EQ(client[400 * 634 + 600], 5);
    EXPECT_EQ(client[454 * 634 + 633], 5);
    EXPECT_EQ(client[454 * 634 + 599], 3);
}

} // namespace
