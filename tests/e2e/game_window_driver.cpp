#include "tests/e2e/game_window_driver.h"

#include "tests/e2e/game_layout.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <thread>

namespace {

constexpr auto pollPeriod = std::chrono::milliseconds(40);

std::string FileSafe(const std::string& step) {
    std::string name;
    for (const char c : step) {
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        name.push_back(plain ? c : '-');
    }
    return name;
}

} // namespace

GameWindowDriver::GameWindowDriver(XSession& session, const WindowPlace& window, int zoom,
                                   std::string screenshotPrefix)
    : session_(session), window_(window), zoom_(zoom), prefix_(std::move(screenshotPrefix)) {}

WindowImage GameWindowDriver::Capture() {
    return session_.Capture(window_, zoom_);
}

std::string GameWindowDriver::SaveScreenshot(const std::string& step) {
    const std::string name = prefix_ + "-" + FileSafe(step) + ".ppm";
    const WindowImage image = Capture();
    if (image.Empty() || !image.SavePpm(name)) {
        std::fprintf(stderr, "e2e: could not save the window for \"%s\"\n", step.c_str());
        return {};
    }
    std::fprintf(stderr, "e2e: the window at \"%s\" is saved in %s\n", step.c_str(),
                 std::filesystem::absolute(name).c_str());
    return name;
}

bool GameWindowDriver::WaitUntil(const std::string& step,
                                 const std::function<bool(const WindowImage&)>& check,
                                 std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const WindowImage image = Capture();
        if (!image.Empty() && check(image)) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            std::fprintf(stderr, "e2e: timed out waiting for: %s\n", step.c_str());
            SaveScreenshot(step);
            return false;
        }
        std::this_thread::sleep_for(pollPeriod);
    }
}

void GameWindowDriver::Key(unsigned long keysym, bool down) {
    session_.Key(keysym, down);
}

void GameWindowDriver::Tap(unsigned long keysym) {
    session_.Key(keysym, true);
    session_.Key(keysym, false);
}

void GameWindowDriver::MoveTo(int x, int y) {
    // The middle of the game pixel's block.
    session_.MovePointer(window_, x * zoom_ + zoom_ / 2, y * zoom_ + zoom_ / 2);
}

void GameWindowDriver::Click(int x, int y) {
    MoveTo(x, y);
    session_.Button(1, true);
    session_.Button(1, false);
}

bool GameWindowDriver::ChooseMenuItem(int titleIndex, const std::string& entries, int itemIndex,
                                      std::chrono::milliseconds timeout) {
    const std::string what =
        "menu " + std::to_string(titleIndex) + " item " + std::to_string(itemIndex);
    std::vector<TitleSpan> titles;
    if (!WaitUntil(
            what + ": the menu bar's titles",
            [&](const WindowImage& image) {
                titles = FindMenuTitles(image);
                return titles.size() > static_cast<std::size_t>(titleIndex);
            },
            timeout)) {
        return false;
    }
    const TitleSpan title = titles[static_cast<std::size_t>(titleIndex)];
    Click(title.Middle(), layout::menuBarHeight / 2);
    std::optional<PulldownShape> shape;
    std::optional<int> itemY;
    if (!WaitUntil(
            what + ": the pull-down drawn",
            [&](const WindowImage& image) {
                shape = FindPulldown(image, title);
                itemY = shape ? ItemMiddle(*shape, entries, itemIndex) : std::nullopt;
                return itemY.has_value();
            },
            timeout)) {
        return false;
    }
    // Hover first: the item lights up when the pointer is on it, which
    // proves the row before the click chooses it.
    const int itemX = shape->left + 30;
    MoveTo(itemX, *itemY);
    if (!WaitUntil(
            what + ": the item highlighted",
            [&](const WindowImage& image) {
                return image.At(shape->left + 4, *itemY) == layout::selection;
            },
            timeout)) {
        return false;
    }
    Click(itemX, *itemY);
    return true;
}
