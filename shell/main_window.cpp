#include "shell/main_window.h"

#include "core/commands.h"
#include "core/floor_field.h"
#include "core/game_flow.h"
#include "core/game_tick.h"
#include "core/ports.h"
#include "core/random.h"
#include "records_file.h"
#include "shell/shell_ports.h"

#include <utility>

namespace {

void SetStartValues(GameState& state) {
    state.mode = GameMode::Title;
    state.playerY = fieldHeight; // no character in the field
    state.jumpPower = 0;
    state.animFrame = 0;
    state.scrollPhase = 0;
    state.patternIndex = 0;
    state.rollPhase = 0;
    state.jumpCount = 0;
    state.floorCount = 1;
    state.shownFloor = 1;
    state.practiceDifficulty = 0;
    state.practiceFloorFlags = 0;
}

void CheckOptionItems(GameState& state) {
    CheckMenuItem(state, command::music, state.musicOn != 0);
    CheckMenuItem(state, command::sound, state.soundOn != 0);
    CheckMenuItem(state, command::speedUp, state.speedUp != 0);
    CheckMenuItem(state, command::showJumpCount, state.showJumpCount != 0);
}

} // namespace

void ConnectPorts(MainWindow& window, std::unique_ptr<ShellPorts> ports) {
    window.ports = std::move(ports);
    window.game.ports = window.ports.get();
}

void OnCreate(MainWindow& window) {
    GameState& state = window.game;
    ShellPorts& ports = *window.ports;
    ports.CreateSurfaces();
    // Settings come before the layout, which reads the difficulty and the switches.
    LoadRecords(window);
    SetStartValues(state);
    UpdateMenuChecks(state);
    CheckOptionItems(state);
    SeedRandom(state.random, window.options.seed ? *window.options.seed : ports.GetTickCount());
    LayOutField(state);
    ports.LoadEffects();
    ports.OpenMusic();
    ports.ShowMainWindow();
    state.tickTimer = ports.CreateTickTimer();
    if (state.tickTimer == 0) {
        ports.SoundDefaultBeep(); // and nothing ever ticks; menus and dialogs still work
    }
    CreateStartPanel(state);
}

void OnDestroy(MainWindow& window) {
    GameState& state = window.game;
    ShellPorts& ports = *window.ports;
    // Ending the program during a practice game must not save the practice
    // settings over the player's own.
    RestorePracticeSettings(state);
    SaveRecords(window);
    ports.ReleaseSurfaces();
    ports.ReleaseEffects();
    ports.CloseMusic();
    ports.CloseHelp();
    ports.PostQuitMessage(0);
}

void OnKeyDown(MainWindow& window, int virtualKey) {
    HandleKey(window.game, virtualKey, true);
}

void OnKeyUp(MainWindow& window, int virtualKey) {
    HandleKey(window.game, virtualKey, false);
}

void OnTimer(MainWindow& window, std::uint32_t timerId) {
    DispatchTick(window.game, timerId);
}

void OnLeftButtonDown(MainWindow& window, std::int32_t x, std::int32_t y) {
    HandleLeftButtonDown(window.game, x, y);
}

void OnLeftButtonUp(MainWindow& window) {
    HandleLeftButtonUp(window.game);
}

void OnPaint(MainWindow& window) {
    window.ports->PaintWindow();
}
