#include "key_mapping.h"

#include "platform/user/backend.h"

int VirtualKeyFromKeycode(SDL_Keycode key) {
    // Letters by the character the layout gives them, so the name entry and
    // the menu mnemonics follow what is printed on the player's keys.
    if (key >= SDLK_a && key <= SDLK_z) {
        return vk::letterA + (key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return vk::digit0 + (key - SDLK_0);
    }
    // SDL numbers F1..F12 in one run, like the virtual keys do.
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return vk::f1 + (key - SDLK_F1);
    }
    switch (key) {
    case SDLK_SPACE: return vk::space;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return vk::enter;
    case SDLK_ESCAPE: return vk::escape;
    case SDLK_TAB: return vk::tab;
    case SDLK_BACKSPACE: return vk::back;
    case SDLK_DELETE: return vk::del;
    case SDLK_HOME: return vk::home;
    case SDLK_END: return vk::end;
    case SDLK_LEFT: return vk::left;
    case SDLK_UP: return vk::up;
    case SDLK_RIGHT: return vk::right;
    case SDLK_DOWN: return vk::down;
    // The game does not tell the left modifier keys from the right ones.
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return vk::shift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return vk::control;
    case SDLK_LALT:
    case SDLK_RALT: return vk::alt;
    default: return 0;
    }
}
