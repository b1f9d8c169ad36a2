#pragma once

#include "base/handles.h"
#include "base/rect.h"
#include "platform/gdi/gdi.h"
#include "platform/user/backend.h"
#include "platform/user/menu.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The window half of our Win32 substitute: windows with their own surfaces
// and a procedure each, one message queue, coalescing timers, focus and
// capture, accelerators, the menu bar and menu tracking, nested loops. Only
// what the game needs, with the behaviour the game relies on.
//
// The screen is the desktop window: the main window's menu bar on top, its
// client area under it; child windows and owned popups (dialogs, pull-down
// menus) are drawn over it by z-order. Screen coordinates have their origin
// at the top-left of the menu bar.

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;
using WindowProc = LResult (*)(WindowHandle window, std::uint32_t message, WParam wParam,
                               LParam lParam);

namespace wm {
inline constexpr std::uint32_t create = 0x0001;
inline constexpr std::uint32_t destroy = 0x0002;
inline constexpr std::uint32_t activate = 0x0006; // wParam: 1 active, 0 inactive
inline constexpr std::uint32_t setFocus = 0x0007;
inline constexpr std::uint32_t killFocus = 0x0008;
inline constexpr std::uint32_t paint = 0x000F;
inline constexpr std::uint32_t close = 0x0010;
inline constexpr std::uint32_t quit = 0x0012;
inline constexpr std::uint32_t ncCreate = 0x0081;
inline constexpr std::uint32_t ncDestroy = 0x0082;
inline constexpr std::uint32_t ncLButtonDown = 0x00A1; // on the menu bar; lParam: screen point
inline constexpr std::uint32_t keyDown = 0x0100;       // wParam: virtual key
inline constexpr std::uint32_t keyUp = 0x0101;
inline constexpr std::uint32_t character = 0x0102;  // wParam: code point
inline constexpr std::uint32_t sysKeyDown = 0x0104; // with Alt held, and F10
inline constexpr std::uint32_t sysKeyUp = 0x0105;
inline constexpr std::uint32_t initDialog = 0x0110;
inline constexpr std::uint32_t command = 0x0111;   // wParam low word: id
inline constexpr std::uint32_t timer = 0x0113;     // wParam: timer id
inline constexpr std::uint32_t mouseMove = 0x0200; // lParam: MakePointParam(x, y), client
inline constexpr std::uint32_t lButtonDown = 0x0201;
inline constexpr std::uint32_t lButtonUp = 0x0202;
inline constexpr std::uint32_t parentNotify = 0x0210; // wParam low word: event
inline constexpr std::uint32_t queryNewPalette = 0x030F;
inline constexpr std::uint32_t paletteChanged = 0x0311; // wParam: the window that changed it
inline constexpr std::uint32_t mciNotify = 0x03B9;      // wParam: flags; lParam: device
inline constexpr std::uint32_t user = 0x0400;
} // namespace wm

// Window styles and class styles, as far as the game uses them.
namespace ws {
inline constexpr std::uint32_t caption = 0x00C00000;
inline constexpr std::uint32_t sysMenu = 0x00080000;
inline constexpr std::uint32_t minimizeBox = 0x00020000;
inline constexpr std::uint32_t clipChildren = 0x02000000;
inline constexpr std::uint32_t child = 0x40000000;
inline constexpr std::uint32_t popup = 0x80000000;
inline constexpr std::uint32_t visible = 0x10000000;
inline constexpr std::uint32_t disabled = 0x08000000;
inline constexpr std::uint32_t tabStop = 0x00010000;
inline constexpr std::uint32_t group = 0x00020000;
} // namespace ws
namespace cs {
inline constexpr std::uint32_t ownDC = 0x0020;
inline constexpr std::uint32_t byteAlignWindow = 0x2000;
inline constexpr std::uint32_t dblClks = 0x0008;
} // namespace cs

// Packs two signed 16-bit coordinates as the mouse messages carry them.
constexpr LParam MakePointParam(std::int32_t x, std::int32_t y) {
    return static_cast<LParam>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                               static_cast<std::uint32_t>(x & 0xFFFF));
}
constexpr std::int32_t PointParamX(LParam lParam) {
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(lParam) & 0xFFFF);
}
constexpr std::int32_t PointParamY(LParam lParam) {
    return static_cast<std::int16_t>((static_cast<std::uint32_t>(lParam) >> 16) & 0xFFFF);
}

struct Message {
    WindowHandle window;
    std::uint32_t message;
    WParam wParam;
    LParam lParam;
    std::uint32_t time;
};

struct WindowClass {
    std::string_view name;
    std::uint32_t style;
    WindowProc procedure;
    // The icon the desktop shows for the main window made of this class: an
    // .ico file's bytes (copied), empty for none.
    std::span<const std::uint8_t> icon;
};

// The frame the desktop draws around a top-level window with a caption:
// outer size minus these is the menu bar plus the client area.
inline constexpr std::int32_t frameBorderWidth = 3;
inline constexpr std::int32_t captionHeight = 19;
inline constexpr std::int32_t menuBarHeight = 19;

// ---------------------------------------------------------------- windows

// What the window system is started with.
struct WindowSystemOptions {
    // The font families menus and dialogs are written in, the preferred one
    // first: the first installed draws, and a character it lacks comes from
    // the next one that has it. With none installed (or none given) no text
    // is drawn and widths are estimated, so layouts still hold.
    std::vector<std::string> faces{};
    // The display the windows are shown on.
    DisplayOptions display{};
};

