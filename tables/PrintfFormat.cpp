#include "tables/PrintfFormat.h"

#include <locale.h>

#include <climits>
#include <cstdio>
#include <limits>
#include <string>

#include "tables/NumberText.h"

namespace vorn {

namespace {

// Widths and precisions beyond this are taken as this: no record field comes near it, and it
// keeps a wild '*' argument from asking for gigabytes.
constexpr long kMaxFieldWidth = 1 << 20;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The conversion being built: flags, width, precision.
struct Conversion {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool zero = false;
    bool alternate = false;
    long width = -1;
    long precision = -1;
};

// Hands out the arguments in order; a missing one is an integer 0 (or the empty text).
class ArgCursor {
public:
    ArgCursor(const FormatArg* begin, const FormatArg* end) : it_(begin), end_(end) {}

    const FormatArg* next() { return it_ == end_ ? nullptr : it_++; }

    std::int64_t nextInteger() {
        const FormatArg* arg = next();
        if (arg == nullptr) {
            return 0;
        }
        if (const auto* i = std::get_if<std::int64_t>(&arg->value)) {
            return *i;
        }
        if (const auto* d = std::get_if<double>(&arg->value)) {
            if (!(*d == *d)) {
                return 0;
            }
            if (*d >= 9.2e18) {
                return std::numeric_limits<std::int64_t>::max();
            }
            if (*d <= -9.2e18) {
                return std::numeric_limits<std::int64_t>::min();
            }
            return static_cast<std::int64_t>(*d);
        }
        return intValue(std::get<std::string_view>(arg->value));
    }

    // %c: the first character of a text, else the integer value as a byte.
    char nextChar() {
        const FormatArg* arg = it_ == end_ ? nullptr : it_;
        if (arg != nullptr) {
            if (const auto* s = std::get_if<std::string_view>(&arg->value)) {
                ++it_;
                return s->empty() ? '\0' : s->front();
            }
        }
        return static_cast<char>(nextInteger());
    }

    double nextDouble() {
        const FormatArg* arg = next();
        if (arg == nullptr) {
            return 0.0;
        }
        if (const auto* d = std::get_if<double>(&arg->value)) {
            return *d;
        }
        if (const auto* i = std::get_if<std::int64_t>(&arg->value)) {
            return static_cast<double>(*i);
        }
        return decimalValue(std::get<std::string_view>(arg->value));
    }

    std::string nextText() {
        const FormatArg* arg = next();
        if (arg == nullptr) {
            return {};
        }
        if (const auto* s = std::get_if<std::string_view>(&arg->value)) {
            return std::string(*s);
        }
        if (const auto* i = std::get_if<std::int64_t>(&arg->value)) {
            return std::to_string(*i);
        }
        return cformat("%g", {std::get<double>(arg->value)});
    }

private:
    // Decimal reading of a text for %f: exact digits up to 9 decimals are plenty for a record.
    static double decimalValue(std::string_view text) {
        constexpr int kDecimals = 9;
        return static_cast<double>(decimalToUnits(text, kDecimals)) / 1e9;
    }

    const FormatArg* it_;
    const FormatArg* end_;
};

long clampWidth(std::int64_t v) {
    return v > kMaxFieldWidth ? kMaxFieldWidth : static_cast<long>(v);
}

// The printf conv text of one numeric conversion, e.g. "%-+08.3lld".
std::string conversionText(const Conversion& conv, std::string_view lengthAndConversion) {
    std::string s = "%";
    if (conv.left)
        s += '-';
    if (conv.plus)
        s += '+';
    if (conv.space)
        s += ' ';
    if (conv.zero)
        s += '0';
    if (conv.alternate)
        s += '#';
    if (conv.width >= 0)
        s += std::to_string(conv.width);
    if (conv.precision >= 0) {
        s += '.';
        s += std::to_string(conv.precision);
    }
    s += lengthAndConversion;
    return s;
}

// Formats in the C locale, so that %f always writes a decimal point whatever the user's locale.
template <class T>
void appendPrintf(std::string& out, const std::string& conv, T value) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    locale_t previous = cLocale != locale_t(nullptr) ? uselocale(cLocale) : locale_t(nullptr);
    char small[128];
    int n = std::snprintf(small, sizeof small, conv.c_str(), value);
    if (n >= 0 && static_cast<std::size_t>(n) < sizeof small) {
        out.append(small, static_cast<std::size_t>(n));
    } else if (n > 0) {
        std::string big(static_cast<std::size_t>(n) + 1, '\0');
        std::snprintf(big.data(), big.size(), conv.c_str(), value);
        out.append(big.data(), static_cast<std::size_t>(n));
    }
    if (previous != locale_t(nullptr)) {
        uselocale(previous);
    }
}

// Pads a text to the width: blanks on the right with '-', '0's on the left with the '0' flag
// (where the C library leaves the flag undefined), blanks on the left otherwise.
void appendPadded(std::string& out, std::string_view text, const Conversion& conv, bool zeroFills) {
    std::size_t width = conv.width > 0 ? static_cast<std::size_t>(conv.width) : 0;
    std::size_t pad = text.size() < width ? width - text.size() : 0;
    if (conv.left) {
        out.append(text);
        out.append(pad, ' ');
    } else {
        out.append(pad, zeroFills && conv.zero ? '0' : ' ');
        out.append(text);
    }
}

// The value of %u %x %X: as C sees an int argument, a negative int becomes its unsigned 32-bit
// pattern; values beyond the int range keep 64 bits.
unsigned long long unsignedValue(std::int64_t v) {
    if (v >= INT_MIN && v <= static_cast<std::int64_t>(UINT_MAX)) {
        return static_cast<unsigned>(static_cast<std::uint32_t>(v));
    }
    return static_cast<unsigned long long>(v);
}

}  // namespace

