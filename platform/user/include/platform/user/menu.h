#pragma once

#include <string>
#include <vector>

// A menu bar as data: what the window draws, what menu tracking shows and
// what a command may be chosen from. One item per command; a separator has
// id 0.
struct MenuItem {
    int id;
    std::string label; // "&" marks the mnemonic
    bool checked;
    bool grayed;
};

struct Menu {
    std::string title; // "&" marks the mnemonic
    std::vector<MenuItem> items;
    bool grayed; // the whole menu: its title is drawn grayed and does not open
};

struct MenuBar {
    std::vector<Menu> menus;
};

inline bool IsSeparator(const MenuItem& item) {
    return item.id == 0;
}

MenuItem* FindMenuItem(MenuBar& bar, int id);
const MenuItem* FindMenuItem(const MenuBar& bar, int id);

// An item that exists, is not grayed and whose menu is not grayed.
bool IsCommandAvailable(const MenuBar& bar, int id);

void SetItemChecked(MenuBar& bar, int id, bool checked);
void SetItemGrayed(MenuBar& bar, int id, bool grayed);
void SetItemLabel(MenuBar& bar, int id, const std::string& label);

// The character after a single "&" (lower-cased), or 0 when the label has
// no mnemonic; "&&" stands for a plain "&".
char MnemonicOf(const std::string& label);
