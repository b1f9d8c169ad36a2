// Regions as pixman regions.
#include "region_ops.h"

// pixman refuses a zero or reversed box: such a rectangle is the empty region.
void SetRegionToRect(PlatformRegion& region, std::int32_t left, std::int32_t top,
                     std::int32_t right, std::int32_t bottom) {
    pixman_region32_fini(&region.region);
    if (left >= right || top >= bottom) {
        pixman_region32_init(&region.region);
        return;
    }
    const pixman_box32_t box{left, top, right, bottom};
    pixman_region32_init_with_extents(&region.region, &box);
}

void CopyRegion(PlatformRegion& to, const PlatformRegion& from) {
    pixman_region32_copy(&to.region, &from.region);
}

void SubtractRegion(PlatformRegion& from, const PlatformRegion& cut) {
    pixman_region32_subtract(&from.region, &from.region, &cut.region);
}

bool RegionHasPoint(const PlatformRegion& region, std::int32_t x, std::int32_t y) {
    return pixman_region32_contains_point(&region.region, x, y, nullptr);
}

bool RegionHasArea(const PlatformRegion& region) {
    return pixman_region32_not_empty(&region.region);
}
