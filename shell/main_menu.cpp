#include "shell/main_menu.h"

#include "core/commands.h"
#include "core/ports.h"
#include "shell/shell_ports.h"

MenuBar& MainMenu() {
    static MenuBar bar = MakeMainMenu();
    return bar;
}

void ResetMainMenu() {
    MainMenu() = MakeMainMenu();
}

// The menu operations the game core asks for, done on the main menu.

void UpdateMenuChecks(GameState& state) {
    MenuBar& bar = MainMenu();
    for (int d = 1; d <= difficultyCount; ++d) {
        SetItemChecked(bar, command::difficultyBase + d, state.difficulty == d);
    }
    SetItemChecked(bar, command::conveyorBelt, (state.floorFlags & conveyorFlag) != 0);
    SetItemChecked(bar, command::movingLR, (state.floorFlags & slidingFlag) != 0);
    SetItemChecked(bar, command::movingUD, (state.floorFlags & liftFlag) != 0);
    SetItemChecked(bar, command::spring, (state.floorFlags & springFlag) != 0);
}

void SwitchMenuToPlayState(GameState&) {
    SetPlayState(MainMenu());
}

void SwitchMenuToTitleState(GameState&) {
    SetTitleState(MainMenu());
}

void RedrawMenuBar(GameState& state) {
    DrawMenuBarOf(state);
}

void SetPauseItemLabel(GameState&, bool paused) {
    SetPauseLabel(MainMenu(), paused);
}

void CheckMenuItem(GameState&, int commandId, bool checked) {
    SetItemChecked(MainMenu(), commandId, checked);
}
