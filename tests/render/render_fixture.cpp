#include "tests/render/render_fixture.h"

#include "core/ports.h"
#include "platform/headless/headless_backend.h"
#include "platform/user/user.h"
#include "render/window_drawing.h"

namespace render_test {

const Pictures& Art() {
    using asset_readers::LoadBmp;
    static const Pictures art{LoadBmp("bitmaps/sprites.bmp"), LoadBmp("bitmaps/masks.bmp"),
                              LoadBmp("bitmaps/backwall.bmp"), LoadBmp("bitmaps/title.bmp"),
                              LoadBmp("bitmaps/frame.bmp")};
    return art;
}

std::function<void(GameState&)>& OnPartialFrame() {
    static std::function<void(GameState&)> hook;
    return hook;
}

int Mismatches(BitmapHandle bitmap, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
               const Expected& expected) {
    int mismatches = 0;
    for (std::int32_t dy = 0; dy < h; ++dy) {
        for (std::int32_t dx = 0; dx < w; ++dx) {
            mismatches += GetPixelIndex(bitmap, x + dx, y + dy) != expected(dx, dy);
        }
    }
    return mismatches;
}

void RenderTest::SetUp() {
    static HeadlessBackend backend;
    ResetDisplay();
    StartWindowSystem(backend);
    RegisterWindowClass({"VarniskRenderTest", cs::ownDC, DefWindowProc, 0});
    // A client of 634 x 436, as the game's main window has.
    state_->window = CreateWindowOf(
        "VarniskRenderTest", "VARNISK", ws::caption | ws::sysMenu, 0, 0, 634 + 2 * frameBorderWidth,
        436 + captionHeight + 2 * frameBorderWidth, nullptr, nullptr, 0, 0);
    ASSERT_NE(state_->window, nullptr);
    CreateSurfaces(*state_);
    state_->mode = GameMode::Title;
    state_->difficulty = 2;
    state_->shownFloor = state_->floorCount = 1;
    state_->playerY = fieldHeight;
    for (FloorSlot& slot : state_->floors) {
        slot = {FloorKind::Normal, -1000, -1000, 0, 0, 0}; // out of sight
    }
}

void RenderTest::TearDown() {
    OnPartialFrame() = nullptr;
    if (state_->window != nullptr) {
        ReleaseSurfaces(*state_);
        DestroyWindow(state_->window);
    }
    ShutdownWindowSystem();
    SetStaticColorCountForTesting(staticColorCount);
    ResetDisplay();
}

} // namespace render_test

// The stand-in for the partial redraw renderer.
void DrawPartialFrame(GameState& state) {
    if (render_test::OnPartialFrame()) {
        render_test::OnPartialFrame()(state);
    }
}
