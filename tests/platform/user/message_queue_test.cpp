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
    EXPECT_EQ(message.time, 280u);
}

TEST_F(WindowTest, PostedAndInputComeBeforePaintAndPaintBeforeTimers) {
    WindowHandle main = CreateMain(); // shown, so it needs painting
    SetTimer(main, 1, 10);
    backend.Advance(50);
    PostMessage(main, wm::user, 0, 0);
    Key(Kind::KeyDown, vk::space, 50);
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
    for (std::uint32_t next : {wm::paint, wm::timer}) {
        ASSERT_TRUE(GetMessage(message));
        EXPECT_EQ(message.message, next);
        DispatchMessage(message);
    }
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
    EXPECT_EQ(at(599, 399), 3);
    EXPECT_EQ(at(600, 400), 5);
    EXPECT_EQ(at(633, 454), 5);
    EXPECT_EQ(at(599, 454), 3);
    std::vector<std::uint8_t> client(634 * 455);
    ComposeClientArea(main, client);
    EXPECT_EQ(client, backend.LastImage());
}

} // namespace
