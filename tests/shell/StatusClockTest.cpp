#include <gtest/gtest.h>

#include "shell/StatusClock.h"

namespace vorn {
namespace {

std::tm at(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    std::mktime(&t);
    return t;
}

TEST(StatusClock, PanesAtAFixedTime) {
    const std::tm t = at(2026, 12, 7, 14, 5, 0);
    EXPECT_EQ(datePaneText(t), "07  12  26 ");
    EXPECT_EQ(timePaneText(t), "14:05:00   ");
}

TEST(StatusClock, SingleDigitsAreZeroFilledAndTheYearHasTwoDigits) {
    const std::tm t = at(2000, 1, 2, 9, 3, 7);
    EXPECT_EQ(datePaneText(t), "02  01  00 ");
    EXPECT_EQ(timePaneText(t), "09:03:07   ");
}

}  // namespace
}  // namespace vorn
