// Rectangle regions and the clip region each context keeps a copy of.
#include "region_impl.h"

namespace {

// A zero or reversed rectangle is empty; pixman would refuse it.
void MakeRect(pixman_region32_t& region, std::int32_t left, std::int32_t top, std::int32_t right,
              std::int32_t bottom) {
    pixman_region32_fini(&region);
    if (left >= right || top >= bottom) {
        pixman_region32_init(&region);
        return;
    }
    const pixman_box32_t box{left, top, right, bottom};
    pixman_region32_init_with_extents(&region, &box);
}

pixman_region32_t& ClipOf(PlatformContext& context) {
    if (!context.clip)
        context.clip = new PlatformRegion;
    return context.clip->region;
}

} // namespace

void ReleaseContextClip(PlatformContext& context) {
    delete context.clip;
    context.clip = nullptr;
    context.hasClip = false;
}

RegionHandle CreateRectRegion(std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom) {
    auto* region = new PlatformRegion;
    MakeRect(region->region, left, top, right, bottom);
    return region;
}

void SetRectRegion(RegionHandle region, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) {
    if (region)
        MakeRect(region->region, left, top, right, bottom);
}

void DeleteRegion(RegionHandle region) {
    delete region;
}

bool RegionContains(RegionHandle region, std::int32_t x, std::int32_t y) {
    return region && pixman_region32_contains_point(&region->region, x, y, nullptr);
}

bool RegionIsEmpty(RegionHandle region) {
    return !region || !pixman_region32_not_empty(&region->region);
}

void SelectClipRegion(ContextHandle context, RegionHandle region) {
    if (!context)
        return;
    if (!region) {
        context->hasClip = false;
        return;
    }
    pixman_region32_copy(&ClipOf(*context), &region->region);
    context->hasClip = true;
}

void ExcludeClipRegion(ContextHandle context, RegionHandle region) {
    if (!context)
        return;
    pixman_region32_t& clip = ClipOf(*context);
    if (!context->hasClip) {
        const PlatformBitmap* bitmap = context->bitmap;
        MakeRect(clip, 0, 0, bitmap ? bitmap->width : 0, bitmap ? bitmap->height : 0);
        context->hasClip = true;
    }
    if (region)
        pixman_region32_subtract(&clip, &clip, &region->region);
}

bool GetClipRegion(ContextHandle context, RegionHandle region) {
    if (!context || !context->hasClip || !region)
        return false;
    pixman_region32_copy(&region->region, &context->clip->region);
    return true;
}
