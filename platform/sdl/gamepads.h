#pragma once

#include "platform/user/backend.h"

#include <SDL_events.h>
#include <SDL_gamecontroller.h>
#include <array>
#include <deque>
#include <vector>

// The gamepads, through SDL's game controller API, played as the keyboard:
// the bottom face button is the space bar and Start is Escape. Pads come and
// go while the program runs; a pad pulled out with a button down lets its
// key go up, so no key stays held for ever. With two
// pads a key goes down with the first pad that presses it and up with the
// last one that lets go, as one key would.
//
// Buttons pressed while the window has no focus are not seen (SDL's
// default, kept on purpose: keys count only while the window is in front),
// but their releases are, so a button held while the player switches away
// still lets its key go.
class Gamepads {
  public:
    // Starts SDL's game controller subsystem. Without it the program plays
    // on the keyboard alone: Available() is false and nothing else changes.
    // The pads already plugged in are announced as added events, as later
    // ones are, and are opened from Translate.
    Gamepads();
    // Closes every pad and stops the subsystem.
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    bool Available() const { return available_; }

    // Takes the pad events out of SDL's queue. A pad added or removed is
    // opened or closed; a button that stands for a key gives it down or up (true,
    // event filled). The removal of a pad that held buttons gives its first
    // key-up here and leaves the rest for TakePending. False for anything
    // else, which the caller translates on.
    bool Translate(const SDL_Event& sdlEvent, InputEvent& event);
    // The key-ups still owed by a removed pad, one per call; the caller
    // drains them before it takes the next SDL event.
    bool TakePending(InputEvent& event);

    // How many pads are open now.
    std::size_t OpenCount() const { return pads_.size(); }

  private:
    // The keys a pad can press.
    static constexpr std::array<int, 2> keys{vk::space, vk::escape};

    // One open pad and which of those keys it holds down.
    struct Pad {
        SDL_GameController* controller = nullptr;
        SDL_JoystickID id = -1;
        std::array<bool, keys.size()> holds{};
    };

    void Open(int deviceIndex);
    bool Remove(SDL_JoystickID id, InputEvent& event);
    bool Button(const SDL_ControllerButtonEvent& button, bool down, InputEvent& event);
    Pad* Find(SDL_JoystickID id);
    bool AnyPadHolds(std::size_t key) const;

    bool available_ = false;
    std::vector<Pad> pads_;
    std::deque<InputEvent> pending_;
};
