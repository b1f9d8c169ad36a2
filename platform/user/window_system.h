#pragma once

// Private to platform/user: what a window is, and the one window system that
// holds the windows, the queue, the timers, focus, capture, menu tracking and
// the connection to the display.

#include "platform/user/user.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct PlatformWindow {
    std::string className;
    WindowProc procedure = nullptr;
    std::uint32_t classStyle = 0;
    std::string title;
    std::uint32_t style = 0;
    // The parent of a child window, the owner of a popup; nullptr for the
    // main window.
    PlatformWindow* parent = nullptr;
    std::vector<PlatformWindow*> children; // drawn in this order, last on top
    int id = 0;
    void* userData = nullptr;
    MenuBar* menu = nullptr;
    bool isMenuPopup = false; // a pull-down of menu tracking
    // A dialog control: it draws into its parent's surface, as a control
    // without clipping did, so whatever the dialog draws over it stays.
    bool drawnIntoParent = false;
    // Clicks go through it to what lies under it (group boxes, static text).
    bool transparentToMouse = false;
    // What the dialog manager keeps for a dialog or a control.
    std::shared_ptr<void> dialogData;

    // The client area: a child's top-left in its parent's client
    // coordinates, a top-level window's on the screen.
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    // The outer rectangle as given at creation (top-level windows).
    Rect outer{};

    bool visible = false;
    bool enabled = true;
    bool invalid = false;
    bool destroying = false;

    // The client surface and its one context, for the window's whole life.
    BitmapHandle surface = nullptr;
    ContextHandle context = nullptr;
    // The menu bar strip above the client area of a window with a menu.
    BitmapHandle menuBarSurface = nullptr;
    ContextHandle menuBarContext = nullptr;
    // The frame and caption of a popup with ws::caption, outer size.
    BitmapHandle frameSurface = nullptr;
    ContextHandle frameContext = nullptr;

    // Change counts of the surfaces when the screen was last presented.
    std::uint64_t presentedSurface = 0;
    std::uint64_t presentedMenuBar = 0;
    std::uint64_t presentedFrame = 0;
};

// One entry of the queue: a posted message or an input event, kept in
// arrival order. Input is routed when it is taken, so that focus and
// capture changes made by earlier messages count.
struct QueueItem {
    enum class Kind { Posted, Input, Character };
    Kind kind = Kind::Posted;
    Message message{};
    InputEvent input;
};

// A press whose window must hear its release: the game holds its jump while
// space or the left button is down.
struct HeldInput {
    std::uint32_t releaseMessage; // wm::keyUp or wm::lButtonUp
    WParam wParam;                // the key; 0 for the button
    WindowHandle window;          // the window that got the press
};

struct Timer {
    PlatformWindow* window;
    std::uint32_t id;
    std::uint32_t period;
    std::uint32_t due;
};

struct RegisteredClass {
    std::string name;
    std::uint32_t style;
    WindowProc procedure;
    std::vector<std::uint8_t> icon; // a copy: the caller's bytes need not outlive the class
};

// Menu tracking in progress: which bar, which title is highlighted, whether
// its pull-down is shown and which item is selected.
struct MenuTracking {
    PlatformWindow* owner = nullptr;
    int menuIndex = 0;
    bool pulldownOpen = false; // wanted open; a grayed menu shows none
    int itemIndex = -1;
    PlatformWindow* pulldown = nullptr;
    bool mouseButtonDown = false;
    bool finished = false;
    int chosenCommand = 0;
};

// Made by StartWindowSystem and destroyed by ShutdownWindowSystem, which
// own it (window_system.cpp); nothing of it outlives a shutdown, so each
// start begins from nothing.
struct WindowSystem {
    WindowSystem(Backend& backend, const WindowSystemOptions& options);

    Backend* backend;
    // The process's display and its system palette, for as long as the
    // window system runs.
    DisplayConnection display;
    // The faces menus and dialogs are written in, preferred first.
    std::vector<std::string> faces;
    std::vector<RegisteredClass> classes;
    std::vector<std::unique_ptr<PlatformWindow>> windows; // every live window
    PlatformWindow* mainWindow = nullptr;
    std::vector<PlatformWindow*> topLevels; // z-order, main first, menus last
    std::deque<QueueItem> queue;
    std::vector<Timer> timers;
    bool quitPosted = false;
    int quitCode = 0;

    PlatformWindow* focus = nullptr;
    PlatformWindow* capture = nullptr;
    bool appActive = false;
    bool screenShown = false;

    // Alt pressed and released with no other key between opens the menu bar.
    bool altDown = false;
    bool altAlone = false;
    bool altTappedAlone = false;
    bool shiftDown = false; // for Shift+Tab in dialogs, and accelerators
    bool controlDown = false;

