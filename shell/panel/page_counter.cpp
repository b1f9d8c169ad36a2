#include "page_counter.h"

std::int32_t PageSourceRow(std::int32_t counter) {
    if (counter < pageRows) {
        return 0;
    }
    const std::int32_t page = counter / pageRows;
    const std::int32_t step = counter % pageRows;
    if (step < slideTicks) {
        return (page - 1) * pageRows + slideStep * step;
    }
    return pageRows * page;
}

std::int32_t NextPageCounter(std::int32_t counter) {
    return (counter + 1) % pageCycle;
}

std::int32_t SkipToNextPage(std::int32_t counter) {
    constexpr std::int32_t lastPageStart = pageRows * (pageCount - 1);
    if (counter < lastPageStart) {
        return (counter / pageRows + 1) * pageRows;
    }
    return 0;
}
