// Rectangle regions and the clip region each context keeps a copy of, over
// the system's own region type (region_ops.h).
#include "region_ops.h"

namespace {

PlatformRegion& ClipOf(PlatformContext& context) {
    if (!context.clip)
        context.clip = new PlatformRegion;
    return *context.clip;
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
    SetRegionToRect(*region, left, top, right, bottom);
    return region;
}

void SetRectRegion(RegionHandle region, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) {
    if (region)
        SetRegionToRect(*region, left, top, right, bottom);
}

void DeleteRegion(RegionHandle region) {
    delete region;
}

bool RegionContains(RegionHandle region, std::int32_t x, std::int32_t y) {
    return region && RegionHasPoint(*region, x, y);
}

bool RegionIsEmpty(RegionHandle region) {
    return !region || !RegionHasArea(*region);
}

void SelectClipRegion(ContextHandle context, RegionHandle region) {
    if (!context)
        return;
    if (!region) {
        context->hasClip = false;
        return;
    }
    CopyRegion(ClipOf(*context), *region);
    context->hasClip = true;
}

void ExcludeClipRegion(ContextHandle context, RegionHandle region) {
    if (!context)
        return;
    PlatformRegion& clip = ClipOf(*context);
    if (!context->hasClip) {
        const PlatformBitmap* bitmap = context->bitmap;
        SetRegionToRect(clip, 0, 0, bitmap ? bitmap->width : 0, bitmap ? bitmap->height : 0);
        context->hasClip = true;
    }
    if (region)
        SubtractRegion(clip, *region);
}

bool GetClipRegion(ContextHandle context, RegionHandle region) {
    if (!context || !context->hasClip || !region)
        return false;
    CopyRegion(*region, *context->clip);
    return true;
}