    // What is held down, and releases that a menu's loop or a modal dialog
    // took from the window that got the press, kept until it can hear them.
    std::vector<HeldInput> held;
    std::vector<HeldInput> pendingReleases;

    // The dialog fonts by pixel height, made once.
    std::vector<std::pair<std::int32_t, FontHandle>> dialogFonts;

    bool screenChanged = true;
    std::uint64_t presentedPaletteVersion = 0;
    std::uint64_t announcedPaletteVersion = 0; // the last change told to the main window
    std::vector<std::uint8_t> screenBuffer;

    // The message box up now (the innermost), a close from the desktop (or a
    // signal to end) that ended it or a modal dialog and goes on to the main
    // window once it is gone, and the box standing in a window of its own
    // while the screen is not shown.
    PlatformWindow* messageBox = nullptr;
    bool closeAfterMessageBox = false;
    // The innermost modal dialog's window while its loop runs.
    PlatformWindow* modalDialog = nullptr;
    PlatformWindow* loneWindow = nullptr;

    FontHandle menuFont = nullptr;
    bool menuFontLookedUp = false;
    MenuTracking* tracking = nullptr;
};

// The running window system; using one before it starts or after it shuts
// down is a fault that stops the program with a message.
WindowSystem& System();
bool WindowSystemRunning();
// The backend that stands in while no window system runs: no input, a
// clock that never moves, nothing shown (backend.cpp).
Backend& StandInBackend();
// A font in the window system's faces at a pixel height, normal weight;
// nullptr when none of them is installed.
FontHandle CreateFontInFaces(std::int32_t pixelHeight);
// The window if it is alive, else nullptr (every window is dead while no
// window system runs).
PlatformWindow* LiveWindow(WindowHandle window);
// The window and all its parents (child links only) are enabled.
bool IsEffectivelyEnabled(const PlatformWindow* window);
bool IsEffectivelyVisible(const PlatformWindow* window);
// The top-level window a child belongs to (itself for a top-level one).
PlatformWindow* RootOf(PlatformWindow* window);
bool IsInSubtree(const PlatformWindow* window, const PlatformWindow* root);
// The client area's top-left on the screen.
void ClientOriginOnScreen(const PlatformWindow* window, std::int32_t& x, std::int32_t& y);
// The screen's size: the main window's menu bar and client area.
std::int32_t ScreenWidth();
std::int32_t ScreenHeight();
std::int32_t MenuBarHeightOf(const PlatformWindow* window);

// Takes the next thing due: queued posted messages and input first, then the
// quit message, then paint, then timers. Presents the screen when a batch is
// done and something was drawn. Waits on the backend when wait is set and
// nothing is due; false then only when not waiting.
bool TakeNextItem(QueueItem& item, bool wait);
void EnqueueInput(const InputEvent& event);
// Turns input into the message the game sees; false when it is dropped or
// was handled on the spot (close, expose, activation).
bool RouteInput(const QueueItem& item, Message& message);
// Keeps which of Shift, Control and Alt are held, whoever takes the key.
void NoteModifierKey(int virtualKey, bool down);

// Held keys and button (held_input.cpp). A release that a menu's loop eats,
// or that comes while the window that got the press is behind a modal
// dialog, waits, and is posted to that window once no menu is open and the
// window takes input again.
void NotePress(std::uint32_t releaseMessage, WParam wParam, PlatformWindow* window);
WindowHandle TakeHolder(std::uint32_t releaseMessage, WParam wParam);
void KeepReleaseForLater(std::uint32_t releaseMessage, WParam wParam, WindowHandle holder);
void DeliverPendingReleases();
void PresentIfDrawn();
void DropQueuedMessagesFor(const PlatformWindow* window);

// Timers (timers.cpp).
bool TakeDueTimer(Message& message);
bool NextTimerDeadline(std::uint32_t& deadline);
void KillTimersOf(const PlatformWindow* window);

// Activation and focus (focus_capture.cpp).
void SetApplicationActive(bool active);
void DropFocusAndCaptureIn(const PlatformWindow* window);

// The frame of popups with a caption and of framed child dialogs
// (window_frame.cpp); the close box of a caption with a system menu.
void DrawWindowFrame(PlatformWindow* window);
bool HitsCloseBox(const PlatformWindow* window, std::int32_t screenX, std::int32_t screenY);

// Menus (menu_tracking.cpp); the window is the one owning the bar.
void TrackMenuFromKeyboard(PlatformWindow* owner, int menuIndex, bool openPulldown);
void TrackMenuFromMouse(PlatformWindow* owner, std::int32_t screenX, std::int32_t screenY);
int MenuIndexForMnemonic(const MenuBar& bar, char mnemonic);
void EndMenuTracking();
