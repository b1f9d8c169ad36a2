#pragma once

// The test's own connection to the virtual X server, and through it the game
// window played as a player would: found by its title, its pixels read back
// in the game's coordinates, keys and clicks sent through the XTest
// extension. Every wait polls the window's pixels against a deadline; when
// it runs out, the window is saved as a picture next to the test, so that a
// failure can be seen.

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
    // Connects, retrying until the timeout; Connected() tells.
    XSession(const std::string& display, std::chrono::milliseconds timeout);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool Connected() const { return display_ != nullptr; }
    bool HasXTest() const;
    // The mapped top-level window whose title is exactly `title`.
    WindowPlace FindViewableWindow(const std::string& title);
    // From now on plays `window`, which shows the game's screen at `zoom`,
    // with the focus; saved pictures' names start with `screenshotPrefix`.
    void Play(const WindowPlace& window, int zoom, const std::string& screenshotPrefix);

    // The window's pixels now; empty when it cannot be read (gone, unmapped).
    WindowImage Capture();
    // Polls until the check holds for a fresh picture; false after the
    // timeout, with the last picture saved and the step named in the log.
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
