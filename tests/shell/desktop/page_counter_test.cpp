// The start panel's page animation: the rows each page tick shows through a
// whole cycle, and where a click on the picture moves the counter.

#include "shell/panel/page_counter.h"

#include <gtest/gtest.h>

TEST(PageCounter, ACycleStandsSlidesAndCutsBackAndAClickStartsTheNextPage) {
    // Counter -> first row shown: page 0 stands; each later page slides up
    // from the top of the one before in 10-row steps (its first tick shows
    // the page before unchanged), then stands; after 559 comes page 0.
    const std::int32_t rows[][2] = {{0, 0},     {139, 0},   {140, 0},   {141, 10},  {153, 130},
                                    {154, 140}, {279, 140}, {280, 140}, {293, 270}, {294, 280},
                                    {420, 280}, {433, 410}, {434, 420}, {559, 420}};
    for (const auto& [counter, row] : rows)
        EXPECT_EQ(PageSourceRow(counter), row) << "counter " << counter;
    std::int32_t counter = 0, moving = 0;
    for (int tick = 0; tick < 560; ++tick, counter = NextPageCounter(counter))
        moving += PageSourceRow(counter) % 140 != 0;
    EXPECT_EQ(counter, 0) << "one cycle is 560 ticks";
    EXPECT_EQ(moving, 3 * 13);

    // Clicks: page 0 standing -> page 1 slides in; during the slide into
    // page 2 -> page 3 from the top of page 2; on page 3 -> page 0 at once.
    const std::int32_t clicks[][2] = {{0, 140},   {139, 140}, {140, 280}, {285, 420},
                                      {293, 420}, {419, 420}, {420, 0},   {559, 0}};
    for (const auto& [before, after] : clicks)
        EXPECT_EQ(SkipToNextPage(before), after) << "from " << before;
    EXPECT_EQ(PageSourceRow(SkipToNextPage(285)), 280);
}
