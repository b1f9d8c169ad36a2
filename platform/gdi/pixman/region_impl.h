#pragma once

// A clip region is a pixman region: banded half-open boxes, the same model
// as the original's regions. Private to this folder (it needs pixman).

#include "gdi_objects.h"

#include <pixman.h>
#include <span>

// pixman keeps boxes in bands of equal y, bands top to bottom and boxes
// left to right within a band: what the clip walk wants.
using RegionBox = pixman_box32_t;

struct PlatformRegion {
    pixman_region32_t region;

    PlatformRegion() { pixman_region32_init(&region); }
    ~PlatformRegion() { pixman_region32_fini(&region); }
    PlatformRegion(const PlatformRegion&) = delete;
    PlatformRegion& operator=(const PlatformRegion&) = delete;
};

inline std::span<const RegionBox> RegionBoxes(const PlatformRegion& region) {
    int count = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(&region.region, &count);
    return {boxes, static_cast<std::size_t>(count)};
}
