#include "tests/render/render_fixture.h"

#include "platform/gdi/gdi.h"
#include "platform/headless/headless_backend.h"
#include "platform/user/user.h"
#include "shell/shell_ports.h"

namespace render_test {

namespace {

constexpr std::int32_t clientWidth = 634;
constexpr std::int32_t clientHeight = 436;

LResult PlainWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return DefWindowProc(window, message, wParam, lParam);
}

HeadlessBackend& Backend() {
    static HeadlessBackend backend;
    return backend;
}

} // namespace

const Bitmap& Sprites() {
    static const Bitmap b = asset_readers::LoadBmp("bitmaps/sprites.bmp");
    return b;
}
const Bitmap& Masks() {
    static const Bitmap b = asset_readers::LoadBmp("bitmaps/masks.bmp");
    return b;
}
const Bitmap& BackWall() {
    static const Bitmap b = asset_readers::LoadBmp("bitmaps/backwall.bmp");
    return b;
}
const Bitmap& Title() {
    static const Bitmap b = asset_readers::LoadBmp("bitmaps/title.bmp");
    return b;
}
const Bitmap& Frame() {
    static const Bitmap b = asset_readers::LoadBmp("bitmaps/frame.bmp");
    return b;
}

void ClearField(GameState& state) {
    for (FloorSlot& slot : state.floors) {
        slot = {FloorKind::Normal, -1000, -1000, 0, 0, 0};
    }
}

std::uint8_t Masked(std::uint8_t background, std::uint8_t maskBit, std::uint8_t sprite) {
    const std::uint8_t kept = maskBit != 0 ? background : std::uint8_t{0};
    return static_cast<std::uint8_t>(kept | sprite);
}

void RenderTest::SetUp() {
    ResetDisplay();
    StartWindowSystem(Backend());
    RegisterWindowClass({"VarniskRenderTest", cs::ownDC, PlainWindowProc, 0});
    state_ = std::make_unique<GameState>();
    state_->window =
        CreateWindowOf("VarniskRenderTest", "VARNISK", ws::caption | ws::sysMenu, 0, 0,
                       clientWidth + 2 * frameBorderWidth,
                       clientHeight + captionHeight + 2 * frameBorderWidth, nullptr, nullptr, 0, 0);
    ASSERT_NE(state_->window, nullptr);
    const Rect client = GetClientRect(state_->window);
    ASSERT_EQ(client.width, clientWidth);
    ASSERT_EQ(client.height, clientHeight);
    CreateSurfaces(*state_);
    state_->mode = GameMode::Title;
    state_->difficulty = 2;
    state_->shownFloor = 1;
    state_->floorCount = 1;
    state_->playerY = fieldHeight;
    ClearField(*state_);
}

void RenderTest::TearDown() {
    if (state_ && state_->window != nullptr) {
        ReleaseSurfaces(*state_);
        DestroyWindow(state_->window);
    }
    ShutdownWindowSystem();
    SetStaticColorCountForTesting(staticColorCount);
    ResetDisplay();
}

std::uint8_t RenderTest::WindowPixel(std::int32_t x, std::int32_t y) const {
    return GetPixelIndex(GetSelectedBitmap(state_->windowDC), x, y);
}

void RenderTest::FillWindow(std::uint8_t index) {
    FillRectIndex(state_->windowDC, 0, 0, clientWidth, clientHeight, index);
}

int RenderTest::SheetMismatches(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                                std::int32_t sheetX, std::int32_t sheetY) const {
    int mismatches = 0;
    for (std::int32_t dy = 0; dy < h; ++dy) {
        for (std::int32_t dx = 0; dx < w; ++dx) {
            mismatches += WindowPixel(x + dx, y + dy) != Sprites().at(sheetX + dx, sheetY + dy);
        }
    }
    return mismatches;
}

std::uint8_t RenderTest::BackWallAt(std::int32_t x, std::int32_t y) const {
    // The back wall starts at field x 16 with the tile's column 0, and shows
    // backdrop row y + 128 - scrollPhase, the tile repeating every 128 rows.
    return BackWall().at((x - 16) % 128, (y + 128 - state_->scrollPhase) % 128);
}

} // namespace render_test
