#include "shell/desktop/window_procedure.h"

#include "audio/audio.h"
#include "core/game_state.h"
#include "render/palette.h"
#include "shell/main_window.h"

#include <new>

namespace {

// The start panel's "New Game" button.
constexpr int idOk = 1;

GameState* StateOf(WindowHandle window) {
    return static_cast<GameState*>(GetWindowUserData(window));
}

LResult OnNcCreate(WindowHandle window, WParam wParam, LParam lParam) {
    if (StateOf(window) == nullptr) {
        // The record starts zero-filled; start-up fills in the rest.
        auto* state = new (std::nothrow) GameState{};
        if (state == nullptr) {
            return 0; // the window is not created
        }
        state->window = window;
        SetWindowUserData(window, state);
    }
    return DefWindowProc(window, wm::ncCreate, wParam, lParam);
}

// In the title every activation change, deactivation included, hands the
// keyboard to the start panel's New Game button.
void OnActivate(GameState& state) {
    if (state.mode != GameMode::Title) {
        return;
    }
    if (WindowHandle panel = GetFirstChild(state.window)) {
        if (WindowHandle newGame = GetDialogItem(panel, idOk)) {
            SetFocus(newGame);
        }
    }
}

// When the start panel goes at the start of a game, the keyboard comes back
// to the main window, so that space and Escape reach the game.
void OnParentNotify(GameState& state, WParam wParam) {
    if ((wParam & 0xFFFF) == wm::destroy) {
        SetFocus(state.window);
    }
}

LResult OnPaletteChanged(GameState& state, WParam changedBy) {
    const auto changer = reinterpret_cast<WindowHandle>(changedBy);
    if (changer == state.window) {
        return static_cast<LResult>(changedBy); // our own change: nothing to realize
    }
    return RealizeGamePalette(state);
}

// The tick stops and the record goes; later messages find no record.
void FreeState(GameState* state, WindowHandle window) {
    KillTimer(window, state->tickTimer);
    SetWindowUserData(window, nullptr);
    delete state;
}

LResult OnNcDestroy(GameState* state, WindowHandle window, WParam wParam, LParam lParam) {
    FreeState(state, window);
    return DefWindowProc(window, wm::ncDestroy, wParam, lParam);
}

} // namespace

LResult MainWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == wm::ncCreate) {
        return OnNcCreate(window, wParam, lParam);
    }
    GameState* state = StateOf(window);
    if (state == nullptr) {
        return DefWindowProc(window, message, wParam, lParam);
    }
    switch (message) {
    case wm::create: OnCreate(*state); return 0;
    case wm::destroy: OnDestroy(*state); return 0;
    case wm::activate: OnActivate(*state); return 0;
    case wm::paint: OnPaint(*state); return 0;
    case wm::keyDown: OnKeyDown(*state, static_cast<int>(wParam)); return 0;
    case wm::keyUp: OnKeyUp(*state, static_cast<int>(wParam)); return 0;
    case wm::command: OnCommand(*state, static_cast<int>(wParam & 0xFFFF)); return 0;
    case wm::timer: OnTimer(*state, static_cast<std::uint32_t>(wParam)); return 0;
    case wm::lButtonDown:
        OnLeftButtonDown(*state, PointParamX(lParam), PointParamY(lParam));
        return 0;
    case wm::lButtonUp: OnLeftButtonUp(*state); return 0;
    case wm::parentNotify: OnParentNotify(*state, wParam); return 0;
    case wm::queryNewPalette: return RealizeGamePalette(*state);
    case wm::paletteChanged: return OnPaletteChanged(*state, wParam);
    case wm::mciNotify:
        OnMusicNotify(*state, static_cast<std::uint32_t>(lParam & 0xFFFF),
                      static_cast<std::uint32_t>(wParam));
        return 0;
    case wm::ncDestroy: return OnNcDestroy(state, window, wParam, lParam);
    default: return DefWindowProc(window, message, wParam, lParam);
    }
}

void DiscardMainWindow(WindowHandle window) {
    if (!IsWindow(window)) {
        return; // closed from the desktop: already gone with its record
    }
    if (GameState* state = StateOf(window)) {
        FreeState(state, window);
    }
    DestroyWindow(window);
}
