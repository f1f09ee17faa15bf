#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

TEST(VirtualClockDate, ShowsTheDateItWasSetToAndMovesOnAtMidnight) {
    VirtualClock clock;
    EXPECT_EQ(clock.localDateTime(), (LocalDateTime{2000, 1, 1, 0, 0, 0}));
    clock.set({2028, 2, 28, 23, 59, 59});
    EXPECT_EQ(clock.timeOfDay(), "23:59:59");
    clock.advanceMs(1000);
    EXPECT_EQ(clock.localDateTime(), (LocalDateTime{2028, 2, 29, 0, 0, 0}));
    clock.sleepMs(2 * 86400 * 1000);
    EXPECT_EQ(clock.localDateTime(), (LocalDateTime{2028, 3, 2, 0, 0, 0}));
}

TEST(RealClockDate, IsAPlausibleLocalDateAndTime) {
    const LocalDateTime t = realClock().localDateTime();
    EXPECT_GE(t.year, 2024);
    EXPECT_GE(t.month, 1);
    EXPECT_LE(t.month, 12);
    EXPECT_GE(t.day, 1);
    EXPECT_LE(t.day, 31);
    EXPECT_LE(t.hour, 23);
    EXPECT_LE(t.second, 60);
}

}  // namespace
}  // namespace vorn
