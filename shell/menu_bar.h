#pragma once

#include <string>
#include <vector>

// The main window's menu bar as data: what the window draws and what a
// command may be chosen from. One item per command; a separator has id 0.
struct MenuItem {
    int id;
    std::string label; // "&" marks the mnemonic
    bool checked;
    bool grayed;
};

struct Menu {
    std::string title;
    std::vector<MenuItem> items;
    bool grayed; // the whole menu, as the Difficulty menu during a game
};

struct MenuBar {
    std::vector<Menu> menus;
};

inline constexpr int difficultyMenuPosition = 1;

// The menu as the program carries it: the title state, nothing checked.
MenuBar MakeMainMenu();

MenuItem* FindMenuItem(MenuBar& bar, int id);
const MenuItem* FindMenuItem(const MenuBar& bar, int id);

// An item that exists, is not grayed and whose menu is not grayed.
bool IsCommandAvailable(const MenuBar& bar, int id);

void SetItemChecked(MenuBar& bar, int id, bool checked);
void SetItemGrayed(MenuBar& bar, int id, bool grayed);

// Between games: New Game and Practice enabled, Pause and Abort grayed,
// the Difficulty menu enabled. During a game the other way round.
void SetTitleState(MenuBar& bar);
void SetPlayState(MenuBar& bar);

// Item 40003 reads "&Resume" while a game is paused, "&Pause" otherwise.
void SetPauseLabel(MenuBar& bar, bool paused);

inline constexpr const char* pauseLabel = "&Pause";
inline constexpr const char* resumeLabel = "&Resume";
