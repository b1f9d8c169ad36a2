#pragma once

// The test's own connection to the virtual X server: finds the game window by
// its title, reads its pixels, and types and clicks into it through the XTest
// extension, as a player's keyboard and mouse would.

#include "tests/e2e/window_image.h"

#include <chrono>
#include <string>

struct WindowPlace {
    unsigned long id = 0; // 0: no such window
    int rootX = 0;
    int rootY = 0;
    int width = 0;
    int height = 0;
};

class XSession {
  public:
    // Connects, retrying until the timeout; Connected() tells.
    XSession(const std::string& display, std::chrono::milliseconds timeout);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool Connected() const { return display_ != nullptr; }
    bool HasXTest() const { return hasXTest_; }

    // The mapped top-level window whose title is exactly `title`.
    WindowPlace FindViewableWindow(const std::string& title);
    // The window's pixels now, read as game pixels at the given zoom; empty
    // when the window cannot be read (gone, or not mapped).
    WindowImage Capture(const WindowPlace& window, int zoom);

    void FocusWindow(const WindowPlace& window);
    void Key(unsigned long keysym, bool down);
    // Moves the pointer to a point given in window pixels.
    void MovePointer(const WindowPlace& window, int x, int y);
    void Button(int button, bool down);

  private:
    struct _XDisplay* display_ = nullptr;
    bool hasXTest_ = false;
};
