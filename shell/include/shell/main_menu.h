#pragma once

#include "shell/menu_bar.h"

// The one main window's menu bar, made afresh when the window is created.
MenuBar& MainMenu();
void ResetMainMenu();
