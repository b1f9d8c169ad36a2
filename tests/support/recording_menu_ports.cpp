// The menu operations of the core, written down like every other port call,
// for tests that run the core without the shell's real menu.

#include "core/ports.h"
#include "tests/support/recording_ports.h"

using recording::Record;

void UpdateMenuChecks(GameState&) {
    Record("UpdateMenuChecks");
}
void SwitchMenuToPlayState(GameState&) {
    Record("SwitchMenuToPlayState");
}
void SwitchMenuToTitleState(GameState&) {
    Record("SwitchMenuToTitleState");
}
void RedrawMenuBar(GameState&) {
    Record("RedrawMenuBar");
}
void SetPauseItemLabel(GameState&, bool paused) {
    Record(paused ? "SetPauseItemLabel Resume" : "SetPauseItemLabel Pause");
}
void CheckMenuItem(GameState&, int commandId, bool checked) {
    Record("CheckMenuItem " + std::to_string(commandId) + (checked ? " 1" : " 0"));
}
