#include "menu_layout.h"
#include "window_geometry.h"

#include <cctype>

// Menu tracking is a nested message loop: input goes to the menu only, while
// timers, paint and posted messages go on being dispatched to their windows,
// so the game keeps running under an open menu.

namespace {

constexpr std::string_view menuClassName = "#menu";

LResult PulldownProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return DefWindowProc(window, message, wParam, lParam);
}

void RegisterMenuClass() {
    RegisterWindowClass(WindowClass{menuClassName, 0, PulldownProc, {}}); // once; later calls fail
}

const Menu& TrackedMenu(const MenuTracking& tracking) {
    return tracking.owner->menu->menus[static_cast<std::size_t>(tracking.menuIndex)];
}

int MenuCount(const MenuTracking& tracking) {
    return static_cast<int>(tracking.owner->menu->menus.size());
}

// The next selectable item from item in direction step, wrapping; -1 if none.
int NextSelectable(const Menu& menu, int item, int step) {
    const int count = static_cast<int>(menu.items.size());
    for (int tried = 0; tried < count; ++tried) {
        item = ((item + step) % count + count) % count;
        if (IsSelectable(menu, item)) {
            return item;
        }
    }
    return -1;
}

int FirstSelectable(const Menu& menu) {
    return NextSelectable(menu, -1, 1);
}

void ClosePulldown(MenuTracking& tracking) {
    if (tracking.pulldown != nullptr) {
        PlatformWindow* pulldown = tracking.pulldown;
        tracking.pulldown = nullptr;
        DestroyWindow(pulldown);
    }
}

// Brings the bar and the pull-down on the screen in line with the state.
void ShowTrackingState(MenuTracking& tracking) {
    if (LiveWindow(tracking.owner) == nullptr) {
        return;
    }
    const Menu& menu = TrackedMenu(tracking);
    const bool wanted = tracking.pulldownOpen && !menu.grayed && !menu.items.empty();
    if (tracking.pulldown != nullptr && (!wanted || tracking.pulldown->id != tracking.menuIndex)) {
        ClosePulldown(tracking);
    }
    if (wanted && tracking.pulldown == nullptr) {
        const PulldownLayout layout = LayOutPulldown(menu);
        std::int32_t x =
            LayOutMenuTitles(*tracking.owner->menu)[static_cast<std::size_t>(tracking.menuIndex)]
                .left;
        if (x + layout.width > ScreenWidth()) {
            x = std::max(ScreenWidth() - layout.width, 0);
        }
        tracking.pulldown = CreateWindowOf(menuClassName, "", ws::popup | ws::visible, x,
                                           menuBarHeight, layout.width, layout.height,
                                           tracking.owner, nullptr, tracking.menuIndex, 0);
    }
    if (tracking.pulldown != nullptr) {
        DrawPulldown(tracking.pulldown, menu, tracking.itemIndex);
    }
    DrawMenuBarStrip(tracking.owner);
}

void SwitchMenu(MenuTracking& tracking, int index, bool selectFirst) {
    tracking.menuIndex = index;
    tracking.itemIndex = selectFirst ? FirstSelectable(TrackedMenu(tracking)) : -1;
}

void Choose(MenuTracking& tracking, int item) {
    const Menu& menu = TrackedMenu(tracking);
    if (IsSelectable(menu, item)) {
        tracking.chosenCommand = menu.items[static_cast<std::size_t>(item)].id;
        tracking.finished = true;
    }
}

char KeyMnemonic(int key) {
    const bool letter = key >= vk::letterA && key < vk::letterA + 26;
    const bool digit = key >= vk::digit0 && key < vk::digit0 + 10;
    return letter || digit ? static_cast<char>(std::tolower(key)) : char{0};
}

