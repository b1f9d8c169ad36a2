#pragma once

// What each system's region type does for the shared region and clip code
// (regions.cpp): pixman's on Linux (pixman/regions.cpp), GDI's on Windows
// (win32/regions.cpp). Private to this folder.

#include "region_impl.h"

#include <cstdint>

// The rectangle left..right-1, top..bottom-1; a zero or reversed one is the
// empty region.
void SetRegionToRect(PlatformRegion& region, std::int32_t left, std::int32_t top,
                     std::int32_t right, std::int32_t bottom);
void CopyRegion(PlatformRegion& to, const PlatformRegion& from);
// Takes away from `from` what lies in `cut`.
void SubtractRegion(PlatformRegion& from, const PlatformRegion& cut);
bool RegionHasPoint(const PlatformRegion& region, std::int32_t x, std::int32_t y);
bool RegionHasArea(const PlatformRegion& region);
