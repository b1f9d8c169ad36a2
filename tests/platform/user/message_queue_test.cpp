#include "tests/platform/user/window_test_fixture.h"

namespace {

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
    ASSERT_TRUE(GetMessage(message));   // an idle loop sleeps until the next one
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
    std::vector<std::uint8_t> client(634 * 455);
    ComposeClientArea(main, client);
    EXPECT_EQ(client, backend.LastImage());
}

} // namespace
