#pragma once

#include "platform/user/backend.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// The outside world for tests and the runner: a virtual clock that starts at
// 0 and moves only when asked to or when the program waits (it never
// sleeps), input scripted at virtual times, and a record of everything shown
// or asked for.
class HeadlessBackend final : public Backend {
  public:
    struct MessageBoxShown {
        std::string caption;
        std::string text;
    };

    // Scripts an event for virtual time at; events come in time order, and
    // in the order pushed when their times are equal.
    void Push(InputEvent event, std::uint32_t at);
    // Moves the clock forward without delivering anything.
    void Advance(std::uint32_t milliseconds);
    std::size_t PendingInputCount() const { return script_.size(); }

    std::uint32_t Now() override { return clock_; }
    // With no scripted event due before the deadline the clock jumps to the
    // deadline at once; otherwise to the event's time, and it is delivered.
    bool WaitEvent(std::uint32_t deadline, InputEvent& event) override;
    bool OpenScreen(std::int32_t width, std::int32_t height, std::string_view title,
                    std::span<const std::uint8_t> iconFile) override;
    void ShowScreen() override { screenShown_ = true; }
    void Present(const ScreenImage& image) override;
    void ShowMessageBox(std::string_view caption, std::string_view text) override;
    bool OpenUrl(std::string_view url) override;
    void Beep() override { ++beepCount_; }

    // What was shown and asked for.
    bool ScreenOpened() const { return screenOpened_; }
    bool ScreenShown() const { return screenShown_; }
    std::int32_t ScreenWidth() const { return screenWidth_; }
    std::int32_t ScreenHeight() const { return screenHeight_; }
    const std::string& ScreenTitle() const { return screenTitle_; }
    std::size_t IconSize() const { return iconSize_; }
    int PresentCount() const { return presentCount_; }
    // The last presented image: indices top row first, and its palette.
    const std::vector<std::uint8_t>& LastImage() const { return lastImage_; }
    std::int32_t LastImageWidth() const { return lastWidth_; }
    std::int32_t LastImageHeight() const { return lastHeight_; }
    const PaletteEntries& LastPalette() const { return lastPalette_; }
    const std::vector<MessageBoxShown>& MessageBoxes() const { return messageBoxes_; }
    const std::vector<std::string>& OpenedUrls() const { return openedUrls_; }
    int BeepCount() const { return beepCount_; }
    // Whether OpenUrl reports success (it does unless told otherwise).
    void SetOpenUrlSucceeds(bool succeeds) { openUrlSucceeds_ = succeeds; }

  private:
    struct Scripted {
        InputEvent event;
        std::uint32_t at;
    };
    std::uint32_t clock_ = 0;
    std::deque<Scripted> script_;

    bool screenOpened_ = false;
    bool screenShown_ = false;
    std::int32_t screenWidth_ = 0;
    std::int32_t screenHeight_ = 0;
    std::string screenTitle_;
    std::size_t iconSize_ = 0;
    int presentCount_ = 0;
    std::vector<std::uint8_t> lastImage_;
    std::int32_t lastWidth_ = 0;
    std::int32_t lastHeight_ = 0;
    PaletteEntries lastPalette_{};
    std::vector<MessageBoxShown> messageBoxes_;
    std::vector<std::string> openedUrls_;
    int beepCount_ = 0;
    bool openUrlSucceeds_ = true;
};