std::string cformat(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    ArgCursor cursor(args.begin(), args.end());
    std::size_t i = 0;
    while (i < format.size()) {
        char c = format[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        std::size_t start = i++;
        Conversion conv;
        for (; i < format.size(); ++i) {
            char f = format[i];
            if (f == '-') {
                conv.left = true;
            } else if (f == '+') {
                conv.plus = true;
            } else if (f == ' ') {
                conv.space = true;
            } else if (f == '0') {
                conv.zero = true;
            } else if (f == '#') {
                conv.alternate = true;
            } else {
                break;
            }
        }
        if (i < format.size() && format[i] == '*') {
            std::int64_t w = cursor.nextInteger();
            if (w < 0) {
                conv.left = true;
                w = w == std::numeric_limits<std::int64_t>::min() ? kMaxFieldWidth : -w;
            }
            conv.width = clampWidth(w);
            ++i;
        } else {
            std::int64_t w = -1;
            for (; i < format.size() && isDigit(format[i]); ++i) {
                w = (w < 0 ? 0 : w) * 10 + (format[i] - '0');
                w = clampWidth(w);
            }
            conv.width = w;
        }
        if (i < format.size() && format[i] == '.') {
            ++i;
            if (i < format.size() && format[i] == '*') {
                std::int64_t p = cursor.nextInteger();
                conv.precision = p < 0 ? -1 : clampWidth(p);
                ++i;
            } else {
                std::int64_t p = 0;
                for (; i < format.size() && isDigit(format[i]); ++i) {
                    p = clampWidth(p * 10 + (format[i] - '0'));
                }
                conv.precision = p;
            }
        }
        // Length modifiers mean nothing here: every integer argument is 64 bits wide already.
        while (i < format.size() &&
               std::string_view("hlLqjzt").find(format[i]) != std::string_view::npos) {
            ++i;
        }
        if (i >= format.size()) {
            out.append(format.substr(start));
            break;
        }
        char conversion = format[i++];
        switch (conversion) {
            case 'd':
            case 'i': {
                long long v = cursor.nextInteger();
                appendPrintf(out, conversionText(conv, "lld"), v);
                break;
            }
            case 'u':
            case 'x':
            case 'X': {
                unsigned long long v = unsignedValue(cursor.nextInteger());
                appendPrintf(out, conversionText(conv, std::string("ll") + conversion), v);
                break;
            }
            case 'f':
            case 'F':
            case 'e':
            case 'E':
            case 'g':
            case 'G': {
                double v = cursor.nextDouble();
                appendPrintf(out, conversionText(conv, std::string(1, conversion)), v);
                break;
            }
            case 'c': {
                char ch = cursor.nextChar();
                appendPadded(out, std::string_view(&ch, 1), conv, false);
                break;
            }
            case 's': {
                std::string text = cursor.nextText();
                std::string_view shown = text;
                if (conv.precision >= 0 &&
                    shown.size() > static_cast<std::size_t>(conv.precision)) {
                    shown = shown.substr(0, static_cast<std::size_t>(conv.precision));
                }
                appendPadded(out, shown, conv, true);
                break;
            }
            case '%':
                out += '%';
                break;
            default:
                // Not a conversion this formatter knows: keep the text as written.
                out.append(format.substr(start, i - start));
                break;
        }
    }
    return out;
}

}  // namespace vorn
