#include "platform/win32/win32_backend.h"

#include "platform/user/window_zoom.h"
#include "win32_pieces.h"

#include <algorithm>
#include <deque>
#include <string>
#include <utility>
#include <vector>

// <windows.h> first: the multimedia and shell headers build on its types.
// clang-format off
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>
// clang-format on

namespace {

constexpr wchar_t windowClass[] = L"VARNISK";
constexpr int iconResource = 101;
// A plain frame the player cannot resize: the screen has one size per zoom.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

std::wstring Wide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

// The work area: the desktop less the taskbar; zero when it cannot be told.
RECT WorkArea() {
    RECT area{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) == FALSE) {
        area = RECT{};
    }
    return area;
}

std::int32_t MillisecondsUntil(std::uint32_t deadline, std::uint32_t now) {
    return static_cast<std::int32_t>(deadline - now);
}

} // namespace

struct Win32Backend::State {
    bool initialised = false;
    HWND window = nullptr;
    std::int32_t requestedZoom = 0;
    std::int32_t zoom = 1;
    std::deque<InputEvent> events;
    TypedText typed;
    bool buttonHeld = false;
    LPARAM lastMouse = -1;

    // The last screen shown, kept for WM_PAINT: rows padded as GDI reads them.
    ScreenBitmapInfo bitmap{};
    std::vector<std::uint8_t> rows;
    std::int32_t shownWidth = 0;
    std::int32_t shownHeight = 0;

    // The music: one open sequencer, and the plays whose notice is due,
    // oldest first, each with what it tells; notices that arrived during a
    // dispatch wait for WaitEvent to hand them on.
    MCIDEVICEID music = 0;
    struct Play {
        MCIDEVICEID device;
        std::function<void(std::uint32_t)> onEnd;
    };
    std::deque<Play> plays;
    std::deque<std::pair<MCIDEVICEID, std::uint32_t>> notices;

    void Push(InputEvent::Kind kind) {
        InputEvent event;
        event.kind = kind;
        events.push_back(std::move(event));
    }
    void PushKey(InputEvent::Kind kind, WPARAM key, LPARAM lParam) {
        InputEvent event;
        event.kind = kind;
        event.virtualKey = static_cast<int>(key);
        // Bit 30 is set when the key was already down: the keyboard's repeat.
        event.repeat = kind == InputEvent::Kind::KeyDown && (lParam & (1L << 30)) != 0;
        events.push_back(std::move(event));
    }
    void PushMouse(InputEvent::Kind kind, LPARAM lParam) {
        const ScreenPoint point = MousePosition(lParam, zoom);
        InputEvent event;
        event.kind = kind;
        event.x = point.x;
        event.y = point.y;
        events.push_back(std::move(event));
    }
    // Draws the kept screen, each pixel zoom times.
    void Paint(HDC context) const {
        if (rows.empty()) {
            return;
        }
        if (zoom == 1) {
            SetDIBitsToDevice(context, 0, 0, shownWidth, shownHeight, 0, 0, 0, shownHeight,
                              rows.data(), reinterpret_cast<const BITMAPINFO*>(&bitmap),
                              DIB_RGB_COLORS);
        } else {
            StretchDIBits(context, 0, 0, shownWidth * zoom, shownHeight * zoom, 0, 0, shownWidth,
                          shownHeight, rows.data(), reinterpret_cast<const BITMAPINFO*>(&bitmap),
                          DIB_RGB_COLORS, SRCCOPY);
        }
    }

    LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* state = reinterpret_cast<Win32Backend::State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (state == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return state->Handle(hwnd, message, wParam, lParam);
}

} // namespace

LRESULT Win32Backend::State::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    using Kind = InputEvent::Kind;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        PushKey(Kind::KeyDown, wParam, lParam);
        // Alt+F4 still closes the window, as everywhere on the desktop; Alt
        // and F10 otherwise are the game's, which draws its own menu bar.
        if (message == WM_SYSKEYDOWN && wParam == VK_F4) {
            break;
        }
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP: PushKey(Kind::KeyUp, wParam, lParam); return 0;
    case WM_CHAR:
        if (std::optional<std::string> text = typed.Take(static_cast<wchar_t>(wParam))) {
            InputEvent event;
            event.kind = Kind::Text;
            event.text = std::move(*text);
            events.push_back(std::move(event));
        }
        return 0;
    case WM_SYSCHAR: return 0; // no system menu from Alt+letter: no beep either
    case WM_MOUSEMOVE:
        // The desktop repeats the position on focus and capture changes.
        if (lParam != lastMouse) {
            lastMouse = lParam;
            PushMouse(Kind::MouseMove, lParam);
        }
        return 0;
    case WM_LBUTTONDOWN:
        // Held, the button keeps the mouse: the game hears where it is let go.
        buttonHeld = true;
        SetCapture(hwnd);
        PushMouse(Kind::MouseDown, lParam);
        return 0;
    case WM_LBUTTONUP:
        if (buttonHeld) {
            buttonHeld = false;
            ReleaseCapture();
        }
        PushMouse(Kind::MouseUp, lParam);
        return 0;
    case WM_SETFOCUS: Push(Kind::FocusGained); return 0;
    case WM_KILLFOCUS: Push(Kind::FocusLost); return 0;
    case WM_CLOSE: Push(Kind::Close); return 0; // the game decides
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC context = BeginPaint(hwnd, &paint);
        if (rows.empty()) {
            // Nothing shown yet: the screen is asked for whole.
            Push(Kind::Expose);
        }
        Paint(context);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return 1; // the screen covers the whole client area
    case MM_MCINOTIFY:
        notices.emplace_back(static_cast<MCIDEVICEID>(lParam), static_cast<std::uint32_t>(wParam));
        return 0;
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

