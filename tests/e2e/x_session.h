#pragma once

// The test's connection to the X server, and through it the game window
// played as a player would: found by title, read back in game pixels, keys
// and clicks sent through XTest. A wait that runs out saves the window as a
// picture next to the test, so that the failure can be seen.

#include "tests/e2e/window_image.h"

#include <chrono>
#include <functional>
#include <string>

struct WindowPlace {
    unsigned long id = 0; // 0: no such window
    int rootX = 0, rootY = 0, width = 0, height = 0;
};

class XSession {
  public:
    // Connects, retrying until the timeout.
    XSession(const std::string& display, std::chrono::milliseconds timeout);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool Connected() const { return display_ != nullptr; }
    bool HasXTest() const;
    // The mapped top-level window whose title is exactly `title`.
    WindowPlace FindViewableWindow(const std::string& title);
    // From now on plays `window`, focused, showing the game at `zoom`.
    void Play(const WindowPlace& window, int zoom, const std::string& screenshotPrefix);

    // The window's pixels now; empty when it cannot be read (gone, unmapped).
    WindowImage Capture();
    // Polls fresh pictures until the check holds; false (picture saved) after the timeout.
    bool WaitUntil(const std::string& step, const std::function<bool(const WindowImage&)>& check,
                   std::chrono::milliseconds timeout);
    void SaveScreenshot(const std::string& step);
    void Key(unsigned long keysym, bool down);
    void Tap(unsigned long keysym);
    // The pointer to the middle of game pixel (x, y), and a left click there.
    void MoveTo(int x, int y);
    void Click(int x, int y);

  private:
    struct _XDisplay* display_ = nullptr;
    WindowPlace window_;
    int zoom_ = 1;
    std::string prefix_;
};
