#include "tests/support/recording_ports.h"

#include "core/floor_field.h"
#include "core/random.h"
#include "core/record_table.h"
#include "shell/main_menu.h"

void RecordingPorts::Clear() {
    calls.clear();
    draws.clear();
    keepPreset = true;
    name.clear();
    clearChoice = 1;
    onNameDialog = nullptr;
}

std::vector<std::string> RecordingPorts::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& call : calls) {
        if (call.rfind(prefix, 0) == 0) {
            out.push_back(call);
        }
    }
    return out;
}

std::vector<int> RecordingPorts::Effects() const {
    std::vector<int> out;
    for (const std::string& call : CallsStartingWith("PlayEffect ")) {
        out.push_back(std::stoi(call.substr(11)));
    }
    return out;
}

void RecordingPorts::Record(std::string call) {
    calls.push_back(std::move(call));
}

void RecordingPorts::RecordDraw(const char* call, const GameState& state) {
    Record(call);
    draws.push_back(
        {call, state.mode, state.playerX, state.playerY, state.rollPhase, state.shownFloor});
}

void RecordingPorts::FillWindowRectBlack(GameState&, std::int32_t left, std::int32_t top,
                                         std::int32_t right, std::int32_t bottom) {
    Record("FillWindowRectBlack " + std::to_string(left) + " " + std::to_string(top) + " " +
           std::to_string(right) + " " + std::to_string(bottom));
}
void RecordingPorts::RunNameEntryDialog(GameState& state) {
    Record("RunNameEntryDialog");
    if (onNameDialog) {
        onNameDialog(state);
    }
    if (!keepPreset) {
        SetName(state.lastInputName, name);
    }
}
std::int32_t RecordingPorts::RunClearBest5Dialog(GameState&) {
    Record("RunClearBest5Dialog");
    return clearChoice;
}
void RecordingPorts::UpdateMenuChecks(GameState& state) {
    Record("UpdateMenuChecks");
    if (menu != nullptr) {
        ::UpdateMenuChecks(*menu, state);
    }
}
void RecordingPorts::SwitchMenuToPlayState(GameState&) {
    Record("SwitchMenuToPlayState");
    if (menu != nullptr) {
        SetPlayState(*menu);
    }
}
void RecordingPorts::SwitchMenuToTitleState(GameState&) {
    Record("SwitchMenuToTitleState");
    if (menu != nullptr) {
        SetTitleState(*menu);
    }
}
void RecordingPorts::SetPauseItemLabel(GameState&, bool paused) {
    Record(paused ? "SetPauseItemLabel Resume" : "SetPauseItemLabel Pause");
    if (menu != nullptr) {
        SetPauseLabel(*menu, paused);
    }
}
void RecordingPorts::CheckMenuItem(GameState&, int commandId, bool checked) {
    Record("CheckMenuItem " + std::to_string(commandId) + (checked ? " 1" : " 0"));
    if (menu != nullptr) {
        SetItemChecked(*menu, commandId, checked);
    }
}
WindowHandle RecordingPorts::GetKeyboardFocus(GameState&) {
    Record("GetKeyboardFocus");
    return nullptr;
}

std::uint32_t RecordingPorts::CreateTickTimer() {
    Record("CreateTickTimer");
    return tickTimer;
}
std::uint32_t RecordingPorts::GetTickCount() {
    Record("GetTickCount");
    return tickCount;
}

GameState MakeTitleState(RecordingPorts& ports, std::uint32_t seed) {
    GameState state{};
    state.ports = &ports;
    for (RecordTable& table : state.records) {
        ResetRecordTable(table);
    }
    SetName(state.lastInputName, defaultHolderName);
    state.tickTimer = 1;
    state.difficulty = 2;
    state.floorFlags = allFloorFlags;
    state.musicOn = 1;
    state.soundOn = 1;
    state.mode = GameMode::Title;
    state.playerY = fieldHeight;
    state.floorCount = 1;
    state.shownFloor = 1;
    SeedRandom(state.random, seed);
    LayOutField(state);
    ports.Clear();
    return state;
}
