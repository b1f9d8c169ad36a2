// The shell's outside calls, written down like the core's ports, for tests
// of the main window's handlers.

#include "shell/shell_ports.h"
#include "tests/support/recording_ports.h"

namespace recording {

std::uint32_t& TickTimerAnswer() {
    static std::uint32_t id = 1;
    return id;
}

std::uint32_t& TickCountAnswer() {
    static std::uint32_t count = 1;
    return count;
}

} // namespace recording

using recording::Record;

void CreateSurfaces(GameState&) {
    Record("CreateSurfaces");
}
void ReleaseSurfaces(GameState&) {
    Record("ReleaseSurfaces");
}
void PaintWindow(GameState&) {
    Record("PaintWindow");
}
void DrawJumpCountLabel(GameState&) {
    Record("DrawJumpCountLabel");
}
void LoadEffects(GameState&) {
    Record("LoadEffects");
}
void ReleaseEffects(GameState&) {
    Record("ReleaseEffects");
}
std::uint32_t OpenMusic(GameState&) {
    Record("OpenMusic");
    return 7;
}
void CloseMusic(GameState&) {
    Record("CloseMusic");
}
void DrawBest5Pages(GameState&) {
    Record("DrawBest5Pages");
}
void RunAboutDialog(GameState&) {
    Record("RunAboutDialog");
}
void ShowMainWindow(GameState&) {
    Record("ShowMainWindow");
}
std::uint32_t CreateTickTimer(GameState&) {
    Record("CreateTickTimer");
    return recording::TickTimerAnswer();
}
void SoundDefaultBeep() {
    Record("SoundDefaultBeep");
}
std::uint32_t GetTickCount() {
    Record("GetTickCount");
    return recording::TickCountAnswer();
}
void DrawMenuBarOf(GameState&) {
    Record("DrawMenuBarOf");
}
void ShowHelpTopics(GameState&) {
    Record("ShowHelpTopics");
}
void CloseHelp(GameState&) {
    Record("CloseHelp");
}
void PostQuitMessage(int exitCode) {
    Record("PostQuitMessage " + std::to_string(exitCode));
}
