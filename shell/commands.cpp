#include "core/commands.h"

#include "core/floor_field.h"
#include "core/game_flow.h"
#include "core/ports.h"
#include "core/record_book.h"
#include "shell/main_window.h"
#include "shell/shell_ports.h"

// The menu commands. Each option changes its flag and its check mark in the
// same step.

namespace {

void ChooseDifficulty(GameState& state, std::int32_t difficulty) {
    state.difficulty = difficulty;
    DrawDifficultyAndBest(state); // the new label and that table's best score
    UpdateMenuChecks(state);
}

void ToggleFloorFlag(GameState& state, std::int32_t flag) {
    state.floorFlags ^= flag;
    UpdateMenuChecks(state); // nothing is redrawn: the field changes with new floors
}

void ToggleMusic(GameState& state) {
    if (state.musicOn != 0) {
        StopMusic(state);
        CheckMenuItem(state, command::music, false);
        state.musicOn = 0;
    } else {
        // Switched on outside a game, it starts with the next game or resume.
        if (state.mode == GameMode::Playing) {
            PlayMusic(state);
        }
        CheckMenuItem(state, command::music, true);
        state.musicOn = 1;
    }
}

void ToggleSound(GameState& state) {
    // An effect already sounding plays to its end.
    state.soundOn = state.soundOn != 0 ? 0 : 1;
    CheckMenuItem(state, command::sound, state.soundOn != 0);
}

void ToggleSpeedUp(GameState& state) {
    if (state.speedUp != 0) {
        CheckMenuItem(state, command::speedUp, false);
        state.speedUp = 0;
        DrawFullFrame(state);
    } else {
        CheckMenuItem(state, command::speedUp, true);
        state.speedUp = 1;
        // The partial redraw starts from a black field with every slot to draw.
        FillWindowRectBlack(state, 24, 64, 440, 416);
        MarkAllSlotsForRedraw(state);
        DrawPartialFrame(state);
    }
}

void ToggleShowJumpCount(MainWindow& window) {
    GameState& state = window.game;
    state.showJumpCount = state.showJumpCount != 0 ? 0 : 1;
    CheckMenuItem(state, command::showJumpCount, state.showJumpCount != 0);
    window.ports->DrawJumpCountLabel();
    window.ports->DrawBest5Pages(); // the pages take the layout with or without jumps
}

} // namespace

void OnCommand(MainWindow& window, int commandId) {
    GameState& state = window.game;
    switch (commandId) {
    case command::newGame: NewGame(state); break;
    case command::practice: StartPractice(state); break;
    case command::pause: TogglePause(state); break;
    case command::abort: AbortGame(state); break;
    case command::exit: ExitGame(state); break;
    case command::easy:
    case command::normal:
    case command::hard: ChooseDifficulty(state, commandId - command::difficultyBase); break;
    case command::conveyorBelt: ToggleFloorFlag(state, conveyorFlag); break;
    case command::movingLR: ToggleFloorFlag(state, slidingFlag); break;
    case command::movingUD: ToggleFloorFlag(state, liftFlag); break;
    case command::spring: ToggleFloorFlag(state, springFlag); break;
    case command::music: ToggleMusic(state); break;
    case command::sound: ToggleSound(state); break;
    case command::speedUp: ToggleSpeedUp(state); break;
    case command::showJumpCount: ToggleShowJumpCount(window); break;
    case command::clearBest5: ApplyClearBest5(state); break;
    case command::helpTopics:
    case command::helpKey: window.ports->ShowHelpTopics(); break;
    case command::about: window.ports->RunAboutDialog(); break;
    default: break; // 40020 and anything unknown do nothing
    }
}
