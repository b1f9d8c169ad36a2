// The gamepads on SDL's virtual joysticks: no device and no display needed.
#include "platform/sdl/gamepads.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Keys = std::vector<std::string>;
constexpr auto buttonA = SDL_CONTROLLER_BUTTON_A;
constexpr auto buttonStart = SDL_CONTROLLER_BUTTON_START;

// One pad in the test's hand. A virtual game controller whose button mask is
// left empty has SDL's own button order: 0 is A, 6 is Start.
struct VirtualPad {
    VirtualPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        joystick = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
        id = SDL_JoystickInstanceID(joystick);
    }
    ~VirtualPad() { Unplug(); }
    void Set(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
    }
    void Unplug() {
        int index = 0; // the device index, which SDL detaches by
        while (index < SDL_NumJoysticks() && SDL_JoystickGetDeviceInstanceID(index) != id)
            ++index;
        if (joystick != nullptr) {
            SDL_JoystickDetachVirtual(index);
            SDL_JoystickClose(std::exchange(joystick, nullptr));
        }
    }
    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID id = -1;
};

// A key goes down with the first pad that presses it and up with the last
// one that lets go, pulled out or not.
TEST(Gamepads, PadsPlayAAsSpaceAndStartAsEscapeAndAKeyIsDownWhileAnyHoldsIt) {
    Gamepads pads; // first, so that the pads plugged in below go before it
    if (!pads.Available())
        GTEST_SKIP() << "no game controller support here: " << SDL_GetError();
    // Lets SDL read the pads: the keys its events give, as "down space", "up escape".
    const auto drain = [&pads] {
        Keys keys;
        InputEvent event;
        for (SDL_Event sdlEvent; SDL_PollEvent(&sdlEvent) != 0;)
            for (bool got = pads.Translate(sdlEvent, event); got; got = pads.TakePending(event))
                keys.push_back(
                    std::string(event.kind == InputEvent::Kind::KeyDown ? "down " : "up ") +
                    (event.virtualKey == vk::space ? "space" : "escape") +
                    (event.repeat ? " repeat" : ""));
        return keys;
    };
    drain(); // whatever was plugged in before
    auto first = std::make_unique<VirtualPad>();
    VirtualPad second;
    ASSERT_NE(first->joystick, nullptr) << SDL_GetError();
    EXPECT_EQ(drain(), Keys{});
    EXPECT_EQ(pads.OpenCount(), 2u);
    first->Set(buttonA, true);
    EXPECT_EQ(drain(), Keys{"down space"});
    second.Set(buttonA, true);
    first->Set(buttonA, false);
    EXPECT_EQ(drain(), Keys{});
    second.Set(buttonA, false);
    EXPECT_EQ(drain(), Keys{"up space"});
    // Both at once among buttons of no use, reported in button order.
    for (auto button : {buttonA, SDL_CONTROLLER_BUTTON_B, buttonStart})
        first->Set(button, true);
    EXPECT_EQ(drain(), (Keys{"down space", "down escape"}));
    second.Set(buttonStart, true);
    EXPECT_EQ(drain(), Keys{});
    first.reset();
    EXPECT_EQ(drain(), Keys{"up space"}); // the second still holds Start
    EXPECT_EQ(pads.OpenCount(), 1u);
    second.Unplug();
    EXPECT_EQ(drain(), Keys{"up escape"});
}

} // namespace
