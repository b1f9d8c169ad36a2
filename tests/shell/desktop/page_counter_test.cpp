// The start panel's page animation: which rows of the four pages each page
// tick shows, and where a click on the picture moves the counter.

#include "shell/panel/page_counter.h"

#include <gtest/gtest.h>

namespace {

// The rows one page tick at counter c shows, worked out from the picture:
// page 0 stands for 140 ticks; each later page slides up from the top of the
// page before it in 14 steps of 10 rows, then stands for 126 ticks.
std::int32_t ExpectedRow(std::int32_t c) {
    if (c < 140) {
        return 0;
    }
    const std::int32_t page = c / 140;
    const std::int32_t intoPage = c - 140 * page;
    return intoPage < 14 ? 140 * (page - 1) + 10 * intoPage : 140 * page;
}

} // namespace

TEST(PageCounter, AWholeCycleStandsSlidesAndCutsBackToTheTitle) {
    std::int32_t counter = 0;
    std::int32_t slides = 0;
    for (int tick = 0; tick < 560; ++tick) {
        const std::int32_t row = PageSourceRow(counter);
        ASSERT_EQ(row, ExpectedRow(counter)) << "counter " << counter;
        ASSERT_GE(row, 0);
        ASSERT_LE(row + 140, 560) << "never reads past the last page";
        if (row % 140 != 0) {
            ++slides;
        }
        counter = NextPageCounter(counter);
    }
    EXPECT_EQ(counter, 0) << "one cycle is 560 ticks, 28 s at 50 ms";
    EXPECT_EQ(slides, 3 * 13) << "three slides of 13 moving ticks each";

    // The landmarks: the first tick of a slide shows the page before
    // unchanged, its last shows it 130 rows on; after 559 comes page 0.
    EXPECT_EQ(PageSourceRow(139), 0);
    EXPECT_EQ(PageSourceRow(140), 0);
    EXPECT_EQ(PageSourceRow(153), 130);
    EXPECT_EQ(PageSourceRow(154), 140);
    EXPECT_EQ(PageSourceRow(280), 140);
    EXPECT_EQ(PageSourceRow(293), 270);
    EXPECT_EQ(PageSourceRow(420), 280);
    EXPECT_EQ(PageSourceRow(434), 420);
    EXPECT_EQ(PageSourceRow(559), 420);
    EXPECT_EQ(NextPageCounter(559), 0);
}

TEST(PageCounter, AClickStartsTheNextPageOrGoesBackToTheTitle) {
    struct Case {
        std::int32_t before, after;
    };
    const Case cases[] = {
        {0, 140},   {139, 140},             // page 0 standing: page 1 slides in from page 0
        {140, 280}, {200, 280},             // page 1 sliding or standing: page 2 next
        {280, 420}, {285, 420}, {293, 420}, // during the slide into page 2: page 3
        {419, 420}, {420, 0},   {559, 0},   // on page 3: the title at once
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SkipToNextPage(c.before), c.after) << "from " << c.before;
    }
    // The page that comes slides in from the top of the page that was shown.
    EXPECT_EQ(PageSourceRow(SkipToNextPage(285)), 280);
    // A double click notifies twice: two pages on.
    EXPECT_EQ(SkipToNextPage(SkipToNextPage(10)), 280);
}
