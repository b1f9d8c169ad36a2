#pragma once

#include "base/handles.h"

#include <filesystem>

// Saves the main window's client area, as a person would see it, as an
// 8-bit BMP with the game palette. False when the file cannot be written.
bool SaveClientArea(WindowHandle mainWindow, PaletteHandle palette,
                    const std::filesystem::path& file);
