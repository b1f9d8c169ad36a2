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

MenuItem* FindMenuItem(MenuBar& bar, int id) {
    const MenuBar& constBar = bar;
    return const_cast<MenuItem*>(FindMenuItem(constBar, id));
}

const MenuItem* FindMenuItem(const MenuBar& bar, int id) {
    if (id == 0) {
        return nullptr; // separators are not commands
    }
    for (const Menu& menu : bar.menus) {
        for (const MenuItem& item : menu.items) {
            if (item.id == id) {
                return &item;
            }
        }
    }
    return nullptr;
}

bool IsCommandAvailable(const MenuBar& bar, int id) {
    for (const Menu& menu : bar.menus) {
        for (const MenuItem& item : menu.items) {
            if (id != 0 && item.id == id) {
                return !item.grayed && !menu.grayed;
            }
        }
    }
    return false;
}

void SetItemChecked(MenuBar& bar, int id, bool checked) {
    if (MenuItem* item = FindMenuItem(bar, id)) {
        item->checked = checked;
    }
}

void SetItemGrayed(MenuBar& bar, int id, bool grayed) {
    if (MenuItem* item = FindMenuItem(bar, id)) {
        item->grayed = grayed;
    }
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
    if (MenuItem* item = FindMenuItem(bar, command::pause)) {
        item->label = paused ? resumeLabel : pauseLabel;
    }
}
