#pragma once

#include "audio/audio.h"
#include "base/handles.h"
#include "core/game_state.h"
#include "render/render_resources.h"
#include "shell/menu_bar.h"
#include "shell/shell_ports.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// What the program entry hands the main window when it creates it: where
// the settings and records are read at start-up and written at teardown (an
// empty path means none: defaults, or nothing written), the random seed
// when a replay fixes it in place of the tick count, the music file, and
// whether the desktop shows the game fullscreen, asked when the settings are
// saved (empty where there is no desktop: the file's key is left alone).
struct StartupOptions {
    std::filesystem::path load;
    std::filesystem::path save;
    std::optional<std::uint32_t> seed;
    std::string musicFile{musicFileName};
    std::function<bool()> fullscreen{};
};

// The start panel as its main window keeps it: there is at most one.
struct StartPanelRecord {
    WindowHandle window;   // nullptr while there is none
    ContextHandle context; // the panel's own drawing context
    std::uint32_t timer;   // the page timer's id, 0 when it could not be made
    std::int32_t pageCounter;
    // The panelImage row the picture shows now; -1 when it must be drawn
    // again (a repaint, or new Best5 pages).
    std::int32_t shownRow = -1;
};

// Whoever answers the dialogs in place of a person (the headless runner) is
// told when one of them has been set up and shown, before its loop takes the
// first message, and when it is about to be confirmed (OK, or Cancel where
// there is one), before it acts on its answer. Empty, the game's case, tells
// nobody.
enum class DialogMoment { Shown, Confirming };
using DialogWatcher = std::function<void(WindowHandle dialog, DialogMoment moment)>;

// Everything one main window owns, from its creation to its last message:
// the rules' record, the renderer's and the sound's resources beside it, the
// menu bar, the start panel, and the ports that connect them all.
struct MainWindow {
    WindowHandle handle = nullptr;
    GameState game{};
    RenderResources screen{};
    AudioResources sound{};
    MenuBar menu = MakeMainMenu();
    StartPanelRecord panel{};
    StartupOptions options;
    // Where the end of the run saves: options.save, or the aside file while
    // the settings file cannot be read.
    std::filesystem::path saveTo;
    DialogWatcher dialogWatcher;
    std::unique_ptr<ShellPorts> ports;
};

// Plugs in the ports that answer for this window, in the record and in its
// game record alike.
void ConnectPorts(MainWindow& window, std::unique_ptr<ShellPorts> ports);

// The main window's message handlers, one per message, each given the
// window's record and what it uses of the message.
void OnCreate(MainWindow& window);  // the whole start-up
void OnDestroy(MainWindow& window); // the whole teardown
void OnCommand(MainWindow& window, int commandId);
void OnKeyDown(MainWindow& window, int virtualKey);
void OnKeyUp(MainWindow& window, int virtualKey);
void OnTimer(MainWindow& window, std::uint32_t timerId);
void OnLeftButtonDown(MainWindow& window, std::int32_t x, std::int32_t y);
void OnLeftButtonUp(MainWindow& window);
void OnPaint(MainWindow& window);
