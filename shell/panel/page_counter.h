#pragma once

#include <cstdint>

// The start panel's page animation: a counter of 50 ms page ticks, 0..559,
// over the four 140-row pages of panelImage (the title picture, then the
// Best5 tables of Easy, Normal and Hard).
inline constexpr std::int32_t pageRows = 140;
inline constexpr std::int32_t pageCount = 4;
inline constexpr std::int32_t pageCycle = pageRows * pageCount; // 560 ticks, 28 s
inline constexpr std::int32_t slideTicks = 14;                  // 10 rows a tick
inline constexpr std::int32_t slideStep = 10;

// The first row of panelImage the tick at counter c shows: page 0 stands,
// each later page slides up from the top of the page before it, then stands.
std::int32_t PageSourceRow(std::int32_t counter);
// The counter after a page tick: after 559 the cycle cuts back to page 0.
std::int32_t NextPageCounter(std::int32_t counter);
// The counter after a click on the picture: the next page begins its slide at
// the next tick; on the last page, the title picture comes back at once.
std::int32_t SkipToNextPage(std::int32_t counter);
