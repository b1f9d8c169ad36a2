#include "platform/sdl/event_translation.h"
#include "platform/sdl/key_mapping.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyMapping, GivesTheVirtualKeyOfEveryKeyTheGameKnowsAndNoneForOthers) {
    // clang-format off
    const std::pair<SDL_Keycode, int> cases[] = {
        {SDLK_a, 'A'}, {SDLK_z, 'Z'}, {SDLK_0, '0'}, {SDLK_9, '9'}, {SDLK_F1, vk::f1},
        {SDLK_F10, vk::f10}, {SDLK_F12, 123}, {SDLK_SPACE, vk::space}, {SDLK_RETURN, vk::enter},
        {SDLK_KP_ENTER, vk::enter}, {SDLK_ESCAPE, vk::escape}, {SDLK_TAB, vk::tab},
        {SDLK_BACKSPACE, vk::back}, {SDLK_DELETE, vk::del}, {SDLK_HOME, vk::home},
        {SDLK_END, vk::end}, {SDLK_LEFT, vk::left}, {SDLK_UP, vk::up}, {SDLK_RIGHT, vk::right},
        {SDLK_DOWN, vk::down}, {SDLK_LSHIFT, vk::shift}, {SDLK_RSHIFT, vk::shift},
        {SDLK_LCTRL, vk::control}, {SDLK_RCTRL, vk::control}, {SDLK_LALT, vk::alt},
        {SDLK_RALT, vk::alt},
        // Neighbours of the mapped runs, so an off-by-one at either end shows.
        {SDLK_BACKQUOTE, 0}, {'{', 0}, {SDLK_SLASH, 0}, {SDLK_COLON, 0}, {SDLK_CAPSLOCK, 0},
        {SDLK_PRINTSCREEN, 0}, {SDLK_KP_0, 0}, {SDLK_UNKNOWN, 0},
    };
    // clang-format on
    for (const auto& [key, virtualKey] : cases) {
        EXPECT_EQ(VirtualKeyFromKeycode(key), virtualKey) << SDL_GetKeyName(key);
    }
}

SDL_Event Event(Uint32 type) {
    SDL_Event event{};
    event.type = type;
    return event;
}

SDL_Event Key(Uint32 type, SDL_Keycode key, Uint8 repeat = 0) {
    SDL_Event event = Event(type);
    event.key.keysym.sym = key;
    event.key.repeat = repeat;
    return event;
}

SDL_Event Button(Uint32 type, Uint8 button) {
    SDL_Event event = Event(type);
    event.button.button = button;
    event.button.x = 12;
    event.button.y = 34;
    return event;
}

SDL_Event Window(SDL_WindowEventID id) {
    SDL_Event event = Event(SDL_WINDOWEVENT);
    event.window.event = static_cast<Uint8>(id);
    return event;
}

TEST(EventTranslation, KeepsWhatTheGameUsesAndSkipsTheRest) {
    using Kind = InputEvent::Kind;
    struct Expected {
        Kind kind = Kind::KeyDown;
        int virtualKey = 0;
        bool repeat = false;
        std::int32_t x = 0;
        std::int32_t y = 0;
    };
    SDL_Event motion = Event(SDL_MOUSEMOTION);
    motion.motion.x = 300;
    motion.motion.y = 200; // no button held: still a move
    struct Case {
        const char* what;
        SDL_Event sdlEvent;
        bool kept;
        Expected expected;
    };
    const Case cases[] = {
        {"auto-repeated space",
         Key(SDL_KEYDOWN, SDLK_SPACE, 1),
         true,
         {Kind::KeyDown, vk::space, true}},
        {"escape released", Key(SDL_KEYUP, SDLK_ESCAPE), true, {Kind::KeyUp, vk::escape}},
        {"a key the game has no use for", Key(SDL_KEYDOWN, SDLK_CAPSLOCK), false, {}},
        {"left button down",
         Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT),
         true,
         {Kind::MouseDown, 0, false, 12, 34}},
        {"left button up",
         Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT),
         true,
         {Kind::MouseUp, 0, false, 12, 34}},
        {"right button", Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT), false, {}},
        {"middle button", Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE), false, {}},
        {"motion", motion, true, {Kind::MouseMove, 0, false, 300, 200}},
        {"wheel", Event(SDL_MOUSEWHEEL), false, {}},
        {"exposed", Window(SDL_WINDOWEVENT_EXPOSED), true, {Kind::Expose}},
        {"restored", Window(SDL_WINDOWEVENT_RESTORED), true, {Kind::Expose}},
        {"focus gained", Window(SDL_WINDOWEVENT_FOCUS_GAINED), true, {Kind::FocusGained}},
        {"focus lost", Window(SDL_WINDOWEVENT_FOCUS_LOST), true, {Kind::FocusLost}},
        {"moved", Window(SDL_WINDOWEVENT_MOVED), false, {}},
        // The window's close comes again as the quit that follows it: one Close.
        {"window closed", Window(SDL_WINDOWEVENT_CLOSE), false, {}},
        {"quit", Event(SDL_QUIT), true, {Kind::Close}},
    };
    for (const Case& c : cases) {
        // Filled with leftovers, so a field the translation forgets shows.
        InputEvent event{Kind::Text, 99, true, 7, 7, "old"};
        ASSERT_EQ(TranslateEvent(c.sdlEvent, event), c.kept) << c.what;
        if (c.kept) {
            EXPECT_EQ(event.kind, c.expected.kind) << c.what;
            EXPECT_EQ(event.virtualKey, c.expected.virtualKey) << c.what;
            EXPECT_EQ(event.repeat, c.expected.repeat) << c.what;
            EXPECT_EQ(event.x, c.expected.x) << c.what;
            EXPECT_EQ(event.y, c.expected.y) << c.what;
            EXPECT_EQ(event.text, "") << c.what;
        }
    }
}

TEST(EventTranslation, TypedTextIsPassedOnWhole) {
    SDL_Event sdlEvent = Event(SDL_TEXTINPUT);
    SDL_strlcpy(sdlEvent.text.text, "\xC3\xA9x", sizeof sdlEvent.text.text);
    InputEvent event;
    ASSERT_TRUE(TranslateEvent(sdlEvent, event));
    EXPECT_EQ(event.kind, InputEvent::Kind::Text);
    EXPECT_EQ(event.text, "\xC3\xA9x");
    sdlEvent.text.text[0] = '\0';
    EXPECT_FALSE(TranslateEvent(sdlEvent, event));
}

} // namespace
