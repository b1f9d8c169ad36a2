// Plays the gamepads on SDL's virtual joysticks, plugged in, pressed and
// pulled out by the test, so no device and no display are needed.
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
    int DeviceIndex() const {
        int index = 0;
        while (index < SDL_NumJoysticks() && SDL_JoystickGetDeviceInstanceID(index) != id)
            ++index;
        return index;
    }
    void Set(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
    }
    void Unplug() {
        if (joystick != nullptr) {
            SDL_JoystickDetachVirtual(DeviceIndex());
            SDL_JoystickClose(std::exchange(joystick, nullptr));
        }
    }
    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID id = -1;
};

// A pad event as SDL queues it: which is the device index for an added pad,
// the instance id otherwise.
SDL_Event PadEvent(Uint32 type, Sint32 which, Uint8 button = 0) {
    SDL_Event event{};
    event.type = type;
    event.cbutton.which = which; // cdevice.which lies at the same place
    event.cbutton.button = button;
    return event;
}

class GamepadsTest : public testing::Test {
  protected:
    void SetUp() override {
        if (!pads.Available())
            GTEST_SKIP() << "no game controller support here: " << SDL_GetError();
        Drain(); // whatever was plugged in before
    }

    // The keys that one SDL event gives, as "down space", "up escape".
    Keys Feed(const SDL_Event& sdlEvent) {
        Keys keys;
        InputEvent event;
        for (bool got = pads.Translate(sdlEvent, event); got; got = pads.TakePending(event)) {
            const bool down = event.kind == InputEvent::Kind::KeyDown;
            keys.push_back(std::string(down ? "down " : "up ") +
                           (event.virtualKey == vk::space ? "space" : "escape") +
                           (event.repeat ? " repeat" : ""));
        }
        return keys;
    }
    // Lets SDL read the pads: the keys that all its events give, in order.
    Keys Drain() {
        Keys keys;
        for (SDL_Event sdlEvent; SDL_PollEvent(&sdlEvent) != 0;) {
            const Keys more = Feed(sdlEvent);
            keys.insert(keys.end(), more.begin(), more.end());
        }
        return keys;
    }

    Gamepads pads; // first, so that the pads a test plugs in go before it
};

// A key goes down with the first pad that presses it and up with the last
// one that lets go, pulled out or not.
TEST_F(GamepadsTest, PadsPlayAAsSpaceAndStartAsEscapeAndAKeyIsDownWhileAnyHoldsIt) {
    auto first = std::make_unique<VirtualPad>();
    VirtualPad second;
    ASSERT_NE(first->joystick, nullptr) << SDL_GetError();
    EXPECT_EQ(Drain(), Keys{});
    EXPECT_EQ(pads.OpenCount(), 2u);
    first->Set(buttonA, true);
    EXPECT_EQ(Drain(), Keys{"down space"});
    second.Set(buttonA, true);
    first->Set(buttonA, false);
    EXPECT_EQ(Drain(), Keys{});
    second.Set(buttonA, false);
    EXPECT_EQ(Drain(), Keys{"up space"});
    // Both at once, among buttons of no use; SDL reports the changes of one
    // reading in button order.
    for (auto button : {buttonA, SDL_CONTROLLER_BUTTON_B, buttonStart})
        first->Set(button, true);
    EXPECT_EQ(Drain(), (Keys{"down space", "down escape"}));
    second.Set(buttonStart, true);
    EXPECT_EQ(Drain(), Keys{});
    first.reset();
    EXPECT_EQ(Drain(), Keys{"up space"}); // the second still holds Start
    EXPECT_EQ(pads.OpenCount(), 1u);
    second.Unplug();
    EXPECT_EQ(Drain(), Keys{"up escape"});
}

// SDL's own events in orders it does not make today: the removal of a pad
// still holding keys, a pad announced twice, a release never pressed (the
// press came while the game was in the background), unknown pads.
TEST_F(GamepadsTest, KeysStayBalancedWhateverOrderThePadEventsComeIn) {
    VirtualPad pad;
    Drain();
    const Sint32 id = pad.id;
    EXPECT_EQ(Feed(PadEvent(SDL_CONTROLLERDEVICEADDED, pad.DeviceIndex())), Keys{});
    EXPECT_EQ(pads.OpenCount(), 1u);
    EXPECT_EQ(Feed(PadEvent(SDL_CONTROLLERBUTTONUP, id, buttonA)), Keys{});
    EXPECT_EQ(Feed(PadEvent(SDL_CONTROLLERBUTTONDOWN, id, buttonA)), Keys{"down space"});
    EXPECT_EQ(Feed(PadEvent(SDL_CONTROLLERBUTTONDOWN, id, buttonA)), Keys{});
    EXPECT_EQ(Feed(PadEvent(SDL_CONTROLLERBUTTONDOWN, id, buttonStart)), Keys{"down escape"});
    EXPECT_EQ(Feed(PadEvent(SDL_CONTROLLERBUTTONDOWN, id + 100, buttonStart)), Keys{});
    EXPECT_EQ(Feed(PadEvent(SDL_CONTROLLERDEVICEREMOVED, id + 100)), Keys{});

    EXPECT_EQ(Feed(PadEvent(SDL_CONTROLLERDEVICEREMOVED, id)), (Keys{"up space", "up escape"}));
    EXPECT_EQ(pads.OpenCount(), 0u);
    EXPECT_EQ(SDL_GameControllerFromInstanceID(id), nullptr) << "an opening left over";
    pad.Unplug();
    EXPECT_EQ(Drain(), Keys{}); // its real removal finds nothing to do
}

} // namespace
