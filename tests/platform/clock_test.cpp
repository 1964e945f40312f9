#include "platform/clock.h"

#include <gtest/gtest.h>

TEST(Clock, SleepAdvancesTheTickCountByAtLeastTheWait)
{
    const std::uint32_t start = GetTickCount();
    Sleep(20);
    EXPECT_GE(static_cast<std::uint32_t>(GetTickCount() - start), 20u);
}
