// Regions as GDI regions, their rectangles fetched for the clip walk once
// after each change.
#include "region_ops.h"

#include <algorithm>

namespace {

// GDI coordinates hold 28 bits; a rectangle reaching past them is cut
// there, which is far outside any bitmap.
constexpr std::int32_t coordinateLimit = (1 << 27) - 1;

std::int32_t ToGdi(std::int32_t value) {
    return std::clamp(value, -coordinateLimit, coordinateLimit);
}

} // namespace

// A zero or reversed rectangle is empty; GDI would swap a reversed one's
// sides instead.
void SetRegionToRect(PlatformRegion& region, std::int32_t left, std::int32_t top,
                     std::int32_t right, std::int32_t bottom) {
    if (left >= right || top >= bottom)
        left = top = right = bottom = 0;
    SetRectRgn(region.handle, ToGdi(left), ToGdi(top), ToGdi(right), ToGdi(bottom));
    region.boxesFresh = false;
}

void CopyRegion(PlatformRegion& to, const PlatformRegion& from) {
    CombineRgn(to.handle, from.handle, nullptr, RGN_COPY);
    to.boxesFresh = false;
}

void SubtractRegion(PlatformRegion& from, const PlatformRegion& cut) {
    CombineRgn(from.handle, from.handle, cut.handle, RGN_DIFF);
    from.boxesFresh = false;
}

bool RegionHasPoint(const PlatformRegion& region, std::int32_t x, std::int32_t y) {
    return PtInRegion(region.handle, x, y) != FALSE;
}

bool RegionHasArea(const PlatformRegion& region) {
    RECT box{};
    return GetRgnBox(region.handle, &box) != NULLREGION;
}

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
