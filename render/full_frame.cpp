#include "core/ports.h"
#include "core/slot_rects.h"
#include "platform/gdi/gdi.h"
#include "character_sprite.h"
#include "field_placement.h"
#include "transparency.h"

namespace {

// The back wall shows between the shaft's walls, x 16..399.
constexpr std::int32_t backWallX = 16;
constexpr std::int32_t backWallWidth = 384;
constexpr std::int32_t backdropTileHeight = 128;

void DrawSlots(GameState& state) {
    // In index order, opaque rectangles, the walls (12 and 13) last over
    // anything under them; the back buffer clips what falls outside it.
    for (int i = 0; i < floorSlotCount; ++i) {
        const Rect s = SlotSheetRect(state, i);
        const Rect d = SlotDrawRect(state, i);
        BitBlt(state.backBuffer.context, d.x, d.y, s.width, s.height, state.spriteSheet.context,
               s.x, s.y, RasterOp::SrcCopy);
    }
}

void DrawCharacter(GameState& state) {
    // a. The sparkles first, centred across the body with the same bottom.
    if (ShowsChargeSparkles(state)) {
        DrawTransparent(state, state.playerX, state.playerY - 16, ChargeSparkleSprite(state));
    }
    // b. The body over them.
    DrawTransparent(state, state.playerX + 16, state.playerY, CharacterSprite(state));
}

} // namespace

void DrawFullFrame(GameState& state) {
    // 1.
    PaletteHandle previous = SelectPalette(state.windowDC, state.palette, false);

    // 2. The back wall moves at half the floors' speed: rows 128 - scrollPhase
    //    to 479 - scrollPhase of the 512-row backdrop, always inside it.
    BitBlt(state.backBuffer.context, backWallX, 0, backWallWidth, fieldHeight,
           state.backdrop.context, 0, backdropTileHeight - state.scrollPhase, RasterOp::SrcCopy);

    // 3.
    DrawSlots(state);

    // 4.
    if (ShowsCharacter(state)) {
        DrawCharacter(state);
    }

    // 5. The pause sign over everything, the character included.
    if (state.mode == GameMode::Paused) {
        BitBlt(state.backBuffer.context, pauseSignFieldX, pauseSignFieldY, pauseSignWidth,
               pauseSignHeight, state.spriteSheet.context, pauseSignSheetX, pauseSignSheetY,
               RasterOp::SrcCopy);
    }

    // 6. Show the whole frame in one blit.
    BitBlt(state.windowDC, fieldWindowX, fieldWindowY, fieldWidth, fieldHeight,
           state.backBuffer.context, 0, 0, RasterOp::SrcCopy);

    // 7.
    SelectPalette(state.windowDC, previous, false);
}
