#include "platform/user/menu.h"

#include <cctype>

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

void SetItemLabel(MenuBar& bar, int id, const std::string& label) {
    if (MenuItem* item = FindMenuItem(bar, id)) {
        item->label = label;
    }
}

char MnemonicOf(const std::string& label) {
    for (std::size_t i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != '&') {
            continue;
        }
        if (label[i + 1] == '&') {
            ++i; // a literal ampersand
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(label[i + 1])));
    }
    return 0;
}
