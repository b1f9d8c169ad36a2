#pragma once

#include "platform/gdi/gdi.h"

#include <cstdint>

// A one-pixel frame: top and left in one colour, bottom and right in another.
// Two of them, light over dark or dark over light, make the raised and
// sunken bevels of menus, buttons and frames.
void DrawFrameEdge(ContextHandle context, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom, std::uint8_t topLeft, std::uint8_t bottomRight);
