#include "shell/panel/start_panel.h"

#include "core/game_flow.h"
#include "page_counter.h"
#include "platform/user/dialog.h"
#include "shell/dialogs/dialog_templates.h"

namespace {

// The panel's parent is the main window, which holds the record.
MainWindow* WindowOf(WindowHandle panel) {
    return static_cast<MainWindow*>(GetWindowUserData(GetParent(panel)));
}

// Centred in the parent's client area, keeping its size.
void CentreInParent(WindowHandle panel) {
    const Rect client = GetClientRect(GetParent(panel));
    const Rect outer = GetWindowRect(panel);
    MoveWindow(panel, (client.width - outer.width) / 2, (client.height - outer.height) / 2,
               outer.width, outer.height);
}

void InitialisePanel(WindowHandle panel, MainWindow& window) {
    StartPanelRecord& record = window.panel;
    record.window = panel;
    CentreInParent(panel);
    ShowWindow(panel, true);
    record.context = GetWindowContext(panel);
    record.timer = SetTimer(panel, pageTimerId, pageTimerPeriodMs);
    if (record.timer == 0) {
        // The buttons still work; the picture's black frame stays empty.
        MessageBeep();
    }
    record.pageCounter = 0;
    DrawBest5Pages(window);
}

// One page tick: a single copy, never text.
void ShowPageTick(MainWindow& window) {
    StartPanelRecord& record = window.panel;
    const std::int32_t row = PageSourceRow(record.pageCounter);
    record.pageCounter = NextPageCounter(record.pageCounter);
    // A page stands still most of the time: copying the same rows again
    // would only make the whole screen be presented again, 20 times a second.
    if (row == record.shownRow) {
        return;
    }
    record.shownRow = row;
    // The main window realises the palette; the panel only selects it.
    PaletteHandle previous = SelectPalette(record.context, window.screen.palette, false);
    BitBlt(record.context, pagePictureX, pagePictureY, pagePictureWidth, pageRows,
           window.screen.panelImage.context, 0, row, RasterOp::SrcCopy);
    SelectPalette(record.context, previous, false);
}

// The notification code is not looked at: a double click, which notifies a
// click and a double click, moves on two pages.
void OnPanelCommand(MainWindow& window, int id) {
    switch (id) {
    case item::newGame: NewGame(window.game); break;
    case item::practice: StartPractice(window.game); break;
    case item::exitGame: ExitGame(window.game); break;
    case item::pagePicture:
        window.panel.pageCounter = SkipToNextPage(window.panel.pageCounter);
        break;
    default: break;
    }
}

void OnPanelDestroy(MainWindow& window, WindowHandle panel) {
    StartPanelRecord& record = window.panel;
    record.context = nullptr; // the panel's own context goes with it
    KillTimer(panel, record.timer);
    if (record.window == panel) {
        record.window = nullptr; // so the loop no longer offers it keys
    }
}

} // namespace

LResult StartPanelProc(WindowHandle panel, std::uint32_t message, WParam wParam, LParam) {
    MainWindow* window = WindowOf(panel);
    if (window == nullptr) {
        return 0;
    }
    switch (message) {
    case wm::initDialog:
        InitialisePanel(panel, *window);
        return 1; // the focus goes to the first tab stop, New Game
    case wm::command: OnPanelCommand(*window, static_cast<int>(wParam & 0xFFFF)); return 0;
    case wm::timer:
        if (window->panel.timer != 0 && wParam == window->panel.timer) {
            ShowPageTick(*window);
        }
        return 0;
    case wm::destroy: OnPanelDestroy(*window, panel); return 0;
    case wm::paint:
        window->panel.shownRow = -1; // the next page tick, within 50 ms, draws it
        return 0;
    default: return 0;
    }
}

void CreateStartPanel(MainWindow& window) {
    if (!IsWindow(window.handle)) {
        return; // no main window to set it in
    }
    window.panel.window = CreateDialogOf(StartPanelTemplate(), window.handle, StartPanelProc, 0);
}

void DestroyStartPanel(MainWindow& window) {
    if (window.panel.window != nullptr) {
        DestroyWindow(window.panel.window);
    }
}
