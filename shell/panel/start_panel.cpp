#include "shell/panel/start_panel.h"

#include "core/game_flow.h"
#include "core/ports.h"
#include "platform/user/dialog.h"
#include "shell/dialogs/dialog_templates.h"
#include "page_counter.h"
#include "shell/shell_ports.h"

namespace {

// There is at most one start panel at a time.
WindowHandle startPanel = nullptr;
ContextHandle startPanelDC = nullptr;
std::uint32_t startPanelTimer = 0;
std::int32_t pageCounter = 0;

// The panel's parent is the main window, which holds the game record.
GameState* StateOf(WindowHandle panel) {
    return static_cast<GameState*>(GetWindowUserData(GetParent(panel)));
}

// Centred in the parent's client area, keeping its size.
void CentreInParent(WindowHandle panel) {
    const Rect client = GetClientRect(GetParent(panel));
    const Rect outer = GetWindowRect(panel);
    MoveWindow(panel, (client.width - outer.width) / 2, (client.height - outer.height) / 2,
               outer.width, outer.height);
}

void InitialisePanel(WindowHandle panel, GameState& state) {
    startPanel = panel;
    CentreInParent(panel);
    ShowWindow(panel, true);
    startPanelDC = GetWindowContext(panel);
    startPanelTimer = SetTimer(panel, pageTimerId, pageTimerPeriodMs);
    if (startPanelTimer == 0) {
        // The buttons still work; the picture's black frame stays empty.
        MessageBeep();
    }
    pageCounter = 0;
    DrawBest5Pages(state);
}

// One page tick: a single copy, never text.
void ShowPageTick(GameState& state) {
    const std::int32_t row = PageSourceRow(pageCounter);
    pageCounter = NextPageCounter(pageCounter);
    // The main window realises the palette; the panel only selects it.
    PaletteHandle previous = SelectPalette(startPanelDC, state.palette, false);
    BitBlt(startPanelDC, pagePictureX, pagePictureY, pagePictureWidth, pageRows,
           state.panelImage.context, 0, row, RasterOp::SrcCopy);
    SelectPalette(startPanelDC, previous, false);
}

// The notification code is not looked at: a double click, which notifies a
// click and a double click, moves on two pages.
void OnPanelCommand(GameState& state, int id) {
    switch (id) {
    case item::newGame: NewGame(state); break;
    case item::practice: StartPractice(state); break;
    case item::exitGame: ExitGame(state); break;
    case item::pagePicture: pageCounter = SkipToNextPage(pageCounter); break;
    default: break;
    }
}

void OnPanelDestroy(WindowHandle panel) {
    startPanelDC = nullptr; // the panel's own context goes with it
    KillTimer(panel, startPanelTimer);
    if (startPanel == panel) {
        startPanel = nullptr; // so the loop no longer offers it keys
    }
}

} // namespace

WindowHandle StartPanel() {
    return startPanel;
}

std::int32_t StartPanelPageCounter() {
    return pageCounter;
}

std::uint32_t StartPanelTimer() {
    return startPanelTimer;
}

LResult StartPanelProc(WindowHandle panel, std::uint32_t message, WParam wParam, LParam) {
    GameState* state = StateOf(panel);
    if (state == nullptr) {
        return 0;
    }
    switch (message) {
    case wm::initDialog:
        InitialisePanel(panel, *state);
        return 1; // the focus goes to the first tab stop, New Game
    case wm::command: OnPanelCommand(*state, static_cast<int>(wParam & 0xFFFF)); return 0;
    case wm::timer:
        if (startPanelTimer != 0 && wParam == startPanelTimer) {
            ShowPageTick(*state);
        }
        return 0;
    case wm::destroy: OnPanelDestroy(panel); return 0;
    default: return 0; // WM_PAINT included: the page tick draws again within 50 ms
    }
}

void CreateStartPanel(GameState& state) {
    if (!IsWindow(state.window)) {
        return; // a look-ahead on a copy of the game has no window to set it in
    }
    startPanel = CreateDialogOf(StartPanelTemplate(), state.window, StartPanelProc, 0);
}

void DestroyStartPanel() {
    if (startPanel != nullptr) {
        DestroyWindow(startPanel);
    }
}
