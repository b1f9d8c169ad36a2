#include "transparency.h"

#include "platform/gdi/gdi.h"

void DrawTransparent(RenderResources& screen, std::int32_t x, std::int32_t y,
                     const MaskedSprite& sprite) {
    // The mask with AND: the back buffer's context keeps its default text and
    // background colours, so the mask's 0 bits give black (0) and its 1 bits
    // white (255), which keeps the background.
    BitBlt(screen.backBuffer.context, x, y, sprite.mask.width, sprite.mask.height,
           screen.maskSheet.context, sprite.mask.x, sprite.mask.y, RasterOp::SrcAnd);
    // The sprite with OR: exactly the sprite under opaque bits; under
    // transparent bits a sprite index of 0 leaves the background.
    BitBlt(screen.backBuffer.context, x, y, sprite.sprite.width, sprite.sprite.height,
           screen.spriteSheet.context, sprite.sprite.x, sprite.sprite.y, RasterOp::SrcPaint);
}
