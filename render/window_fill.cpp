#include "core/ports.h"
#include "platform/gdi/gdi.h"

void FillWindowRectBlack(GameState& state, std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom) {
    // The black brush is palette index 0 whatever palette is selected.
    FillRectIndex(state.windowDC, left, top, right, bottom, blackIndex);
}
