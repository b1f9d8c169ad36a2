#include "tests/support/recording_ports.h"

#include "core/floor_field.h"
#include "core/ports.h"
#include "core/random.h"
#include "core/record_table.h"

namespace recording {

std::vector<std::string>& Calls() {
    static std::vector<std::string> calls;
    return calls;
}

void Record(std::string call) {
    Calls().push_back(std::move(call));
}

std::vector<DrawSnapshot>& Draws() {
    static std::vector<DrawSnapshot> draws;
    return draws;
}

void Clear() {
    Calls().clear();
    Draws().clear();
    Answers() = DialogAnswers{};
    OnNameDialog() = nullptr;
}

std::vector<std::string> CallsStartingWith(const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& call : Calls()) {
        if (call.rfind(prefix, 0) == 0) {
            out.push_back(call);
        }
    }
    return out;
}

std::vector<int> Effects() {
    std::vector<int> out;
    for (const std::string& call : CallsStartingWith("PlayEffect ")) {
        out.push_back(std::stoi(call.substr(11)));
    }
    return out;
}

DialogAnswers& Answers() {
    static DialogAnswers answers;
    return answers;
}

std::function<void(GameState&)>& OnNameDialog() {
    static std::function<void(GameState&)> hook;
    return hook;
}

} // namespace recording

using recording::Record;

namespace {

void RecordDraw(const char* call, const GameState& state) {
    Record(call);
    recording::Draws().push_back(
        {call, state.mode, state.playerX, state.playerY, state.rollPhase, state.shownFloor});
}

} // namespace

void DrawFullFrame(GameState& state) { RecordDraw("DrawFullFrame", state); }
void DrawPartialFrame(GameState& state) { RecordDraw("DrawPartialFrame", state); }
void DrawJumpGauge(GameState& state) {
    Record("DrawJumpGauge " + std::to_string(state.jumpPower));
}
void DrawFloorCounter(GameState& state) { RecordDraw("DrawFloorCounter", state); }
void DrawDifficultyAndBest(GameState&) {
    Record("DrawDifficultyAndBest");
}
void DrawJumpCount(GameState& state) {
    Record("DrawJumpCount " + std::to_string(state.jumpCount));
}
void FillWindowRectBlack(GameState&, std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom) {
    Record("FillWindowRectBlack " + std::to_string(left) + " " + std::to_string(top) + " " +
           std::to_string(right) + " " + std::to_string(bottom));
}
void PlayEffect(GameState&, int effectId) {
    Record("PlayEffect " + std::to_string(effectId));
}
void PlayMusic(GameState&) {
    Record("PlayMusic");
}
void StopMusic(GameState&) {
    Record("StopMusic");
}
void CreateStartPanel(GameState&) {
    Record("CreateStartPanel");
}
void DestroyStartPanel() {
    Record("DestroyStartPanel");
}
void RunNameEntryDialog(GameState& state) {
    Record("RunNameEntryDialog");
    if (recording::OnNameDialog()) {
        recording::OnNameDialog()(state);
    }
    if (!recording::Answers().keepPreset) {
        SetName(state.lastInputName, recording::Answers().name);
    }
}
std::int32_t RunClearBest5Dialog(GameState&) {
    Record("RunClearBest5Dialog");
    return recording::Answers().clearChoice;
}
WindowHandle GetKeyboardFocus() {
    Record("GetKeyboardFocus");
    return nullptr;
}
void SetKeyboardFocus(WindowHandle) {
    Record("SetKeyboardFocus");
}
void CaptureMouse(GameState&) {
    Record("CaptureMouse");
}
void ReleaseMouseCapture() {
    Record("ReleaseMouseCapture");
}
void SendDestroyMessage(GameState&) {
    Record("SendDestroyMessage");
}

GameState MakeTitleState(std::uint32_t seed) {
    GameState state{};
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
    SeedRandom(seed);
    LayOutField(state);
    recording::Clear();
    return state;
}
