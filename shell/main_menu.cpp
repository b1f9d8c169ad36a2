#include "shell/main_menu.h"

#include "core/commands.h"

void UpdateMenuChecks(MenuBar& bar, const GameState& state) {
    for (int d = 1; d <= difficultyCount; ++d) {
        SetItemChecked(bar, command::difficultyBase + d, state.difficulty == d);
    }
    SetItemChecked(bar, command::conveyorBelt, (state.floorFlags & conveyorFlag) != 0);
    SetItemChecked(bar, command::movingLR, (state.floorFlags & slidingFlag) != 0);
    SetItemChecked(bar, command::movingUD, (state.floorFlags & liftFlag) != 0);
    SetItemChecked(bar, command::spring, (state.floorFlags & springFlag) != 0);
}
