#pragma once
// Record-line helpers shared by every editor and the engine: the printf-style formatter, the
// envelope fields, the result code of trf.in, the integer value of a text and exact decimal
// text in hundredths and thousandths.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace vorn {

// One argument of cformat: an integer, a floating-point number or a text.
struct FormatArg {
    FormatArg(int v) : value(static_cast<std::int64_t>(v)) {}
    FormatArg(long v) : value(static_cast<std::int64_t>(v)) {}
    FormatArg(long long v) : value(static_cast<std::int64_t>(v)) {}
    FormatArg(unsigned v) : value(static_cast<std::int64_t>(v)) {}
    FormatArg(double v) : value(v) {}
    FormatArg(const char* v) : value(std::string_view(v)) {}
    FormatArg(std::string_view v) : value(v) {}
    FormatArg(const std::string& v) : value(std::string_view(v)) {}
    std::variant<std::int64_t, double, std::string_view> value;
};

// Formats as the C library's printf does for the conversions d i u x X f c s and %%, with the
// flags - + blank 0 #, width and precision (also as *). In addition the '0' flag on %s fills the
// text on the left with '0' up to the width ("%06s" of "12" is "000012"). An argument of the
// wrong kind is converted (a text to %d takes its integer value); a missing one counts as 0 or
// the empty text. Never overflows: the result is as long as it needs to be.
std::string cformat(std::string_view format, std::initializer_list<FormatArg> args = {});

// Integer value of a text: leading blanks, an optional sign, then the leading decimal digits.
// A text without digits (the empty text included) is 0. Saturates at the int range.
int intValue(std::string_view text);

// Value of a hexadecimal field: leading blanks, then the leading hexadecimal digits in either
// case; a field without them is 0. Only the last eight digits count.
unsigned hexValue(std::string_view text);

// Result code of trf.in: the first line starts with '1' or '3'.
bool isSuccessLine(std::string_view firstLine);
// A line of trf.in that carries a record: the whole envelope, beginning with the answer status
// '1' or '3'. The engine's error lines (02206, 02207, 02210, 02211) begin with '0' and are none.
bool isAnswerRecord(std::string_view line);

// Exact decimal text to a whole number of 10^-decimals units: leading blanks, optional sign,
// digits, an optional point and fraction; further fraction digits are cut off, a text without
// a number is 0. decimalToUnits("1.5", 3) == 1500, decimalToUnits("0.29", 2) == 29.
std::int64_t decimalToUnits(std::string_view text, int decimals);
// The inverse: "%.<decimals>f" of units / 10^decimals, computed with digits only.
// unitsToDecimal(1750, 2) == "17.50", unitsToDecimal(12500, 3) == "12.500".
std::string unitsToDecimal(std::int64_t units, int decimals);

// Envelope fields of a record line (positions from 0).
namespace envelope {
inline constexpr std::size_t kLength = 16;
inline constexpr std::size_t kTableCode = 4;   // 2 characters
inline constexpr std::size_t kOperation = 6;   // 4 characters
inline constexpr std::size_t kBlockLast = 13;  // last digit of the block field
inline constexpr std::size_t kScale = 14;      // 2 characters
inline constexpr std::string_view kHeader = "0002";
inline constexpr std::string_view kStore = "0000";
inline constexpr std::string_view kRequestAll = "0007";
inline constexpr std::string_view kRequestNamed = "0002";
inline constexpr std::string_view kDeletePlu = "0008";
}  // namespace envelope

// Characters pos .. pos+count-1 of a line, shorter (or empty) where the line ends first.
std::string_view field(std::string_view line, std::size_t pos, std::size_t count);
// The table code of a line (positions 4 and 5), empty for a short line.
std::string_view tableCode(std::string_view line);
// The operation of a line (positions 6 to 9), empty for a short line.
std::string_view operation(std::string_view line);

}  // namespace vorn