Win32Backend::Win32Backend() : state_(std::make_unique<State>()) {
    timeBeginPeriod(1);
    WNDCLASSEXW windowClassInfo{};
    windowClassInfo.cbSize = sizeof windowClassInfo;
    windowClassInfo.lpfnWndProc = WindowProc;
    windowClassInfo.hInstance = GetModuleHandleW(nullptr);
    windowClassInfo.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResource));
    windowClassInfo.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
    windowClassInfo.lpszClassName = windowClass;
    state_->initialised = RegisterClassExW(&windowClassInfo) != 0;
}

Win32Backend::~Win32Backend() {
    PlaySoundW(nullptr, nullptr, 0);
    if (state_->music != 0) {
        mciSendCommandW(state_->music, MCI_CLOSE, MCI_WAIT, 0);
    }
    if (state_->window != nullptr) {
        DestroyWindow(state_->window);
    }
    UnregisterClassW(windowClass, GetModuleHandleW(nullptr));
    timeEndPeriod(1);
}

bool Win32Backend::Initialised() const {
    return state_->initialised;
}

void Win32Backend::RequestZoom(std::int32_t requested) {
    state_->requestedZoom = requested;
}

std::int32_t Win32Backend::Zoom() const {
    return state_->zoom;
}

std::uint32_t Win32Backend::Now() {
    return timeGetTime();
}

