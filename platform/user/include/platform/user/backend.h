#pragma once

#include "platform/gdi/gdi.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// The platform's outside world, one small interface chosen at run time: the
// clock and waiting, input events, the screen the windows are composed on
// (and a message box's own window before it), opening a page in the browser
// and the beep. The SDL and Win32 backends are the real desktops; the
// headless backend has a virtual clock, scripted input and an offscreen
// screen, for tests and the runner.

// Virtual-key codes, as the game and its dialogs know keys.
namespace vk {
inline constexpr int back = 8;
inline constexpr int tab = 9;
inline constexpr int enter = 13;
inline constexpr int shift = 16;
inline constexpr int control = 17;
inline constexpr int alt = 18;
inline constexpr int escape = 27;
inline constexpr int space = 32;
inline constexpr int end = 35;
inline constexpr int home = 36;
inline constexpr int left = 37;
inline constexpr int up = 38;
inline constexpr int right = 39;
inline constexpr int down = 40;
inline constexpr int del = 46;
inline constexpr int digit0 = 48;  // '0'..'9' are 48..57
inline constexpr int letterA = 65; // 'A'..'Z' are 65..90
inline constexpr int f1 = 112;
inline constexpr int f10 = 121;
} // namespace vk

// The multimedia device's notice flags and error codes, as the game knows them.
namespace mci {
inline constexpr std::uint32_t notifySuccessful = 1;
inline constexpr std::uint32_t notifySuperseded = 2;
inline constexpr std::uint32_t notifyAborted = 4;
inline constexpr int errorInvalidDevice = 257;
inline constexpr int errorFileNotFound = 275;
inline constexpr int errorDeviceNotReady = 276;
inline constexpr int errorInvalidFile = 304;
} // namespace mci

struct InputEvent {
    enum class Kind {
        KeyDown,   // virtualKey; repeat set for auto-repeat
        KeyUp,     // virtualKey
        Text,      // text: UTF-8 typed by the player
        MouseMove, // x, y
        MouseDown, // x, y; left button only
        MouseUp,   // x, y
        Close,     // the desktop's close button
        Expose,    // the screen must be shown again whole
        FocusGained,
        FocusLost,
        KeyTaken, // a key the desktop kept for itself (Alt+Enter): no window
                  // hears it, but an Alt held with it was not pressed alone
    };
    Kind kind = Kind::KeyDown;
    int virtualKey = 0;
    bool repeat = false;
    std::int32_t x = 0; // screen pixels
    std::int32_t y = 0;
    std::string text;
};

// What is shown: palette indices, top row first, and the palette they go
// through.
struct ScreenImage {
    std::int32_t width;
    std::int32_t height;
    std::span<const std::uint8_t> indices;
    const PaletteEntries* palette;
};

class Backend {
  public:
    virtual ~Backend() = default;
    // Milliseconds since an arbitrary start; wraps like a 32-bit tick count.
    virtual std::uint32_t Now() = 0;
    // Waits until an input event arrives (true, event filled) or the clock
    // reaches deadline (false). A deadline already past returns at once.
    virtual bool WaitEvent(std::uint32_t deadline, InputEvent& event) = 0;
    // Opens the screen (the desktop window) once, not yet shown.
    virtual bool OpenScreen(std::int32_t width, std::int32_t height, std::string_view title,
                            std::span<const std::uint8_t> iconFile) = 0;
    virtual void ShowScreen() = 0;
    // Shows the composed screen; called only when something was drawn.
    virtual void Present(const ScreenImage& image) = 0;
    // A message box that comes up while the screen is not shown (before the
    // main window is) stands on the desktop in a window of its own: in the
    // middle of the desktop, without the desktop's frame (the box draws its
    // own), at the screen's zoom. Its input comes through WaitEvent in its
    // own pixels, the desktop's close of it as Close. False when there is no
    // desktop to open it on.
    virtual bool OpenLoneWindow(std::int32_t width, std::int32_t height, std::string_view title) {
        (void)width, (void)height, (void)title;
        return false;
    }
    virtual void PresentLoneWindow(const ScreenImage& image) { (void)image; }
    virtual void CloseLoneWindow() {}
    // Told of each message box as it comes up, before anyone sees it: a
    // driver with no player behind it answers here with the id of the
    // button it presses, and the box ends at once; 0 leaves it to the input.
    virtual int AnswerMessageBox(std::string_view caption, std::string_view text,
                                 std::uint32_t type) {
        (void)caption, (void)text, (void)type;
        return 0;
    }
    // The desktop's own message box, where the backend has one: shows it with
    // the text, caption and mb:: flags (over the screen when owned, else on
    // its own) and returns the id of the button pressed once it is closed.
    // 0 when there is none, and the window system draws its own box.
    virtual int ShowSystemMessageBox(std::string_view caption, std::string_view text,
                                     std::uint32_t type, bool owned) {
        (void)caption, (void)text, (void)type, (void)owned;
        return 0;
    }
    // Opens a file or address in the desktop's browser; false when it could not.
    virtual bool OpenUrl(std::string_view url) = 0;
    virtual void Beep() = 0;

    // ------------------------------------------------------------ audio
    // One wave effect sounds at a time and the music is one MIDI piece,
    // addressed as a multimedia device by its id (0 is no device). Without a
    // sound card all of this is silent and the game goes on; a backend that
    // has no audio keeps these defaults.

    // Plays a RIFF WAVE image, cutting off the effect still sounding. With
    // toTheEnd it returns only once the effect has finished, and nothing
    // else happens meanwhile. The bytes stay valid while it sounds; id names
    // the effect for records.
    virtual void PlayWave(int id, std::span<const std::uint8_t> wave, bool toTheEnd) {
        (void)id, (void)wave, (void)toTheEnd;
    }
    // Cuts off the effect that is sounding, if any.
    virtual void StopWave() {}
    // Opens a MIDI file as a music device: its id, or 0 with the error
    // (mci::fileNotFound, ...) in error.
    virtual std::uint32_t OpenMidi(std::string_view file, int& error) {
        (void)file;
        error = mci::errorDeviceNotReady;
        return 0;
    }
    // Plays the piece once from its beginning. When that play ends, by
    // itself, by StopMidi or by the next PlayMidi, onEnd is called once with
    // the notice flags, later, on the main thread, from within WaitEvent.
    // Returns 0 or an mci error.
    // NOLINTNEXTLINE(performance-unnecessary-value-param): backends keep and move it
    virtual int PlayMidi(std::uint32_t device, std::function<void(std::uint32_t flags)> /*onEnd*/) {
        (void)device;
        return mci::errorInvalidDevice;
    }
    // Stops the piece and returns once it has stopped; 0 or an mci error.
    virtual int StopMidi(std::uint32_t device) {
        (void)device;
        return mci::errorInvalidDevice;
    }
    virtual int CloseMidi(std::uint32_t device) {
        (void)device;
        return mci::errorInvalidDevice;
    }
};

// The backend the running window system was started on (StartWindowSystem
// in user.h), which owns the choice; while none runs, a stand-in with no
// input, a clock that never moves and nothing shown.
Backend& CurrentBackend();
