#include "platform/sdl/event_translation.h"
#include "platform/sdl/key_mapping.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

TEST(KeyMapping, GivesTheVirtualKeyOfEveryKeyKnownAndNoneForOthers) {
    // The neighbours of the mapped runs come last, so an off-by-one at either end shows.
    // clang-format off
    const std::pair<SDL_Keycode, int> cases[] = {
        {SDLK_a, 'A'}, {SDLK_z, 'Z'}, {SDLK_0, '0'}, {SDLK_9, '9'}, {SDLK_F1, vk::f1},
        {SDLK_F10, vk::f10}, {SDLK_F12, 123}, {SDLK_SPACE, vk::space}, {SDLK_RETURN, vk::enter},
        {SDLK_KP_ENTER, vk::enter}, {SDLK_ESCAPE, vk::escape}, {SDLK_TAB, vk::tab},
        {SDLK_BACKSPACE, vk::back}, {SDLK_DELETE, vk::del}, {SDLK_HOME, vk::home},
        {SDLK_END, vk::end}, {SDLK_LEFT, vk::left}, {SDLK_UP, vk::up}, {SDLK_RIGHT, vk::right},
        {SDLK_DOWN, vk::down}, {SDLK_LSHIFT, vk::shift}, {SDLK_RSHIFT, vk::shift},
        {SDLK_LCTRL, vk::control}, {SDLK_RCTRL, vk::control}, {SDLK_LALT, vk::alt},
        {SDLK_RALT, vk::alt}, {SDLK_BACKQUOTE, 0}, {'{', 0}, {SDLK_SLASH, 0}, {SDLK_COLON, 0},
        {SDLK_CAPSLOCK, 0}, {SDLK_PRINTSCREEN, 0}, {SDLK_KP_0, 0}, {SDLK_UNKNOWN, 0}};
    // clang-format on
    for (const auto& [key, virtualKey] : cases)
        EXPECT_EQ(VirtualKeyFromKeycode(key), virtualKey) << SDL_GetKeyName(key);
}

// An SDL event of this type; a and b are the key and its repeat, the mouse
// button (at 12, 34), the motion's x and y, or the window event.
SDL_Event Sdl(Uint32 type, int a = 0, int b = 0) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_KEYDOWN || type == SDL_KEYUP)
        std::tie(e.key.keysym.sym, e.key.repeat) = std::tuple(a, Uint8(b));
    else if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP)
        std::tie(e.button.button, e.button.x, e.button.y) = std::tuple(Uint8(a), 12, 34);
    else if (type == SDL_MOUSEMOTION)
        std::tie(e.motion.x, e.motion.y) = std::tuple(a, b);
    else if (type == SDL_WINDOWEVENT)
        e.window.event = Uint8(a);
    return e;
}

TEST(EventTranslation, KeepsWhatTheProgramUsesAndSkipsTheRest) {
    using K = InputEvent::Kind;
    // The event as translated (kind, key, repeat, x, y), or kept false.
    using Want = std::tuple<K, int, bool, std::int32_t, std::int32_t>;
    const Want skipped{K::Text, -1, false, 0, 0};
    // clang-format off
    const std::tuple<const char*, SDL_Event, Want> cases[] = {
        {"auto-repeated space", Sdl(SDL_KEYDOWN, SDLK_SPACE, 1), {K::KeyDown, vk::space, true, 0, 0}},
        {"escape released", Sdl(SDL_KEYUP, SDLK_ESCAPE), {K::KeyUp, vk::escape, false, 0, 0}},
        {"a key of no use", Sdl(SDL_KEYDOWN, SDLK_CAPSLOCK), skipped},
        {"left down", Sdl(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT), {K::MouseDown, 0, false, 12, 34}},
        {"left up", Sdl(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT), {K::MouseUp, 0, false, 12, 34}},
        {"right button", Sdl(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT), skipped},
        {"middle button", Sdl(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE), skipped},
        {"motion", Sdl(SDL_MOUSEMOTION, 300, 200), {K::MouseMove, 0, false, 300, 200}},
        {"wheel", Sdl(SDL_MOUSEWHEEL), skipped},
        {"exposed", Sdl(SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED), {K::Expose, 0, false, 0, 0}},
        {"restored", Sdl(SDL_WINDOWEVENT, SDL_WINDOWEVENT_RESTORED), {K::Expose, 0, false, 0, 0}},
        {"focus gained", Sdl(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED), {K::FocusGained, 0, false, 0, 0}},
        {"focus lost", Sdl(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST), {K::FocusLost, 0, false, 0, 0}},
        {"moved", Sdl(SDL_WINDOWEVENT, SDL_WINDOWEVENT_MOVED), skipped},
        // The window's close comes again as the quit that follows it: one Close.
        {"window closed", Sdl(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE), skipped},
        {"quit", Sdl(SDL_QUIT), {K::Close, 0, false, 0, 0}}};
    // clang-format on
    for (const auto& [what, sdlEvent, want] : cases) {
        InputEvent e{K::Text, 99, true, 7, 7, "old"}; // leftovers show a forgotten field
        const bool kept = std::get<1>(want) >= 0;
        ASSERT_EQ(TranslateEvent(sdlEvent, e), kept) << what;
        EXPECT_TRUE(!kept ||
                    (Want{e.kind, e.virtualKey, e.repeat, e.x, e.y} == want && e.text.empty()))
            << what;
    }
    // Typed text is passed on whole; empty text is nothing.
    SDL_Event typed = Sdl(SDL_TEXTINPUT);
    SDL_strlcpy(typed.text.text, "\xC3\xA9x", sizeof typed.text.text);
    InputEvent e;
    ASSERT_TRUE(TranslateEvent(typed, e));
    EXPECT_TRUE(e.kind == K::Text && e.text == "\xC3\xA9x");
    typed.text.text[0] = '\0';
    EXPECT_FALSE(TranslateEvent(typed, e));
}

} // namespace
