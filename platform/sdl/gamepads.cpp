#include "gamepads.h"

#include "program_name.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

// Which of the keys (Gamepads::keys) a pad button presses, if any.
std::optional<std::size_t> KeyOfButton(Uint8 button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return 0;     // the space bar
    case SDL_CONTROLLER_BUTTON_START: return 1; // Escape
    default: return std::nullopt;
    }
}

InputEvent KeyEvent(InputEvent::Kind kind, int virtualKey) {
    InputEvent event;
    event.kind = kind;
    event.virtualKey = virtualKey;
    event.repeat = false; // a pad button never repeats
    return event;
}

} // namespace

Gamepads::Gamepads() {
    // Pad presses count only while the window is in front, as its keys
    // do; releases still arrive, so nothing stays held. This is SDL's default,
    // set here so that the choice is written down.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "0");
    available_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!available_) {
        std::fprintf(stderr, "%s: playing without gamepads: %s\n", ProgramName(), SDL_GetError());
    }
}

Gamepads::~Gamepads() {
    for (const Pad& pad : pads_) {
        SDL_GameControllerClose(pad.controller);
    }
    if (available_) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

bool Gamepads::Translate(const SDL_Event& sdlEvent, InputEvent& event) {
    switch (sdlEvent.type) {
    // Added gives the device's index, removed and the buttons its instance id.
    case SDL_CONTROLLERDEVICEADDED: Open(sdlEvent.cdevice.which); return false;
    case SDL_CONTROLLERDEVICEREMOVED: return Remove(sdlEvent.cdevice.which, event);
    case SDL_CONTROLLERBUTTONDOWN: return Button(sdlEvent.cbutton, true, event);
    case SDL_CONTROLLERBUTTONUP: return Button(sdlEvent.cbutton, false, event);
    default: return false;
    }
}

bool Gamepads::TakePending(InputEvent& event) {
    if (pending_.empty()) {
        return false;
    }
    event = std::move(pending_.front());
    pending_.pop_front();
    return true;
}

void Gamepads::Open(int deviceIndex) {
    if (!available_) {
        return;
    }
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) {
        return; // gone again before we got to it; its removal follows
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    if (Find(id) != nullptr) {
        // Already open (announced at start and seen again): SDL counted a
        // second opening, which this gives back.
        SDL_GameControllerClose(controller);
        return;
    }
    pads_.push_back(Pad{controller, id, {}});
}

bool Gamepads::Remove(SDL_JoystickID id, InputEvent& event) {
    const Pad* pad = Find(id);
    if (pad == nullptr) {
        return false;
    }
    const Pad removed = *pad;
    pads_.erase(pads_.begin() + (pad - pads_.data()));
    SDL_GameControllerClose(removed.controller);
    // What it held goes up now, unless another pad still holds it.
    for (std::size_t key = 0; key < keys.size(); ++key) {
        if (removed.holds[key] && !AnyPadHolds(key)) {
            pending_.push_back(KeyEvent(InputEvent::Kind::KeyUp, keys[key]));
        }
    }
    return TakePending(event);
}

bool Gamepads::Button(const SDL_ControllerButtonEvent& button, bool down, InputEvent& event) {
    Pad* pad = Find(button.which);
    const std::optional<std::size_t> key = KeyOfButton(button.button);
    if (pad == nullptr || !key) {
        return false;
    }
    // The key changes only when the first pad presses it or the last one
    // lets go. A release of a press never seen (made while the window was in
    // the background) changes nothing, nor does a press already down.
    const bool wasDown = AnyPadHolds(*key);
    pad->holds[*key] = down;
    if (AnyPadHolds(*key) == wasDown) {
        return false;
    }
    event = KeyEvent(down ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp, keys[*key]);
    return true;
}

Gamepads::Pad* Gamepads::Find(SDL_JoystickID id) {
    const auto at =
        std::find_if(pads_.begin(), pads_.end(), [id](const Pad& pad) { return pad.id == id; });
    return at == pads_.end() ? nullptr : &*at;
}

bool Gamepads::AnyPadHolds(std::size_t key) const {
    return std::any_of(pads_.begin(), pads_.end(),
                       [key](const Pad& pad) { return pad.holds[key]; });
}