void HandleMenuKey(MenuTracking& tracking, int key) {
    const Menu& menu = TrackedMenu(tracking);
    const int count = MenuCount(tracking);
    switch (key) {
    case vk::escape:
        if (tracking.pulldownOpen) {
            tracking.pulldownOpen = false; // back to the bar; a second Escape leaves
            tracking.itemIndex = -1;
        } else {
            tracking.finished = true;
        }
        return;
    case vk::alt:
    case vk::f10: tracking.finished = true; return;
    case vk::left:
    case vk::right:
        SwitchMenu(tracking, (tracking.menuIndex + (key == vk::left ? count - 1 : 1)) % count,
                   tracking.pulldownOpen);
        return;
    case vk::up:
    case vk::down:
        if (menu.grayed) {
            return;
        }
        if (!tracking.pulldownOpen) {
            tracking.pulldownOpen = true;
            tracking.itemIndex =
                key == vk::down ? FirstSelectable(menu) : NextSelectable(menu, 0, -1);
            return;
        }
        tracking.itemIndex = NextSelectable(menu, tracking.itemIndex, key == vk::down ? 1 : -1);
        return;
    case vk::enter:
        if (!tracking.pulldownOpen) {
            if (!menu.grayed) {
                tracking.pulldownOpen = true;
                tracking.itemIndex = FirstSelectable(menu);
            }
            return;
        }
        Choose(tracking, tracking.itemIndex);
        return;
    default: break;
    }
    const char mnemonic = KeyMnemonic(key);
    if (mnemonic == 0) {
        return;
    }
    if (tracking.pulldownOpen && !menu.grayed) {
        for (std::size_t i = 0; i < menu.items.size(); ++i) {
            if (!IsSeparator(menu.items[i]) && MnemonicOf(menu.items[i].label) == mnemonic) {
                Choose(tracking, static_cast<int>(i)); // a grayed one is not chosen
                return;
            }
        }
        return;
    }
    const int index = MenuIndexForMnemonic(*tracking.owner->menu, mnemonic);
    if (index >= 0) {
        tracking.pulldownOpen = true;
        SwitchMenu(tracking, index, true);
    }
}

void HandleMenuMouse(MenuTracking& tracking, const InputEvent& event) {
    const MenuBar& bar = *tracking.owner->menu;
    const bool onBar = event.y >= 0 && event.y < menuBarHeight;
    const int title = onBar ? TitleAt(bar, event.x) : -1;
    int item = -1;
    bool onPulldown = false;
    if (PlatformWindow* pulldown = tracking.pulldown) {
        const std::int32_t x = event.x - pulldown->x;
        const std::int32_t y = event.y - pulldown->y;
        onPulldown = x >= 0 && y >= 0 && x < pulldown->width && y < pulldown->height;
        item = onPulldown ? ItemAt(LayOutPulldown(TrackedMenu(tracking)), x, y) : -1;
    }
    const Menu& menu = TrackedMenu(tracking);
    switch (event.kind) {
    case InputEvent::Kind::MouseMove:
        if (title >= 0 && title != tracking.menuIndex &&
            (tracking.pulldownOpen || tracking.mouseButtonDown)) {
            tracking.pulldownOpen = true;
            SwitchMenu(tracking, title, false);
        } else if (onPulldown) {
            tracking.itemIndex = IsSelectable(menu, item) ? item : -1;
        }
        return;
    case InputEvent::Kind::MouseDown:
        tracking.mouseButtonDown = true;
        if (title >= 0) {
            if (title == tracking.menuIndex && tracking.pulldownOpen) {
                tracking.finished = true; // a second press on the open title closes it
            } else {
                tracking.pulldownOpen = true;
                SwitchMenu(tracking, title, false);
            }
        } else if (onPulldown) {
            tracking.itemIndex = IsSelectable(menu, item) ? item : -1;
        } else {
            tracking.finished = true; // a press anywhere else closes the menu, and is eaten
        }
        return;
    case InputEvent::Kind::MouseUp:
        tracking.mouseButtonDown = false;
        if (onPulldown) {
            Choose(tracking, item);
        }
        return;
    default: return;
    }
}

