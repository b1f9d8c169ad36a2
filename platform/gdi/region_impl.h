#pragma once

// A clip region is a pixman region: banded half-open boxes, the same model
// as the original's regions. Private to this folder (it needs pixman).

#include "gdi_objects.h"

#include <pixman.h>

struct PlatformRegion {
    pixman_region32_t region;

    PlatformRegion() { pixman_region32_init(&region); }
    ~PlatformRegion() { pixman_region32_fini(&region); }
    PlatformRegion(const PlatformRegion&) = delete;
    PlatformRegion& operator=(const PlatformRegion&) = delete;
};