// Starts the process's one window system on a backend, as a desktop program
// connects to its desktop: it owns the windows, the queue, the timers, focus
// and capture, and the connection to the display (gdi.h) with its system
// palette. ShutdownWindowSystem destroys what is left and closes the
// display; starting again shuts a running one down first. While none runs,
// IsWindow, DestroyWindow and SendMessage find every window dead and the
// desktop's services at the end of this file reach no desktop; any other
// call then is a fault that stops the program with a message.
void StartWindowSystem(Backend& backend, const WindowSystemOptions& options = {});
void ShutdownWindowSystem();

bool RegisterWindowClass(const WindowClass& windowClass);
// Sends NCCREATE (a result of 0 fails the creation) and CREATE with
// createParam as lParam. Child positions are in the parent's client
// coordinates; a top-level window's are on the desktop, its size the outer
// size with frame and caption.
WindowHandle CreateWindowOf(std::string_view className, std::string_view title, std::uint32_t style,
                            std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                            WindowHandle parent, MenuBar* menu, int id, LParam createParam);
// Destroys the window and its children: DESTROY to each (children after
// their parent), PARENTNOTIFY(DESTROY) to the parent of a child, then
// NCDESTROY; focus and capture held by them are dropped.
bool DestroyWindow(WindowHandle window);
bool IsWindow(WindowHandle window);
void ShowWindow(WindowHandle window, bool show);
bool IsWindowVisible(WindowHandle window);
void EnableWindow(WindowHandle window, bool enable);
bool IsWindowEnabled(WindowHandle window);
WindowHandle GetParent(WindowHandle window);
WindowHandle GetFirstChild(WindowHandle window);
// The next child of the same parent in creation order, nullptr after the last.
WindowHandle GetNextSibling(WindowHandle window);
WindowHandle GetDialogItem(WindowHandle window, int id);
int GetWindowId(WindowHandle window);
void* GetWindowUserData(WindowHandle window);
void SetWindowUserData(WindowHandle window, void* data);
std::string_view GetWindowTitle(WindowHandle window);
void SetWindowTitle(WindowHandle window, std::string_view title);
// Moves and sizes a window in the coordinates CreateWindowOf takes. A new
// size gives a new client surface (cleared to 0) under the same context.
void MoveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height);
// The client area: (0, 0, width, height).
Rect GetClientRect(WindowHandle window);
// The client area's top-left in screen coordinates.
void ClientToScreen(WindowHandle window, std::int32_t& x, std::int32_t& y);
// The desktop's usable area for centring windows (the main screen).
Rect GetDesktopRect();

// ---------------------------------------------------------------- drawing

// The window's own drawing context on its client surface: the same one for
// the window's whole life.
ContextHandle GetWindowContext(WindowHandle window);
void InvalidateRect(WindowHandle window, const Rect* rect, bool erase);
// BeginPaint validates the window and returns its context.
ContextHandle BeginPaint(WindowHandle window);
void EndPaint(WindowHandle window);
void UpdateWindow(WindowHandle window);
void SetWindowMenu(WindowHandle window, MenuBar* menu);
void DrawMenuBar(WindowHandle window);
// The screen as a person sees it (menu bar, client, children, popups,
// composed by z-order) into indices, top row first. Used by Present and by
// screenshots.
void ComposeScreen(std::span<std::uint8_t> indices, std::int32_t& width, std::int32_t& height);
// Puts what has been drawn on the screen now rather than when the loop next
// waits. Drawing on the original desktop showed at once; a program about to
// hold its loop (a sound played to its end) calls this first, so the player
// sees the picture that goes with the sound.
void FlushScreen();
// Only the main window's client area, with whatever covers it.
void ComposeClientArea(WindowHandle window, std::span<std::uint8_t> indices);

// What menu tracking shows right now, for tests and the runner.
struct MenuTrackingView {
    bool active;        // a menu bar is being tracked
    int menuIndex;      // the highlighted title
    bool pulldownShown; // its pull-down is on the screen
    int itemIndex;      // the selected item, -1 for none
};
MenuTrackingView GetMenuTracking();

// ---------------------------------------------------------------- input

WindowHandle SetFocus(WindowHandle window); // returns the previous focus
WindowHandle GetFocus();
WindowHandle SetCapture(WindowHandle window);
void ReleaseCapture();
WindowHandle GetCapture();
WindowHandle GetActiveWindow();

// ---------------------------------------------------------------- messages

LResult SendMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
bool PostMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
void PostQuitMessage(int exitCode);
// Waits for the next message: posted messages and input first, then paint,
// then timers. False when it is the quit message (its code in wParam).
bool GetMessage(Message& message);
// The same without waiting; false when nothing is due.
bool PeekMessage(Message& message);
LResult DispatchMessage(const Message& message);
// Turns typed text into CHARACTER messages for the focused window.
void TranslateMessage(const Message& message);
LResult DefWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

// A timer posts one TIMER message when due; a timer that is late delivers
// one message, not a burst. Returns the id, 0 when it cannot be made.
std::uint32_t SetTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs);
bool KillTimer(WindowHandle window, std::uint32_t id);

// The modifier keys an accelerator asks for, as the desktop's table flags them.
namespace accel {
constexpr std::uint8_t shift = 0x04;
constexpr std::uint8_t control = 0x08;
constexpr std::uint8_t alt = 0x10;
} // namespace accel

struct Accelerator {
    int virtualKey;
    int command;
    std::uint8_t modifiers = 0; // accel:: flags held with the key, and no others
};
// A key-down matching an entry, its modifiers held and no others, sends
// COMMAND(command) to window; true then.
bool TranslateAccelerator(WindowHandle window, std::span<const Accelerator> table,
                          const Message& message);

// The message box is a dialog of the window system (dialog.h).
bool OpenUrl(std::string_view url);
void MessageBeep();
std::uint32_t GetTickCount();
