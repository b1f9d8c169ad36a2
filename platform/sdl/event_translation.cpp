#include "event_translation.h"

#include "key_mapping.h"

namespace {

bool TranslateKey(const SDL_KeyboardEvent& key, InputEvent::Kind kind, InputEvent& event) {
    const int virtualKey = VirtualKeyFromKeycode(key.keysym.sym);
    if (virtualKey == 0) {
        return false;
    }
    event = InputEvent{};
    event.kind = kind;
    event.virtualKey = virtualKey;
    event.repeat = kind == InputEvent::Kind::KeyDown && key.repeat != 0;
    return true;
}

bool TranslateButton(const SDL_MouseButtonEvent& button, InputEvent::Kind kind, InputEvent& event) {
    // The game plays with the left button only; the others do nothing.
    if (button.button != SDL_BUTTON_LEFT) {
        return false;
    }
    event = InputEvent{};
    event.kind = kind;
    event.x = button.x;
    event.y = button.y;
    return true;
}

bool TranslateWindowEvent(const SDL_WindowEvent& window, InputEvent& event) {
    InputEvent::Kind kind{};
    switch (window.event) {
    // A restored window may have lost its contents while it was minimised.
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED: kind = InputEvent::Kind::Expose; break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: kind = InputEvent::Kind::FocusGained; break;
    case SDL_WINDOWEVENT_FOCUS_LOST: kind = InputEvent::Kind::FocusLost; break;
    default: return false;
    }
    event = InputEvent{};
    event.kind = kind;
    return true;
}

} // namespace

bool TranslateEvent(const SDL_Event& sdlEvent, InputEvent& event) {
    switch (sdlEvent.type) {
    case SDL_KEYDOWN: return TranslateKey(sdlEvent.key, InputEvent::Kind::KeyDown, event);
    case SDL_KEYUP: return TranslateKey(sdlEvent.key, InputEvent::Kind::KeyUp, event);
    case SDL_TEXTINPUT:
        if (sdlEvent.text.text[0] == '\0') {
            return false;
        }
        event = InputEvent{};
        event.kind = InputEvent::Kind::Text;
        event.text = sdlEvent.text.text;
        return true;
    case SDL_MOUSEMOTION:
        event = InputEvent{};
        event.kind = InputEvent::Kind::MouseMove;
        event.x = sdlEvent.motion.x;
        event.y = sdlEvent.motion.y;
        return true;
    case SDL_MOUSEBUTTONDOWN:
        return TranslateButton(sdlEvent.button, InputEvent::Kind::MouseDown, event);
    case SDL_MOUSEBUTTONUP:
        return TranslateButton(sdlEvent.button, InputEvent::Kind::MouseUp, event);
    // The close button of our only window closes the last window, which SDL
    // reports as a quit; so does Ctrl+C in the terminal. Taking the quit and
    // not the window's own close event gives one Close for either.
    case SDL_QUIT:
        event = InputEvent{};
        event.kind = InputEvent::Kind::Close;
        return true;
    case SDL_WINDOWEVENT: return TranslateWindowEvent(sdlEvent.window, event);
    default: return false;
    }
}
