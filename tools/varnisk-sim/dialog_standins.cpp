// The headless runner's start panel and dialogs: there is no panel, and the
// dialogs are answered at once from the script.

#include "core/ports.h"
#include "shell/shell_ports.h"
#include "tools/varnisk-sim/sim_host.h"

void CreateStartPanel(GameState&) {}
void DestroyStartPanel() {}
void DrawBest5Pages(GameState&) {}
void RunNameEntryDialog(GameState& state) {
    if (Host().nextName) {
        SetName(state.lastInputName, *Host().nextName);
        Host().nextName.reset();
    }
}
std::int32_t RunClearBest5Dialog(GameState&) {
    const std::int32_t choice = Host().nextClearChoice.value_or(1); // opens on "Clear All"
    Host().nextClearChoice.reset();
    return choice;
}
void RunAboutDialog(GameState&) {}
