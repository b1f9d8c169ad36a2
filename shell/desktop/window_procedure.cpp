#include "shell/desktop/window_procedure.h"

#include "audio/audio.h"
#include "render/palette.h"
#include "shell/desktop/desktop_ports.h"
#include "shell/panel/start_panel.h"

#include <memory>

namespace {

// The start panel's "New Game" button.
constexpr int idOk = 1;

LResult OnNcCreate(WindowHandle window, WParam wParam, LParam lParam) {
    auto* record = reinterpret_cast<MainWindow*>(lParam);
    if (record == nullptr) {
        return 0; // no record to play on: the window is not created
    }
    record->handle = window;
    record->sound.window = window; // the music's end notice comes here
    ConnectPorts(*record, std::make_unique<DesktopPorts>(*record));
    SetWindowUserData(window, record);
    return DefWindowProc(window, wm::ncCreate, wParam, lParam);
}

// In the title every activation change, deactivation included, hands the
// keyboard to the start panel's New Game button.
void OnActivate(MainWindow& record) {
    if (record.game.mode != GameMode::Title) {
        return;
    }
    if (WindowHandle panel = GetFirstChild(record.handle)) {
        if (WindowHandle newGame = GetDialogItem(panel, idOk)) {
            SetFocus(newGame);
        }
    }
}

// When the start panel goes at the start of a game, the keyboard comes back
// to the main window, so that space and Escape reach the game.
void OnParentNotify(MainWindow& record, WParam wParam) {
    if ((wParam & 0xFFFF) == wm::destroy) {
        SetFocus(record.handle);
    }
}

LResult OnPaletteChanged(MainWindow& record, WParam changedBy) {
    const auto changer = reinterpret_cast<WindowHandle>(changedBy);
    if (changer == record.handle) {
        return static_cast<LResult>(changedBy); // our own change: nothing to realize
    }
    return RealizeGamePalette(record.screen);
}

// The tick stops and the window lets go of its record; later messages find
// no record.
void ReleaseRecord(MainWindow& record, WindowHandle window) {
    KillTimer(window, record.game.tickTimer);
    SetWindowUserData(window, nullptr);
}

LResult OnNcDestroy(MainWindow& record, WindowHandle window, WParam wParam, LParam lParam) {
    ReleaseRecord(record, window);
    return DefWindowProc(window, wm::ncDestroy, wParam, lParam);
}

} // namespace

MainWindow* MainWindowRecord(WindowHandle window) {
    return static_cast<MainWindow*>(GetWindowUserData(window));
}

LResult MainWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == wm::ncCreate) {
        return OnNcCreate(window, wParam, lParam);
    }
    MainWindow* record = MainWindowRecord(window);
    if (record == nullptr) {
        return DefWindowProc(window, message, wParam, lParam);
    }
    switch (message) {
    case wm::create: OnCreate(*record); return 0;
    case wm::destroy: OnDestroy(*record); return 0;
    case wm::activate: OnActivate(*record); return 0;
    case wm::paint: OnPaint(*record); return 0;
    case wm::keyDown: OnKeyDown(*record, static_cast<int>(wParam)); return 0;
    case wm::keyUp: OnKeyUp(*record, static_cast<int>(wParam)); return 0;
    case wm::command: OnCommand(*record, static_cast<int>(wParam & 0xFFFF)); return 0;
    case wm::timer: OnTimer(*record, static_cast<std::uint32_t>(wParam)); return 0;
    case wm::lButtonDown:
        OnLeftButtonDown(*record, PointParamX(lParam), PointParamY(lParam));
        return 0;
    case wm::lButtonUp: OnLeftButtonUp(*record); return 0;
    case wm::parentNotify: OnParentNotify(*record, wParam); return 0;
    case wm::queryNewPalette: return RealizeGamePalette(record->screen);
    case wm::paletteChanged: return OnPaletteChanged(*record, wParam);
    case wm::mciNotify:
        OnMusicNotify(record->game, record->sound, static_cast<std::uint32_t>(lParam & 0xFFFF),
                      static_cast<std::uint32_t>(wParam));
        return 0;
    case wm::ncDestroy: return OnNcDestroy(*record, window, wParam, lParam);
    default: return DefWindowProc(window, message, wParam, lParam);
    }
}

void DiscardMainWindow(WindowHandle window) {
    if (!IsWindow(window)) {
        return; // closed from the desktop: already gone, and let go of its record
    }
    if (MainWindow* record = MainWindowRecord(window)) {
        // The start panel ends while it can still find the record, so that
        // its timer stops and the record forgets it.
        DestroyStartPanel(*record);
        ReleaseRecord(*record, window);
    }
    DestroyWindow(window);
}
