#include "transparency.h"

#include "platform/gdi/gdi.h"

void DrawTransparent(GameState& state, std::int32_t x, std::int32_t y, const MaskedSprite& sprite) {
    // 1. The mask with AND: backBuffer's context keeps its default text and
    //    background colours, black (0) for the mask's 0 bits and white (255)
    //    for its 1 bits.
    BitBlt(state.backBuffer.context, x, y, sprite.mask.width, sprite.mask.height,
           state.maskSheet.context, sprite.mask.x, sprite.mask.y, RasterOp::SrcAnd);
    // 2. The sprite with OR: exactly the sprite under opaque bits; under
    //    transparent bits a sprite index of 0 leaves the background.
    BitBlt(state.backBuffer.context, x, y, sprite.sprite.width, sprite.sprite.height,
           state.spriteSheet.context, sprite.sprite.x, sprite.sprite.y, RasterOp::SrcPaint);
}
