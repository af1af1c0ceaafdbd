#include "framework/Random.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Random, FreshRunDrawsTheRuntimeSequence)
{
    CrtResetRandom();
    const std::vector<int> expected = {41,    18467, 6334,  26500, 19169, 15724,
                                       11478, 29358, 26962, 24464, 5705,  28145};
    std::vector<int> drawn;
    for (size_t i = 0; i < expected.size(); ++i)
        drawn.push_back(CrtRand());
    EXPECT_EQ(drawn, expected);
}

TEST(Random, ResetStartsTheSequenceAgain)
{
    CrtResetRandom();
    const int first = CrtRand();
    const int second = CrtRand();
    CrtResetRandom();
    EXPECT_EQ(CrtRand(), first);
    EXPECT_EQ(CrtRand(), second);
}

TEST(Random, ValuesStayWithin15Bits)
{
    CrtResetRandom();
    for (int i = 0; i < 100000; ++i) {
        const int value = CrtRand();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

} // namespace
