#include "tables/NumberText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

namespace vorn {
namespace {

TEST(IntValue, LeadingBlanksSignAndDigits) {
    EXPECT_EQ(intValue(" -12ab"), -12);
    EXPECT_EQ(intValue(""), 0);
    EXPECT_EQ(intValue("abc"), 0);
    EXPECT_EQ(intValue("+7"), 7);
    EXPECT_EQ(intValue("   1"), 1);
    EXPECT_EQ(intValue("0020"), 20);
    EXPECT_EQ(intValue("- 5"), 0);
    EXPECT_EQ(intValue("1 2"), 1);
}

TEST(IntValue, SaturatesAtTheIntRange) {
    EXPECT_EQ(intValue("2147483647"), INT_MAX);
    EXPECT_EQ(intValue("2147483648"), INT_MAX);
    EXPECT_EQ(intValue("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(intValue("-2147483648"), INT_MIN);
    EXPECT_EQ(intValue("-99999999999999999999999"), INT_MIN);
}

TEST(DecimalUnits, TypedDigitsCarryOverExactly) {
    EXPECT_EQ(decimalToUnits("1.5", 3), 1500);
    EXPECT_EQ(decimalToUnits("0.029", 3), 29);
    EXPECT_EQ(decimalToUnits("17.5", 2), 1750);
    EXPECT_EQ(decimalToUnits("0.29", 2), 29);
    EXPECT_EQ(decimalToUnits("12.345", 2), 1234);
    EXPECT_EQ(decimalToUnits("", 2), 0);
    EXPECT_EQ(decimalToUnits(" 5", 2), 500);
    EXPECT_EQ(decimalToUnits("1.15", 2), 115);  // 1.15 * 100 is 114.999... as a double
    EXPECT_EQ(decimalToUnits("-5", 2), -500);
    EXPECT_EQ(decimalToUnits("+12.5", 2), 1250);
    EXPECT_EQ(decimalToUnits(".5", 2), 50);
    EXPECT_EQ(decimalToUnits("5.", 2), 500);
    EXPECT_EQ(decimalToUnits("abc", 2), 0);
    EXPECT_EQ(decimalToUnits("3lb", 3), 3000);
    EXPECT_EQ(decimalToUnits("42", 0), 42);
}

TEST(DecimalUnits, HugeTextsSaturate) {
    EXPECT_EQ(decimalToUnits("99999999999999999999", 2), INT64_MAX);
    EXPECT_EQ(decimalToUnits("-99999999999999999999", 2), INT64_MIN);
}

TEST(DecimalUnits, UnitsBackToDecimalText) {
    EXPECT_EQ(unitsToDecimal(150, 2), "1.50");
    EXPECT_EQ(unitsToDecimal(12500, 3), "12.500");
    EXPECT_EQ(unitsToDecimal(0, 2), "0.00");
    EXPECT_EQ(unitsToDecimal(1750, 2), "17.50");
    EXPECT_EQ(unitsToDecimal(29, 3), "0.029");
    EXPECT_EQ(unitsToDecimal(-5, 2), "-0.05");
    EXPECT_EQ(unitsToDecimal(-1250, 2), "-12.50");
    EXPECT_EQ(unitsToDecimal(42, 0), "42");
    EXPECT_EQ(unitsToDecimal(INT64_MIN, 2), "-92233720368547758.08");
}

TEST(DecimalUnits, RoundTripAgreesWithPrintf) {
    for (std::int64_t units : {0, 1, 9, 10, 99, 100, 101, 1234, 99999, 123456789}) {
        std::string text = unitsToDecimal(units, 2);
        char printed[64];
        std::snprintf(printed, sizeof printed, "%.2f", static_cast<double>(units) / 100.0);
        EXPECT_EQ(text, printed);
        EXPECT_EQ(decimalToUnits(text, 2), units);
    }
}

}  // namespace
}  // namespace vorn
