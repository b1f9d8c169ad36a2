// Runs the real backend under SDL's dummy video driver (set by CTest), so it
// needs no desktop: the window, renderer and texture are all made.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {

std::vector<std::uint8_t> CommittedIcon() {
    std::ifstream in(VARNISK_ASSET_DIR "/icons/varnisk.ico", std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void PushKey(SDL_Keycode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

class SdlBackendTest : public testing::Test {
  protected:
    void SetUp() override {
        if (!backend.Initialised()) {
            GTEST_SKIP() << "no SDL video driver here: " << SDL_GetError();
        }
    }
    SdlBackend backend;
};

TEST_F(SdlBackendTest, OpensTheScreenOnceAndPresentsFrames) {
    const std::vector<std::uint8_t> icon = CommittedIcon();
    ASSERT_TRUE(backend.OpenScreen(64, 48, "VARNISK", icon));
    EXPECT_FALSE(backend.OpenScreen(64, 48, "VARNISK", icon));
    backend.ShowScreen();

    PaletteEntries palette{};
    palette[1] = {0xFF, 0x80, 0x00, 0};
    std::vector<std::uint8_t> indices(64 * 48, 1);
    backend.Present({64, 48, indices, &palette});
    palette[1] = {0x00, 0x80, 0xFF, 0};
    backend.Present({64, 48, indices, &palette});
    // A frame of another size or without enough pixels is cut to fit or
    // ignored, never read past (the sanitizer build checks that).
    std::vector<std::uint8_t> wide(100 * 10, 2);
    backend.Present({100, 10, wide, &palette});
    backend.Present({64, 48, std::span(indices).first(10), &palette});
}

TEST_F(SdlBackendTest, ADamagedIconStillOpensTheScreen) {
    std::vector<std::uint8_t> icon = CommittedIcon();
    icon.resize(icon.size() / 2);
    EXPECT_TRUE(backend.OpenScreen(32, 32, "VARNISK", icon));
}

TEST_F(SdlBackendTest, WaitsUntilTheDeadlineSkippingEventsTheGameDoesNotUse) {
    InputEvent event;
    // Drain what the driver queued on starting.
    while (backend.WaitEvent(backend.Now(), event)) {
    }

    SDL_Event unused{};
    unused.type = SDL_USEREVENT;
    SDL_PushEvent(&unused);
    const std::uint32_t deadline = backend.Now() + 30;
    EXPECT_FALSE(backend.WaitEvent(deadline, event));
    EXPECT_GE(static_cast<std::int32_t>(backend.Now() - deadline), 0);
}

TEST_F(SdlBackendTest, DeliversQueuedInputEvenPastTheDeadline) {
    InputEvent event;
    while (backend.WaitEvent(backend.Now(), event)) {
    }
    PushKey(SDLK_SPACE);
    PushKey(SDLK_CAPSLOCK); // not the game's: skipped
    PushKey(SDLK_ESCAPE);
    const std::uint32_t past = backend.Now() - 1000;
    ASSERT_TRUE(backend.WaitEvent(past, event));
    EXPECT_EQ(event.virtualKey, vk::space);
    ASSERT_TRUE(backend.WaitEvent(past, event));
    EXPECT_EQ(event.virtualKey, vk::escape);
    EXPECT_FALSE(backend.WaitEvent(past, event));
}

} // namespace
