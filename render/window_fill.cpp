#include "platform/gdi/gdi.h"
#include "render/window_drawing.h"

void FillWindowRectBlack(RenderResources& screen, std::int32_t left, std::int32_t top,
                         std::int32_t right, std::int32_t bottom) {
    // The black brush is palette index 0 whatever palette is selected.
    FillRectIndex(screen.windowDC, left, top, right, bottom, blackIndex);
}
