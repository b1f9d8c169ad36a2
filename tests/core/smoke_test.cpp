#include "core/random.h"

#include <gtest/gtest.h>

TEST(Random, FirstValuesFromStateOne) {
    SeedRandom(1);
    EXPECT_EQ(NextRandom(), 16838);
    EXPECT_EQ(NextRandom(), 5758);
    EXPECT_EQ(NextRandom(), 10113);
}
