// Runs the real backend under SDL's dummy video driver (set by CTest), so it
// needs no desktop: the window, renderer and texture are all made.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {

TEST(SdlBackend, OpensTheScreenOncePresentsOddFramesAndWaitsForInputUntilTheDeadline) {
    SdlBackend backend;
    if (!backend.Initialised())
        GTEST_SKIP() << "no SDL video driver here: " << SDL_GetError();
    std::ifstream in{VARNISK_ASSET_DIR "/icons/varnisk.ico", std::ios::binary};
    std::vector<std::uint8_t> icon{std::istreambuf_iterator<char>(in), {}};
    icon.resize(icon.size() / 2); // damaged: the screen opens all the same
    ASSERT_TRUE(backend.OpenScreen(64, 48, "Test", icon));
    EXPECT_FALSE(backend.OpenScreen(64, 48, "Test", icon));
    backend.ShowScreen();
    PaletteEntries palette{};
    palette[1] = {0xFF, 0x80, 0x00, 0};
    std::vector<std::uint8_t> indices(std::size_t{100} * 48, 1);
    backend.Present({64, 48, indices, &palette});
    // A frame of another size or without enough pixels is cut to fit or
    // ignored, never read past (the sanitizer build checks that).
    backend.Present({100, 10, std::span(indices).first(std::size_t{100} * 10), &palette});
    backend.Present({64, 48, std::span(indices).first(10), &palette});

    // Queued input comes even past the deadline; events the game does not
    // use are skipped, waiting on until the deadline.
    InputEvent event;
    while (backend.WaitEvent(backend.Now(), event)) {
        // what the driver queued on starting
    }
    for (SDL_Keycode key : {SDLK_CAPSLOCK, SDLK_ESCAPE}) {
        SDL_Event pushed{};
        pushed.type = SDL_KEYDOWN;
        pushed.key.keysym.sym = key;
        ASSERT_EQ(SDL_PushEvent(&pushed), 1) << SDL_GetError();
    }
    ASSERT_TRUE(backend.WaitEvent(backend.Now() - 1000, event));
    EXPECT_EQ(event.virtualKey, vk::escape);
    SDL_Event unused{};
    unused.type = SDL_USEREVENT;
    SDL_PushEvent(&unused);
    const std::uint32_t deadline = backend.Now() + 30;
    EXPECT_FALSE(backend.WaitEvent(deadline, event));
    EXPECT_GE(static_cast<std::int32_t>(backend.Now() - deadline), 0);
}

} // namespace
