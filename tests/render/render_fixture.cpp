#include "tests/render/render_fixture.h"

#include "core/ports.h"
#include "platform/headless/headless_backend.h"
#include "platform/user/user.h"
#include "render/partial_frame.h"
#include "render/window_drawing.h"

namespace render_test {

const Pictures& Art() {
    using asset_readers::LoadBmp;
    static const Pictures art{LoadBmp("bitmaps/sprites.bmp"), LoadBmp("bitmaps/masks.bmp"),
                              LoadBmp("bitmaps/backwall.bmp"), LoadBmp("bitmaps/title.bmp"),
                              LoadBmp("bitmaps/frame.bmp")};
    return art;
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

void FieldModel::Put(std::int32_t x, std::int32_t y, const Rect& s, std::int32_t maskY) {
    for (std::int32_t dy = 0; dy < s.height; ++dy) {
        for (std::int32_t dx = 0; dx < s.width; ++dx) {
            if (x + dx >= 0 && x + dx < fieldWidth && y + dy >= 0 && y + dy < fieldHeight) {
                std::uint8_t& pixel = At(x + dx, y + dy);
                const bool keep = maskY >= 0 && Art().masks.at(s.x + dx, maskY + dy) != 0;
                pixel = static_cast<std::uint8_t>((keep ? pixel : 0) |
                                                  Art().sprites.at(s.x + dx, s.y + dy));
            }
        }
    }
}

int FieldModel::Mismatches(BitmapHandle window, std::int32_t from, std::int32_t to) {
    return render_test::Mismatches(
        window, 24 + from, 64, to - from, fieldHeight,
        [&](std::int32_t dx, std::int32_t dy) { return At(from + dx, dy); });
}

void RenderTest::SetUp() {
    ResetPartialFrameState(); // a fresh program: nothing drawn partially yet
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
    if (state_->window != nullptr) {
        ReleaseSurfaces(*state_);
        DestroyWindow(state_->window);
    }
    ShutdownWindowSystem();
    SetStaticColorCountForTesting(staticColorCount);
    ResetDisplay();
}

} // namespace render_test
