// Stand-ins for the screen, the audio, the start panel and the dialogs of the
// headless runner. Nothing is drawn; what changes the game record (the
// partial redraw lowering its marks) is done exactly as the renderer does.

#include "core/floor_field.h"
#include "core/ports.h"
#include "shell/main_window.h"
#include "shell/shell_ports.h"
#include "tools/varnisk-sim/sim_host.h"

SimHost& Host() {
    static SimHost host;
    return host;
}

void ResetHost(std::uint32_t seed) {
    Host() = SimHost{};
    Host().seed = seed;
}

// The play field and the status panel.
void DrawFullFrame(GameState&) {}
void DrawPartialFrame(GameState& state) {
    // Each partial frame redraws the marked slots and lowers their marks by one.
    for (FloorSlot& slot : state.floors) {
        if (slot.dirty != 0) {
            --slot.dirty;
        }
    }
}
void DrawJumpGauge(GameState&) {}
void DrawFloorCounter(GameState&) {}
void DrawDifficultyAndBest(GameState&) {}
void DrawJumpCount(GameState&) {}
void DrawJumpCountLabel(GameState&) {}
void FillWindowRectBlack(GameState&, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
void CreateSurfaces(GameState&) {}
void ReleaseSurfaces(GameState&) {}
void PaintWindow(GameState& state) {
    // A repaint in the partial mode marks every slot before drawing them.
    if (state.speedUp != 0) {
        ScrollField(state, 0);
        DrawPartialFrame(state);
    } else {
        DrawFullFrame(state);
    }
}

// Effects and music are recorded, not heard; blocking effects take no time.
void PlayEffect(GameState&, int effectId) {
    Host().sounds.push_back(effectId);
}
void PlayMusic(GameState&) {
    Host().music.emplace_back("play");
}
void StopMusic(GameState&) {
    Host().music.emplace_back("stop");
}
void LoadEffects(GameState&) {}
void ReleaseEffects(GameState&) {}
std::uint32_t OpenMusic(GameState&) {
    return 1;
}
void CloseMusic(GameState&) {}

// The start panel and the dialogs answer at once.
void CreateStartPanel(GameState&) {
    Host().startPanelShown = true;
}
void DestroyStartPanel() {
    Host().startPanelShown = false;
}
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
void ShowHelpTopics(GameState&) {}
void CloseHelp(GameState&) {}

// The window.
WindowHandle GetKeyboardFocus() {
    return nullptr;
}
void SetKeyboardFocus(WindowHandle) {}
void CaptureMouse(GameState&) {
    Host().mouseCaptured = true;
}
void ReleaseMouseCapture() {
    Host().mouseCaptured = false;
}
void SendDestroyMessage(GameState& state) {
    OnDestroy(state);
}
void ShowMainWindow(GameState&) {}
std::uint32_t CreateTickTimer(GameState&) {
    return 1;
}
void SoundDefaultBeep() {}
std::uint32_t GetTickCount() {
    return Host().seed;
}
void DrawMenuBarOf(GameState&) {}
void PostQuitMessage(int exitCode) {
    Host().quit = true;
    Host().exitCode = exitCode;
}
