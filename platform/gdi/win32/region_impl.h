#pragma once

// A clip region is a GDI region (HRGN): the system keeps it as banded
// half-open rectangles, the same model pixman uses on Linux. The clip walk
// reads the rectangles through GetRegionData; they are fetched once after
// each change and kept, so that a draw does not ask the system again.

#include "gdi_objects.h"

#include <cstdint>
#include <span>
#include <vector>
#include <windows.h>

struct RegionBox {
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;
};

struct PlatformRegion {
    HRGN handle = CreateRectRgn(0, 0, 0, 0);
    // The rectangles as GetRegionData gave them, valid while boxesFresh.
    mutable std::vector<RegionBox> boxes;
    mutable bool boxesFresh = false;

    PlatformRegion() = default;
    ~PlatformRegion() { DeleteObject(handle); }
    PlatformRegion(const PlatformRegion&) = delete;
    PlatformRegion& operator=(const PlatformRegion&) = delete;
};

// The rectangles top to bottom in bands of equal y, left to right within a
// band.
std::span<const RegionBox> RegionBoxes(const PlatformRegion& region);
