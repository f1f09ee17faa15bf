#include "widgets/NumericText.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

constexpr NumericLimits kPrice{7, 2};
constexpr NumericLimits kFixweight{6, 3};
constexpr NumericLimits kTareWeight{5, 3};

TEST(NumericText, PriceFieldTakesFourDigitsBeforeThePointAndTwoDecimals) {
    for (const char* ok :
         {"", "9", "9999", "9999.", "9999.9", "9999.99", "0", "0.5", ".5", "123.45", "12345.6"}) {
        EXPECT_TRUE(isAcceptableNumericText(ok, kPrice)) << ok;
    }
    for (const char* refused : {"99999", "123456", "1.234", "05", "00", "0.5.", "1..2", "12a", "-1",
                                " 1", "12345.67", "1234567."}) {
        EXPECT_FALSE(isAcceptableNumericText(refused, kPrice)) << refused;
    }
}

TEST(NumericText, FixweightAndTareFieldsBoundTheDigitsWithoutAPointOnly) {
    EXPECT_TRUE(isAcceptableNumericText("30.999", kFixweight));
    EXPECT_TRUE(isAcceptableNumericText("12", kFixweight));
    EXPECT_FALSE(isAcceptableNumericText("123", kFixweight));
    EXPECT_FALSE(isAcceptableNumericText("30.9999", kFixweight));

    EXPECT_TRUE(isAcceptableNumericText("9", kTareWeight));
    EXPECT_FALSE(isAcceptableNumericText("10", kTareWeight));
    EXPECT_TRUE(isAcceptableNumericText("10.5", kTareWeight));
    EXPECT_TRUE(isAcceptableNumericText("999.9", kTareWeight));
    EXPECT_FALSE(isAcceptableNumericText("1000.5", kTareWeight));
    EXPECT_FALSE(isAcceptableNumericText("1.2345", kTareWeight));
}

TEST(NumericText, AnUnconfiguredFieldAcceptsNothing) {
    EXPECT_FALSE(isAcceptableNumericText("1", NumericLimits{}));
    EXPECT_FALSE(isAcceptableNumericText("", NumericLimits{}));
}

TEST(NumericText, ARefusalSaysWhy) {
    struct Case {
        const char* text;
        NumericLimits limits;
        const char* reason;
    };
    const Case cases[] = {
        {"12a", kPrice, "does not take \"a\", only digits and a decimal point"},
        {"1\xE2\x82\xAC", kPrice,
         "does not take \"\xE2\x82\xAC\", only digits and a decimal point"},
        {"1..2", kPrice, "takes one decimal point only"},
        {"05", kPrice, "takes no leading zero"},
        {"12345.67", kPrice, "takes at most 7 characters"},
        {"12345", kPrice, "takes at most 4 digits without a decimal point"},
        {"10", kTareWeight, "takes at most 1 digit without a decimal point"},
        {"1.234", kPrice, "takes at most 2 decimals"},
        {"1", NumericLimits{}, "takes no entry"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numericRefusal(c.text, c.limits), c.reason) << c.text;
    }
}

TEST(NumericText, ADecimalCommaIsThePointOnlyWhereTheFieldHasDecimals) {
    EXPECT_EQ(withDecimalPoint("12,99", kPrice), "12.99");
    EXPECT_EQ(withDecimalPoint("12,99", NumericLimits{5, 0}), "12,99");
}

TEST(NumericText, HundredthsAreExactBothWays) {
    EXPECT_EQ(hundredthsOfAmount("12.34"), "1234");
    EXPECT_EQ(hundredthsOfAmount("1.5"), "150");
    EXPECT_EQ(hundredthsOfAmount("0.29"), "29");
    EXPECT_EQ(hundredthsOfAmount("9999.99"), "999999");
    EXPECT_EQ(hundredthsOfAmount(""), "0");
    EXPECT_EQ(hundredthsOfAmount(".5"), "50");
    EXPECT_EQ(amountOfHundredths("150"), "1.50");
    EXPECT_EQ(amountOfHundredths("1234"), "12.34");
    EXPECT_EQ(amountOfHundredths("7"), "0.07");
    EXPECT_EQ(amountOfHundredths(""), "0.00");
}

}  // namespace
}  // namespace vorn
