#pragma once

#include "shell/main_window.h"

#include <filesystem>

// The settings and records file as the main window keeps it: read at
// start-up, saved at the end, and never lost in silence. When the file is
// there but cannot be read, it is left alone for the whole run and the
// records live in an aside file beside it until the file can be read again;
// when a save fails, the player may retry it.

// Where the records of a run go while `file` cannot be read:
// varnisk.ini -> varnisk-unsaved.ini.
std::filesystem::path AsideRecordsFile(const std::filesystem::path& file);

// Fills the game's settings and records from the startup options' file (or
// its aside file), telling the player once when the file could not be read,
// and sets where the end of the run saves.
void LoadRecords(MainWindow& window);

// Saves the settings and records where the start-up said; a failed save is
// told and may be retried as often as the player asks.
void SaveRecords(MainWindow& window);
