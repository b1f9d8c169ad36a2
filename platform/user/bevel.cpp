#include "bevel.h"

void DrawFrameEdge(ContextHandle context, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom, std::uint8_t topLeft, std::uint8_t bottomRight) {
    FillRectIndex(context, left, top, right, top + 1, topLeft);
    FillRectIndex(context, left, top, left + 1, bottom, topLeft);
    FillRectIndex(context, left, bottom - 1, right, bottom, bottomRight);
    FillRectIndex(context, right - 1, top, right, bottom, bottomRight);
}
