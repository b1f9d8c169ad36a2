#include "character_sprite.h"
#include "core/slot_rects.h"
#include "field_placement.h"
#include "platform/gdi/gdi.h"
#include "render/window_drawing.h"
#include "transparency.h"

namespace {

// The back wall shows between the shaft's walls, x 16..399.
constexpr std::int32_t backWallX = 16;
constexpr std::int32_t backWallWidth = 384;
constexpr std::int32_t backdropTileHeight = 128;

void DrawSlots(const GameState& state, RenderResources& screen) {
    // In index order, opaque rectangles, the walls (12 and 13) last over
    // anything under them; the back buffer clips what falls outside it.
    for (int i = 0; i < floorSlotCount; ++i) {
        const Rect s = SlotSheetRect(state, i);
        const Rect d = SlotDrawRect(state, i);
        BitBlt(screen.backBuffer.context, d.x, d.y, s.width, s.height, screen.spriteSheet.context,
               s.x, s.y, RasterOp::SrcCopy);
    }
}

void DrawCharacter(const GameState& state, RenderResources& screen) {
    // The sparkles first, centred across the body with the same bottom; the
    // body over them.
    if (ShowsChargeSparkles(state)) {
        DrawTransparent(screen, state.playerX, state.playerY - 16, ChargeSparkleSprite(state));
    }
    DrawTransparent(screen, state.playerX + 16, state.playerY, CharacterSprite(state));
}

} // namespace

void DrawFullFrame(const GameState& state, RenderResources& screen) {
    PaletteHandle previous = SelectPalette(screen.windowDC, screen.palette, false);

    // The frame is composed in the back buffer. The back wall moves at half
    // the floors' speed: rows 128 - scrollPhase to 479 - scrollPhase of the
    // 512-row backdrop, always inside it.
    BitBlt(screen.backBuffer.context, backWallX, 0, backWallWidth, fieldHeight,
           screen.backdrop.context, 0, backdropTileHeight - state.scrollPhase, RasterOp::SrcCopy);

    DrawSlots(state, screen);
    if (ShowsCharacter(state)) {
        DrawCharacter(state, screen);
    }

    // The pause sign over everything, the character included.
    if (state.mode == GameMode::Paused) {
        BitBlt(screen.backBuffer.context, pauseSignFieldX, pauseSignFieldY, pauseSignWidth,
               pauseSignHeight, screen.spriteSheet.context, pauseSignSheetX, pauseSignSheetY,
               RasterOp::SrcCopy);
    }

    // The whole frame shown in one blit, so nothing half-drawn is ever seen.
    BitBlt(screen.windowDC, fieldWindowX, fieldWindowY, fieldWidth, fieldHeight,
           screen.backBuffer.context, 0, 0, RasterOp::SrcCopy);

    SelectPalette(screen.windowDC, previous, false);
}
