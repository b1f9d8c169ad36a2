#pragma once

// Where a window's client area lies and the surfaces that go with its size.

#include "window_system.h"

bool IsTopLevel(const PlatformWindow* window);
// Only the main window shows its menu bar, at the top of the screen.
bool ShowsMenuBar(const PlatformWindow* window);
// Sets the client rectangle from the outer one given in CreateWindowOf's
// coordinates and sizes the client, menu bar and frame surfaces.
void PlaceWindow(PlatformWindow* window, std::int32_t x, std::int32_t y, std::int32_t width,
                 std::int32_t height);
void ReleaseWindowSurfaces(PlatformWindow* window);
