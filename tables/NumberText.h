#pragma once
// Numbers in texts: the integer and hexadecimal value of a field, and exact decimal text in
// whole units of hundredths or thousandths, with digits only (never a floating-point product).

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn {

// Integer value of a text: leading blanks, an optional sign, then the leading decimal digits.
// A text without digits (the empty text included) is 0. Saturates at the int range.
int intValue(std::string_view text);

// Value of a hexadecimal field: leading blanks, then the leading hexadecimal digits in either
// case; a field without them is 0. Only the last eight digits count.
unsigned hexValue(std::string_view text);

// Exact decimal text to a whole number of 10^-decimals units: leading blanks, optional sign,
// digits, an optional point and fraction; further fraction digits are cut off, a text without
// a number is 0. decimalToUnits("1.5", 3) == 1500, decimalToUnits("0.29", 2) == 29.
std::int64_t decimalToUnits(std::string_view text, int decimals);
// The inverse: "%.<decimals>f" of units / 10^decimals, computed with digits only.
// unitsToDecimal(1750, 2) == "17.50", unitsToDecimal(12500, 3) == "12.500".
std::string unitsToDecimal(std::int64_t units, int decimals);

}  // namespace vorn
