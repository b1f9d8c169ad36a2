#include "shell/main_window.h"

#include "core/commands.h"
#include "core/floor_field.h"
#include "core/game_flow.h"
#include "core/game_tick.h"
#include "core/ports.h"
#include "core/random.h"
#include "persist/settings_file.h"
#include "shell/main_menu.h"
#include "shell/shell_ports.h"

#include <utility>

namespace {

StartupOptions startupOptions;

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

void SetStartupOptions(StartupOptions options) {
    startupOptions = std::move(options);
}

void OnCreate(GameState& state) {
    ResetMainMenu();
    CreateSurfaces(state);
    // Settings come before the layout, which reads the difficulty and the switches.
    LoadSettings(state, startupOptions.load);
    SetStartValues(state);
    UpdateMenuChecks(state);
    CheckOptionItems(state);
    SeedRandom(startupOptions.seed ? *startupOptions.seed : GetTickCount());
    LayOutField(state);
    LoadEffects(state);
    state.musicDevice = OpenMusic(state);
    ShowMainWindow(state);
    state.tickTimer = CreateTickTimer(state);
    if (state.tickTimer == 0) {
        SoundDefaultBeep(); // and nothing ever ticks; menus and dialogs still work
    }
    CreateStartPanel(state);
}

void OnDestroy(GameState& state) {
    // Ending the program during a practice game must not save the practice
    // settings over the player's own.
    RestorePracticeSettings(state);
    if (!startupOptions.save.empty()) {
        SaveSettings(state, startupOptions.save); // a failed write loses this run only
    }
    ReleaseSurfaces(state);
    ReleaseEffects(state);
    CloseMusic(state);
    CloseHelp(state);
    PostQuitMessage(0);
}

void OnKeyDown(GameState& state, int virtualKey) {
    HandleKey(state, virtualKey, true);
}

void OnKeyUp(GameState& state, int virtualKey) {
    HandleKey(state, virtualKey, false);
}

void OnTimer(GameState& state, std::uint32_t timerId) {
    DispatchTick(state, timerId);
}

void OnLeftButtonDown(GameState& state, std::int32_t x, std::int32_t y) {
    HandleLeftButtonDown(state, x, y);
}

void OnLeftButtonUp(GameState& state) {
    HandleLeftButtonUp(state);
}

void OnPaint(GameState& state) {
    PaintWindow(state);
}
