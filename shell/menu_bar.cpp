#include "shell/menu_bar.h"

#include "core/commands.h"

namespace {

MenuItem Item(int id, const char* label, bool grayed = false) {
    return {id, label, false, grayed};
}

MenuItem Separator() {
    return {0, "", false, false};
}

} // namespace

MenuBar MakeMainMenu() {
    MenuBar bar;
    bar.menus.push_back(
        {"&File",
         {Item(command::newGame, "&New Game"), Item(command::practice, "&Practice"), Separator(),
          Item(command::pause, pauseLabel, true), Item(command::abort, "&Abort", true), Separator(),
          Item(command::exit, "E&xit")},
         false});
    bar.menus.push_back(
        {"&Difficulty",
         {Item(command::easy, "&Easy"), Item(command::normal, "&Normal"),
          Item(command::hard, "&Hard"), Separator(), Item(command::conveyorBelt, "&Conveyer Belt"),
          Item(command::movingLR, "Moving Floor &L-R"),
          Item(command::movingUD, "Moving Floor &U-D"), Item(command::spring, "&Spring")},
         false});
    bar.menus.push_back(
        {"&Option",
         {Item(command::music, "&Music"), Item(command::sound, "&Sound"),
          Item(command::speedUp, "S&peedUp"), Item(command::showJumpCount, "Show &Jump Count"),
          Separator(), Item(command::clearBest5, "&Clear Best5...")},
         false});
    bar.menus.push_back({"&Help",
                         {Item(command::helpTopics, "&Help Topics"), Separator(),
                          Item(command::about, "&About VARNISK...")},
                         false});
    return bar;
}

void SetTitleState(MenuBar& bar) {
    SetItemGrayed(bar, command::newGame, false);
    SetItemGrayed(bar, command::practice, false);
    SetItemGrayed(bar, command::pause, true);
    SetItemGrayed(bar, command::abort, true);
    bar.menus[difficultyMenuPosition].grayed = false;
}

void SetPlayState(MenuBar& bar) {
    SetItemGrayed(bar, command::newGame, true);
    SetItemGrayed(bar, command::practice, true);
    SetItemGrayed(bar, command::pause, false);
    SetItemGrayed(bar, command::abort, false);
    bar.menus[difficultyMenuPosition].grayed = true;
}

void SetPauseLabel(MenuBar& bar, bool paused) {
    SetItemLabel(bar, command::pause, paused ? resumeLabel : pauseLabel);
}
