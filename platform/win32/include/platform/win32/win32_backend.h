#pragma once

#include "platform/user/backend.h"

#include <cstdint>
#include <memory>

// The Windows desktop itself: one top-level window that is the screen, shown
// at a whole zoom through GDI from the composed 8-bit image; its messages
// become the game's input; the multimedia timer is the clock, and an idle
// game sleeps in MsgWaitForMultipleObjectsEx until input or its next timer.
// Effects play through PlaySoundW, the music through the MCI sequencer, and
// the message box is the system's own. No gamepads yet: XInput would bring
// them, through the same key codes the SDL backend gives its pads.
class Win32Backend final : public Backend {
  public:
    // Registers the window class and sets the timer's resolution to one
    // millisecond for the backend's life; Initialised() tells whether it could.
    Win32Backend();
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    bool Initialised() const;

    // The whole-window scale: 0 chooses from the work area's size when the
    // screen opens, N > 0 asks for N (see platform/user/window_zoom.h). Set
    // before OpenScreen; Zoom() is the factor the open window shows.
    void RequestZoom(std::int32_t requested);
    std::int32_t Zoom() const;

    std::uint32_t Now() override;
    bool WaitEvent(std::uint32_t deadline, InputEvent& event) override;
    bool OpenScreen(std::int32_t width, std::int32_t height, std::string_view title,
                    std::span<const std::uint8_t> iconFile) override;
    void ShowScreen() override;
    void Present(const ScreenImage& image) override;
    int ShowSystemMessageBox(std::string_view caption, std::string_view text, std::uint32_t type,
                             bool owned) override;
    bool OpenUrl(std::string_view url) override;
    void Beep() override;

    void PlayWave(int id, std::span<const std::uint8_t> wave, bool toTheEnd) override;
    void StopWave() override;
    std::uint32_t OpenMidi(std::string_view file, int& error) override;
    int PlayMidi(std::uint32_t device, std::function<void(std::uint32_t)> onEnd) override;
    int StopMidi(std::uint32_t device) override;
    int CloseMidi(std::uint32_t device) override;

    // What the window procedure shares with the backend (win32_backend.cpp).
    struct State;

  private:
    std::unique_ptr<State> state_;
};
