#pragma once
// The printf-style formatter of the record formats: the C library's conversions, and the '0'
// flag on %s that fills a text on the left with '0'.

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

}  // namespace vorn
