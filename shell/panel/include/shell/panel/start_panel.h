#pragma once

#include "platform/user/user.h"
#include "shell/main_window.h"

#include <cstdint>

// The start panel: a modeless dialog set into the middle of the main
// window's client area in the title, with New Game, Practice, Exit and the
// picture that cycles through the title and the Best5 pages. Its state is
// the main window's (MainWindow::panel).

// The page timer: id 2, every 50 ms, on the panel.
inline constexpr std::uint32_t pageTimerId = 2;
inline constexpr std::uint32_t pageTimerPeriodMs = 50;
// Where the 288 x 140 pages are drawn in the panel's client area.
inline constexpr std::int32_t pagePictureX = 13;
inline constexpr std::int32_t pagePictureY = 12;
inline constexpr std::int32_t pagePictureWidth = 288;

// Made in the title, and destroyed when a game starts.
void CreateStartPanel(MainWindow& window);
void DestroyStartPanel(MainWindow& window);
// Draws pages 1 to 3 of the window's panel image, the Best5 tables, afresh.
void DrawBest5Pages(MainWindow& window);

// The panel's procedure.
LResult StartPanelProc(WindowHandle panel, std::uint32_t message, WParam wParam, LParam lParam);
