// SPDX-License-Identifier: MIT
#include "link/timeout.h"

#include <gtest/gtest.h>

#include <thread>

namespace ryvorn {
namespace {

TEST(Timeout, ZeroNeverExpiresNegativeExpiresAtOnce) {
    TTimeout t;
    EXPECT_FALSE(t.Expired());  // never started
    t.Start(0);
    EXPECT_FALSE(t.Active());
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(t.Expired());
    t.Start(-1);
    EXPECT_TRUE(t.Expired());
    EXPECT_EQ(t.Remaining(), 0u);
}

TEST(Timeout, RemainingIsCappedWhileAMinuteOrMoreIsLeft) {
    TTimeout t;
    t.Start(90'000);
    EXPECT_EQ(t.Remaining(), 65535u);
    t.Start(60'500);
    EXPECT_EQ(t.Remaining(), 65535u);
    t.Start(59'000);
    EXPECT_LE(t.Remaining(), 59'000u);
    EXPECT_GT(t.Remaining(), 58'000u);
}

TEST(Timeout, ExpiresAfterItsTime) {
    TTimeout t;
    t.Start(20);
    EXPECT_FALSE(t.Expired());
    EXPECT_LE(t.Left(), std::chrono::milliseconds(20));
    std::this_thread::sleep_until(t.Deadline());
    EXPECT_TRUE(t.Expired());
    EXPECT_EQ(t.Left(), std::chrono::milliseconds(0));
}

}  // namespace
}  // namespace ryvorn
