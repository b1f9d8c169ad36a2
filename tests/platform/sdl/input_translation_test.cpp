#include "platform/sdl/event_translation.h"
#include "platform/sdl/key_mapping.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyMapping, GivesTheVirtualKeyOfEveryKeyTheGameKnows) {
    struct Case {
        SDL_Keycode key;
        int virtualKey;
    };
    const Case cases[] = {
        {SDLK_a, 'A'},
        {SDLK_z, 'Z'},
        {SDLK_0, '0'},
        {SDLK_9, '9'},
        {SDLK_F1, vk::f1},
        {SDLK_F10, vk::f10},
        {SDLK_F12, 123},
        {SDLK_SPACE, vk::space},
        {SDLK_RETURN, vk::enter},
        {SDLK_KP_ENTER, vk::enter},
        {SDLK_ESCAPE, vk::escape},
        {SDLK_TAB, vk::tab},
        {SDLK_BACKSPACE, vk::back},
        {SDLK_DELETE, vk::del},
        {SDLK_HOME, vk::home},
        {SDLK_END, vk::end},
        {SDLK_LEFT, vk::left},
        {SDLK_UP, vk::up},
        {SDLK_RIGHT, vk::right},
        {SDLK_DOWN, vk::down},
        {SDLK_LSHIFT, vk::shift},
        {SDLK_RSHIFT, vk::shift},
        {SDLK_LCTRL, vk::control},
        {SDLK_RCTRL, vk::control},
        {SDLK_LALT, vk::alt},
        {SDLK_RALT, vk::alt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyFromKeycode(c.key), c.virtualKey) << SDL_GetKeyName(c.key);
    }
}

TEST(KeyMapping, LeavesOtherKeysUnmapped) {
    // Neighbours of the mapped runs, so an off-by-one at either end shows.
    for (SDL_Keycode key : {SDLK_F13, SDLK_KP_0, SDLK_MINUS, SDLK_CAPSLOCK, SDLK_LGUI, SDLK_PAGEUP,
                            SDLK_INSERT, SDLK_UNKNOWN}) {
        EXPECT_EQ(VirtualKeyFromKeycode(key), 0) << SDL_GetKeyName(key);
    }
}

SDL_Event KeyEvent(Uint32 type, SDL_Keycode key, bool repeat) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.repeat = repeat ? 1 : 0;
    return event;
}

SDL_Event ButtonEvent(Uint32 type, Uint8 button, Sint32 x, Sint32 y) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event WindowEvent(SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = static_cast<Uint8>(id);
    return event;
}

TEST(EventTranslation, KeysCarryTheirVirtualKeyAndRepeat) {
    InputEvent event;
    ASSERT_TRUE(TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_SPACE, true), event));
    EXPECT_EQ(event.kind, InputEvent::Kind::KeyDown);
    EXPECT_EQ(event.virtualKey, vk::space);
    EXPECT_TRUE(event.repeat);

    // A fresh event: nothing of the previous one is left behind.
    ASSERT_TRUE(TranslateEvent(KeyEvent(SDL_KEYUP, SDLK_ESCAPE, false), event));
    EXPECT_EQ(event.kind, InputEvent::Kind::KeyUp);
    EXPECT_EQ(event.virtualKey, vk::escape);
    EXPECT_FALSE(event.repeat);

    EXPECT_FALSE(TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_CAPSLOCK, false), event));
}

TEST(EventTranslation, TypedTextIsPassedOnWhole) {
    SDL_Event sdlEvent{};
    sdlEvent.type = SDL_TEXTINPUT;
    SDL_strlcpy(sdlEvent.text.text, "\xC3\xA9x", sizeof sdlEvent.text.text);
    InputEvent event;
    ASSERT_TRUE(TranslateEvent(sdlEvent, event));
    EXPECT_EQ(event.kind, InputEvent::Kind::Text);
    EXPECT_EQ(event.text, "\xC3\xA9x");

    sdlEvent.text.text[0] = '\0';
    EXPECT_FALSE(TranslateEvent(sdlEvent, event));
}

TEST(EventTranslation, OnlyTheLeftButtonClicksButEveryMotionCounts) {
    InputEvent event;
    ASSERT_TRUE(TranslateEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 12, 34), event));
    EXPECT_EQ(event.kind, InputEvent::Kind::MouseDown);
    EXPECT_EQ(event.x, 12);
    EXPECT_EQ(event.y, 34);
    ASSERT_TRUE(TranslateEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 5, 6), event));
    EXPECT_EQ(event.kind, InputEvent::Kind::MouseUp);
    EXPECT_EQ(event.x, 5);

    EXPECT_FALSE(TranslateEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 1), event));
    EXPECT_FALSE(TranslateEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 1, 1), event));

    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 300;
    motion.motion.y = 200;
    motion.motion.state = 0; // no button held: still a move
    ASSERT_TRUE(TranslateEvent(motion, event));
    EXPECT_EQ(event.kind, InputEvent::Kind::MouseMove);
    EXPECT_EQ(event.x, 300);
    EXPECT_EQ(event.y, 200);
}

TEST(EventTranslation, WindowEventsTheGameAnswers) {
    struct Case {
        SDL_WindowEventID id;
        InputEvent::Kind kind;
    };
    const Case cases[] = {
        {SDL_WINDOWEVENT_EXPOSED, InputEvent::Kind::Expose},
        {SDL_WINDOWEVENT_RESTORED, InputEvent::Kind::Expose},
        {SDL_WINDOWEVENT_FOCUS_GAINED, InputEvent::Kind::FocusGained},
        {SDL_WINDOWEVENT_FOCUS_LOST, InputEvent::Kind::FocusLost},
    };
    InputEvent event;
    for (const Case& c : cases) {
        ASSERT_TRUE(TranslateEvent(WindowEvent(c.id), event)) << int{c.id};
        EXPECT_EQ(event.kind, c.kind) << int{c.id};
    }
    // The window's close comes again as the quit that follows it: one Close.
    EXPECT_FALSE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_CLOSE), event));
    EXPECT_FALSE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_MOVED), event));
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_TRUE(TranslateEvent(quit, event));
    EXPECT_EQ(event.kind, InputEvent::Kind::Close);

    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    EXPECT_FALSE(TranslateEvent(wheel, event));
}

} // namespace
