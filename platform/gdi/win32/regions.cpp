// Rectangle regions and the clip region each context keeps a copy of, as
// GDI regions.
#include "region_impl.h"

#include <algorithm>

namespace {

// GDI coordinates hold 28 bits; a rectangle reaching past them is cut
// there, which is far outside any bitmap.
constexpr std::int32_t coordinateLimit = (1 << 27) - 1;

std::int32_t ToGdi(std::int32_t value) {
    return std::clamp(value, -coordinateLimit, coordinateLimit);
}

// A zero or reversed rectangle is empty; GDI would swap a reversed one's
// sides instead.
void MakeRect(PlatformRegion& region, std::int32_t left, std::int32_t top, std::int32_t right,
              std::int32_t bottom) {
    if (left >= right || top >= bottom)
        left = top = right = bottom = 0;
    SetRectRgn(region.handle, ToGdi(left), ToGdi(top), ToGdi(right), ToGdi(bottom));
    region.boxesFresh = false;
}

void CopyRegion(PlatformRegion& to, const PlatformRegion& from) {
    CombineRgn(to.handle, from.handle, nullptr, RGN_COPY);
    to.boxesFresh = false;
}

PlatformRegion& ClipOf(PlatformContext& context) {
    if (!context.clip)
        context.clip = new PlatformRegion;
    return *context.clip;
}

} // namespace

std::span<const RegionBox> RegionBoxes(const PlatformRegion& region) {
    if (region.boxesFresh)
        return region.boxes;
    region.boxes.clear();
    const DWORD size = GetRegionData(region.handle, 0, nullptr);
    // RGNDATA is a header followed by its rectangles; kept in RECTs so that
    // the buffer is aligned for both.
    std::vector<RECT> buffer((size + sizeof(RECT) - 1) / sizeof(RECT) + 1);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (size != 0 && GetRegionData(region.handle, size, data) != 0) {
        const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
        for (DWORD i = 0; i < data->rdh.nCount; ++i) {
            const RECT& rect = rects[i];
            region.boxes.push_back({rect.left, rect.top, rect.right, rect.bottom});
        }
    }
    region.boxesFresh = true;
    return region.boxes;
}

void ReleaseContextClip(PlatformContext& context) {
    delete context.clip;
    context.clip = nullptr;
    context.hasClip = false;
}

RegionHandle CreateRectRegion(std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom) {
    auto* region = new PlatformRegion;
    MakeRect(*region, left, top, right, bottom);
    return region;
}

void SetRectRegion(RegionHandle region, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) {
    if (region)
        MakeRect(*region, left, top, right, bottom);
}

void DeleteRegion(RegionHandle region) {
    delete region;
}

bool RegionContains(RegionHandle region, std::int32_t x, std::int32_t y) {
    return region && PtInRegion(region->handle, x, y);
}

bool RegionIsEmpty(RegionHandle region) {
    RECT box{};
    return !region || GetRgnBox(region->handle, &box) == NULLREGION;
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
        MakeRect(clip, 0, 0, bitmap ? bitmap->width : 0, bitmap ? bitmap->height : 0);
        context->hasClip = true;
    }
    if (region) {
        CombineRgn(clip.handle, clip.handle, region->handle, RGN_DIFF);
        clip.boxesFresh = false;
    }
}

bool GetClipRegion(ContextHandle context, RegionHandle region) {
    if (!context || !context->hasClip || !region)
        return false;
    CopyRegion(*region, *context->clip);
    return true;
}
