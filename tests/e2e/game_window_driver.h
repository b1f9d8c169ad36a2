#pragma once

// Plays the game window as a player would: keys, clicks and the menus, in
// game coordinates, and waits for what the screen should show. Every wait
// polls the window's pixels against a deadline; when it runs out, the window
// is saved as a picture next to the test so that a failure can be seen.

#include "tests/e2e/menu_driver.h"
#include "tests/e2e/x_session.h"

#include <chrono>
#include <functional>
#include <string>

class GameWindowDriver {
  public:
    // screenshotPrefix: the start of the names of saved pictures.
    GameWindowDriver(XSession& session, const WindowPlace& window, int zoom,
                     std::string screenshotPrefix);

    int Zoom() const { return zoom_; }
    WindowImage Capture();
    // Polls until the check holds for a fresh picture; false after the
    // timeout, with the last picture saved and the step named in the log.
    bool WaitUntil(const std::string& step, const std::function<bool(const WindowImage&)>& check,
                   std::chrono::milliseconds timeout);
    // Saves the window now; returns the file name.
    std::string SaveScreenshot(const std::string& step);

    void Key(unsigned long keysym, bool down);
    void Tap(unsigned long keysym);
    void MoveTo(int x, int y);
    void Click(int x, int y);

    // Opens the menu at titleIndex and clicks item itemIndex of it, whose
    // entries are described as for ItemMiddle. Returns false (with a picture)
    // when the bar, the pull-down or the item's highlight does not show.
    bool ChooseMenuItem(int titleIndex, const std::string& entries, int itemIndex,
                        std::chrono::milliseconds timeout);

  private:
    XSession& session_;
    WindowPlace window_;
    int zoom_;
    std::string prefix_;
};
