// The game's start panel and dialogs come with their own piece of work; until
// then the game answers for them as the headless runner does: no panel (New
// Game is on the File menu), dialogs confirmed as opened.

#include "core/ports.h"
#include "shell/shell_ports.h"

void CreateStartPanel(GameState&) {}
void DestroyStartPanel() {}
void DrawBest5Pages(GameState&) {}
void RunNameEntryDialog(GameState&) {} // the preset name is kept
std::int32_t RunClearBest5Dialog(GameState&) {
    constexpr std::int32_t clearAll = 1; // the choice the dialog opens on
    return clearAll;
}
void RunAboutDialog(GameState&) {}
