#pragma once
// The rules of the numeric entry field CNumEdit, without a window: which texts it may hold,
// and its translation between the shown amount and a text of hundredths.

#include <string>
#include <string_view>

namespace vorn {

// The field's two settings; both 0 until the owning dialog configures it.
struct NumericLimits {
    int maxLength = 0;  // most characters, the decimal point included
    int decimals = 0;   // most digits after the point
};

// True when t is digits with at most one '.', has no leading '0' before another digit, is at
// most maxLength long and, without a point, shorter than maxLength - decimals; with a point, at
// most `decimals` characters follow it. The empty text is acceptable when configured.
bool isAcceptableNumericText(std::string_view t, NumericLimits limits);

// The decimal integer text of the amount times 100, exact: "12.34" gives "1234", "" gives "0".
std::string hundredthsOfAmount(std::string_view amount);
// "%.2f" of the hundredths divided by 100, exact: "1234" gives "12.34", "" gives "0.00".
std::string amountOfHundredths(std::string_view hundredths);

}  // namespace vorn