void HandleMenuInput(MenuTracking& tracking, const QueueItem& item) {
    WindowSystem& system = System();
    if (item.kind != QueueItem::Kind::Input) {
        return; // typed characters mean nothing to a menu
    }
    const InputEvent& event = item.input;
    switch (event.kind) {
    case InputEvent::Kind::KeyDown:
        system.altAlone = false;
        NoteModifierKey(event.virtualKey, true);
        HandleMenuKey(tracking, event.virtualKey);
        return;
    case InputEvent::Kind::KeyUp:
        system.altAlone = false;
        NoteModifierKey(event.virtualKey, false);
        KeepReleaseForLater(wm::keyUp, static_cast<WParam>(event.virtualKey),
                            TakeHolder(wm::keyUp, static_cast<WParam>(event.virtualKey)));
        return;
    case InputEvent::Kind::MouseUp:
        KeepReleaseForLater(wm::lButtonUp, 0, TakeHolder(wm::lButtonUp, 0));
        HandleMenuMouse(tracking, event);
        return;
    case InputEvent::Kind::MouseMove:
    case InputEvent::Kind::MouseDown: HandleMenuMouse(tracking, event); return;
    case InputEvent::Kind::Expose: system.screenChanged = true; return;
    case InputEvent::Kind::Close:
    case InputEvent::Kind::FocusLost:
        // The menu closes, and the event is handled as if it came after.
        tracking.finished = true;
        system.queue.push_front(item);
        return;
    default: return;
    }
}

void RunMenuLoop(MenuTracking& tracking) {
    WindowSystem& system = System();
    RegisterMenuClass();
    system.tracking = &tracking;
    ShowTrackingState(tracking);
    while (!tracking.finished) {
        QueueItem item;
        TakeNextItem(item, true);
        if (item.kind == QueueItem::Kind::Posted) {
            if (item.message.message == wm::quit) {
                PostQuitMessage(static_cast<int>(item.message.wParam)); // for the outer loop
                break;
            }
            DispatchMessage(item.message);
        } else {
            HandleMenuInput(tracking, item);
        }
        if (system.tracking != &tracking) {
            return; // ended from outside: the owner went away
        }
        ShowTrackingState(tracking);
    }
    PlatformWindow* owner = tracking.owner;
    const int command = tracking.chosenCommand;
    EndMenuTracking();
    DeliverPendingReleases();
    if (command != 0 && LiveWindow(owner) != nullptr) {
        PostMessage(owner, wm::command, static_cast<WParam>(command), 0);
    }
}

} // namespace

int MenuIndexForMnemonic(const MenuBar& bar, char mnemonic) {
    for (std::size_t i = 0; i < bar.menus.size(); ++i) {
        if (MnemonicOf(bar.menus[i].title) == mnemonic) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TrackMenuFromKeyboard(PlatformWindow* owner, int menuIndex, bool openPulldown) {
    if (System().tracking != nullptr || owner->menu == nullptr || owner->menu->menus.empty()) {
        return;
    }
    MenuTracking tracking;
    tracking.owner = owner;
    tracking.menuIndex = menuIndex;
    tracking.pulldownOpen = openPulldown;
    tracking.itemIndex = openPulldown ? FirstSelectable(TrackedMenu(tracking)) : -1;
    RunMenuLoop(tracking);
}

void TrackMenuFromMouse(PlatformWindow* owner, std::int32_t screenX, std::int32_t) {
    if (System().tracking != nullptr || owner->menu == nullptr) {
        return;
    }
    const int title = TitleAt(*owner->menu, screenX);
    if (title < 0) {
        return;
    }
    MenuTracking tracking;
    tracking.owner = owner;
    tracking.menuIndex = title;
    tracking.pulldownOpen = true;
    tracking.mouseButtonDown = true;
    RunMenuLoop(tracking);
}

void EndMenuTracking() {
    WindowSystem& system = System();
    MenuTracking* tracking = system.tracking;
    if (tracking == nullptr) {
        return;
    }
    tracking->finished = true;
    system.tracking = nullptr;
    ClosePulldown(*tracking);
    if (LiveWindow(tracking->owner) != nullptr) {
        DrawMenuBarStrip(tracking->owner);
    }
}