bool Win32Backend::WaitEvent(std::uint32_t deadline, InputEvent& event) {
    State& state = *state_;
    for (;;) {
        // Input already queued comes before the timers, even past the deadline.
        MSG message;
        while (state.events.empty() && state.notices.empty() &&
               PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (message.message == WM_QUIT) {
                continue; // the game's own loop ends the program, not ours
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!state.notices.empty()) {
            // A play's end goes out from here, on the main thread, outside
            // any dispatch; the caller finds it queued when it looks again.
            const MCIDEVICEID device = state.notices.front().first;
            const std::uint32_t flags = state.notices.front().second;
            state.notices.pop_front();
            const auto play =
                std::find_if(state.plays.begin(), state.plays.end(),
                             [device](const State::Play& p) { return p.device == device; });
            if (play != state.plays.end()) {
                std::function<void(std::uint32_t)> onEnd = std::move(play->onEnd);
                state.plays.erase(play);
                onEnd(flags);
            }
            return false;
        }
        if (!state.events.empty()) {
            event = std::move(state.events.front());
            state.events.pop_front();
            return true;
        }
        const std::int32_t left = MillisecondsUntil(deadline, Now());
        if (left <= 0) {
            return false;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

bool Win32Backend::OpenScreen(std::int32_t width, std::int32_t height, std::string_view title,
                              std::span<const std::uint8_t>) {
    State& state = *state_;
    if (!state.initialised || state.window != nullptr || width <= 0 || height <= 0) {
        return false;
    }
    const RECT area = WorkArea();
    const std::int32_t zoom = ChooseWindowZoom(state.requestedZoom, {width, height},
                                               {area.right - area.left, area.bottom - area.top});
    RECT outer{0, 0, width * zoom, height * zoom};
    AdjustWindowRectEx(&outer, windowStyle, FALSE, 0);
    const std::int32_t outerWidth = outer.right - outer.left;
    const std::int32_t outerHeight = outer.bottom - outer.top;
    // Centred in the work area, the caption never above its top.
    const std::int32_t x = area.left + (area.right - area.left - outerWidth) / 2;
    const std::int32_t y =
        std::max<std::int32_t>(area.top, area.top + (area.bottom - area.top - outerHeight) / 2);
    // Mouse messages can come while the window is being made.
    state.zoom = zoom;
    // The icon comes from the program's resources, where the class has it.
    state.window =
        CreateWindowExW(0, windowClass, Wide(title).c_str(), windowStyle, x, y, outerWidth,
                        outerHeight, nullptr, nullptr, GetModuleHandleW(nullptr), &state);
    return state.window != nullptr;
}

void Win32Backend::ShowScreen() {
    if (state_->window != nullptr) {
        ShowWindow(state_->window, SW_SHOW);
        SetForegroundWindow(state_->window);
        UpdateWindow(state_->window);
    }
}

void Win32Backend::Present(const ScreenImage& image) {
    State& state = *state_;
    if (image.palette == nullptr || image.width <= 0 || image.height <= 0 ||
        image.indices.size() < static_cast<std::size_t>(image.width) * image.height) {
        return;
    }
    DescribeScreenBitmap(state.bitmap, image.width, image.height, *image.palette);
    CopyScreenRows(image.indices, image.width, image.height, state.rows);
    state.shownWidth = image.width;
    state.shownHeight = image.height;
    if (state.window == nullptr) {
        return;
    }
    if (HDC context = GetDC(state.window)) {
        state.Paint(context);
        ReleaseDC(state.window, context);
    }
}

int Win32Backend::ShowSystemMessageBox(std::string_view caption, std::string_view text,
                                       std::uint32_t type, bool owned) {
    HWND owner = owned && state_->window != nullptr && IsWindowVisible(state_->window) != FALSE
                     ? state_->window
                     : nullptr;
    // A box of its own comes up in front of whatever the player looks at.
    const UINT flags = type | (owner == nullptr ? MB_SETFOREGROUND | MB_TASKMODAL : 0);
    const int answer = MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), flags);
    // The button's id is the game's; 0 (the box could not be made) means
    // the window system draws its own.
    return answer;
}

bool Win32Backend::OpenUrl(std::string_view url) {
    // A value above 32 is success, as ShellExecute has always said.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", Wide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

void Win32Backend::Beep() {
    MessageBeep(MB_OK);
}

void Win32Backend::PlayWave(int, std::span<const std::uint8_t> wave, bool toTheEnd) {
    if (wave.empty()) {
        return;
    }
    // Without a sound card this fails quietly and the game goes on.
    PlaySoundW(reinterpret_cast<LPCWSTR>(wave.data()), nullptr,
               SND_MEMORY | SND_NODEFAULT | (toTheEnd ? SND_SYNC : SND_ASYNC));
}

void Win32Backend::StopWave() {
    PlaySoundW(nullptr, nullptr, 0);
}

std::uint32_t Win32Backend::OpenMidi(std::string_view file, int& error) {
    State& state = *state_;
    const std::wstring path = Wide(file);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        error = mci::errorFileNotFound;
        return 0;
    }
    if (state.music != 0) {
        error = mci::errorDeviceNotReady; // one piece at a time
        return 0;
    }
    MCI_OPEN_PARMSW open{};
    open.lpstrDeviceType = L"sequencer";
    open.lpstrElementName = path.c_str();
    const MCIERROR result =
        mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&open));
    if (result != 0) {
        // No MIDI device: the game plays on in silence.
        error = GameMciError(result);
        return 0;
    }
    state.music = open.wDeviceID;
    error = 0;
    return state.music;
}

int Win32Backend::PlayMidi(std::uint32_t device, std::function<void(std::uint32_t)> onEnd) {
    State& state = *state_;
    if (device == 0 || device != state.music || state.window == nullptr) {
        return mci::errorInvalidDevice;
    }
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(state.window);
    play.dwFrom = 0;
    const MCIERROR result = mciSendCommandW(state.music, MCI_PLAY, MCI_NOTIFY | MCI_FROM,
                                            reinterpret_cast<DWORD_PTR>(&play));
    if (result != 0) {
        return GameMciError(result);
    }
    // The play before it, if still sounding, is told it was superseded: its
    // notice comes first.
    state.plays.push_back({state.music, std::move(onEnd)});
    return 0;
}

int Win32Backend::StopMidi(std::uint32_t device) {
    State& state = *state_;
    if (device == 0 || device != state.music) {
        return mci::errorInvalidDevice;
    }
    const MCIERROR result = mciSendCommandW(state.music, MCI_STOP, MCI_WAIT, 0);
    return result != 0 ? GameMciError(result) : 0;
}

int Win32Backend::CloseMidi(std::uint32_t device) {
    State& state = *state_;
    if (device == 0 || device != state.music) {
        return mci::errorInvalidDevice;
    }
    const MCIERROR result = mciSendCommandW(state.music, MCI_CLOSE, MCI_WAIT, 0);
    state.music = 0;
    return result != 0 ? GameMciError(result) : 0;
}
