#include "core/game_flow.h"

#include "core/commands.h"
#include "core/floor_field.h"
#include "core/ports.h"
#include "effects.h"

namespace {

constexpr std::int32_t startY = 288; // standing on the ground
constexpr std::int32_t normalDifficulty = 2;

bool InSpot(std::int32_t x, std::int32_t y, std::int32_t left, std::int32_t top, std::int32_t width,
            std::int32_t height) {
    return x >= left && x < left + width && y >= top && y < top + height;
}

bool GameRunning(const GameState& state) {
    return state.mode == GameMode::Playing || state.mode == GameMode::Paused;
}

void Pause(GameState& state) {
    SetPauseItemLabel(state, true);
    state.mode = GameMode::Paused;
    RenderFrame(state); // now with the pause sign
    StopMusic(state);
    PlaySound(state, effect::pause); // holds the game until it has sounded
}

void Resume(GameState& state) {
    SetPauseItemLabel(state, false);
    state.mode = GameMode::Playing;
    PlaySound(state, effect::pause);
    if (state.musicOn != 0) {
        PlayMusic(state); // from the beginning of the piece
    }
    if (state.speedUp != 0) {
        // Blacken where the pause sign stood; the next tick redraws every slot.
        FillWindowRectBlack(state, 168, 208, 296, 256);
        MarkAllSlotsForRedraw(state);
    }
}

} // namespace

bool InPauseHotSpot(std::int32_t x, std::int32_t y) {
    return InSpot(x, y, 522, 304, 28, 32);
}

bool InAbortHotSpot(std::int32_t x, std::int32_t y) {
    return InSpot(x, y, 520, 368, 32, 27);
}

void NewGame(GameState& state) {
    DestroyStartPanel(state);
    SwitchMenuToPlayState(state);
    RedrawMenuBar(state);
    // Laid out before the counters are reset: the first floors are chosen
    // for the floor count the previous game ended with.
    LayOutField(state);
    state.playerX = 0;
    state.playerY = startY;
    state.facing = 1;
    state.standingFloor = groundSlot;
    // verticalSpeed is left alone: every way into the air sets it first.
    state.jumpPower = 0;
    state.airborne = 0;
    state.charging = 0;
    state.animFrame = 0;
    state.jumpHeld = 0;
    state.scrollPhase = 0;
    state.patternIndex = 0;
    state.shownFloor = 1;
    state.floorCount = 1;
    state.rollPhase = 0;
    state.jumpCount = 0;
    state.mode = GameMode::Playing;
    DrawFloorCounter(state);
    DrawJumpGauge(state);
    if (state.showJumpCount != 0) {
        DrawJumpCount(state);
    }
    if (state.speedUp != 0) {
        DrawPartialFrame(state); // a full frame waits for the next tick
    }
    if (state.musicOn != 0) {
        PlayMusic(state);
    }
}

void StartPractice(GameState& state) {
    state.practiceDifficulty = state.difficulty;
    state.difficulty = normalDifficulty;
    state.practiceFloorFlags = state.floorFlags;
    state.floorFlags = 0;
    DrawDifficultyAndBest(state); // the practice label
    // No difficulty item is checked during practice, Normal included.
    CheckMenuItem(state, command::difficultyBase + state.practiceDifficulty, false);
    for (int id = command::conveyorBelt; id <= command::spring; ++id) {
        CheckMenuItem(state, id, false);
    }
    NewGame(state);
}

void TogglePause(GameState& state) {
    if (state.mode == GameMode::Playing) {
        Pause(state);
    } else {
        Resume(state);
    }
}

bool RestorePracticeSettings(GameState& state) {
    if (state.practiceDifficulty == 0) {
        return false;
    }
    state.difficulty = state.practiceDifficulty;
    state.practiceDifficulty = 0;
    state.floorFlags = state.practiceFloorFlags;
    state.practiceFloorFlags = 0;
    return true;
}

void AbortGame(GameState& state) {
    StopMusic(state);
    if (state.mode == GameMode::Paused) {
        SetPauseItemLabel(state, false);
    }
    SwitchMenuToTitleState(state);
    if (RestorePracticeSettings(state)) {
        DrawDifficultyAndBest(state);
        UpdateMenuChecks(state);
    }
    RedrawMenuBar(state);
    CreateStartPanel(state);
    state.mode = GameMode::Title;
    state.playerY = fieldHeight;
    if (state.speedUp != 0) {
        DrawPartialFrame(state);
    }
}

void ExitGame(GameState& state) {
    StopMusic(state);
    SendDestroyMessage(state); // the teardown saves and ends the program
}

void HandleKey(GameState& state, int key, bool down) {
    if (key == vkSpace) {
        if (down) {
            state.jumpHeld = 1;
            if (state.mode == GameMode::Paused) {
                TogglePause(state); // space resumes but never pauses
            }
        } else {
            state.jumpHeld = 0;
        }
    } else if (key == vkEscape && down && GameRunning(state)) {
        TogglePause(state);
    }
}

void HandleLeftButtonDown(GameState& state, std::int32_t x, std::int32_t y) {
    CaptureMouse(state); // the release comes here wherever it happens
    state.jumpHeld = 1;
    if (GameRunning(state) && InAbortHotSpot(x, y)) {
        AbortGame(state);
    } else if (state.mode == GameMode::Paused ||
               (state.mode == GameMode::Playing && InPauseHotSpot(x, y))) {
        // Paused, a click anywhere else resumes; playing, the stopwatch pauses.
        TogglePause(state);
    }
}

void HandleLeftButtonUp(GameState& state) {
    ReleaseMouseCapture(state);
    state.jumpHeld = 0;
}
