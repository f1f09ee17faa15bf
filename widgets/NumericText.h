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

// Why the field refuses t, as the end of a sentence that starts with the field's name ("takes
// at most 2 decimals"); empty when t is acceptable: digits with at most one '.', no leading '0'
// before another digit, at most maxLength long and, without a point, shorter than
// maxLength - decimals; with a point, at most `decimals` characters follow it. The empty text is
// acceptable when configured.
// t may be UTF-8: a refused character is named whole.
std::string numericRefusal(std::string_view t, NumericLimits limits);
inline bool isAcceptableNumericText(std::string_view t, NumericLimits limits) {
    return numericRefusal(t, limits).empty();
}

// The typed text with a decimal comma read as the decimal point, in a field with decimals.
std::string withDecimalPoint(std::string_view typed, NumericLimits limits);

// The ends of the refusal sentences of the plain entry fields, beside the numeric ones.
std::string lengthRefusal(int maxLength);
std::string characterRefusal(std::string_view character);

// The decimal integer text of the amount times 100, exact: "12.34" gives "1234", "" gives "0".
std::string hundredthsOfAmount(std::string_view amount);
// "%.2f" of the hundredths divided by 100, exact: "1234" gives "12.34", "" gives "0.00".
std::string amountOfHundredths(std::string_view hundredths);

}  // namespace vorn
