#pragma once

#include "platform/user/user.h"

#include <cstdint>

// The start panel: a modeless dialog set into the middle of the main
// window's client area in the title, with New Game, Practice, Exit and the
// picture that cycles through the title and the Best5 pages. CreateStartPanel,
// DestroyStartPanel and DrawBest5Pages are the ports the game calls.

// The page timer: id 2, every 50 ms, on the panel.
inline constexpr std::uint32_t pageTimerId = 2;
inline constexpr std::uint32_t pageTimerPeriodMs = 50;
// Where the 288 x 140 pages are drawn in the panel's client area.
inline constexpr std::int32_t pagePictureX = 13;
inline constexpr std::int32_t pagePictureY = 12;
inline constexpr std::int32_t pagePictureWidth = 288;

// The panel that exists (nullptr while there is none): the main loop gives it
// its dialog keys.
WindowHandle StartPanel();
// The page counter, 0..559, and the page timer's id (0 when it could not be
// made), as the panel keeps them.
std::int32_t StartPanelPageCounter();
std::uint32_t StartPanelTimer();

// The panel's procedure.
LResult StartPanelProc(WindowHandle panel, std::uint32_t message, WParam wParam, LParam lParam);
