#include "tables/NumberText.h"

#include <climits>
#include <limits>

namespace vorn {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Moves i past leading blanks and an optional sign; true when the sign is '-'.
bool skipBlanksAndSign(std::string_view text, std::size_t& i) {
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        return text[i++] == '-';
    }
    return false;
}

}  // namespace

int intValue(std::string_view text) {
    std::size_t i = 0;
    const bool negative = skipBlanksAndSign(text, i);
    long long value = 0;
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        if (value < kLimit) {
            value = value * 10 + (text[i] - '0');
        }
    }
    if (negative) {
        return value >= kLimit ? INT_MIN : static_cast<int>(-value);
    }
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

unsigned hexValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    unsigned value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        unsigned digit;
        if (isDigit(c)) {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            break;
        }
        value = (value << 4) | digit;
    }
    return value;
}

std::int64_t decimalToUnits(std::string_view text, int decimals) {
    if (decimals < 0) {
        decimals = 0;
    }
    std::size_t i = 0;
    const bool negative = skipBlanksAndSign(text, i);
    // Magnitude in units, saturating: kept as unsigned so that the most negative value fits.
    constexpr std::uint64_t kMax =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1;
    std::uint64_t value = 0;
    auto push = [&](int digit) {
        if (value > (kMax - static_cast<std::uint64_t>(digit)) / 10) {
            value = kMax;
        } else {
            value = value * 10 + static_cast<std::uint64_t>(digit);
        }
    };
    for (; i < text.size() && isDigit(text[i]); ++i) {
        push(text[i] - '0');
    }
    int fractionDigits = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && isDigit(text[i]); ++i) {
            if (fractionDigits < decimals) {
                push(text[i] - '0');
                ++fractionDigits;
            }
        }
    }
    for (; fractionDigits < decimals; ++fractionDigits) {
        push(0);
    }
    if (negative) {
        return value >= kMax ? std::numeric_limits<std::int64_t>::min()
                             : -static_cast<std::int64_t>(value);
    }
    return value >= kMax ? std::numeric_limits<std::int64_t>::max()
                         : static_cast<std::int64_t>(value);
}

std::string unitsToDecimal(std::int64_t units, int decimals) {
    if (decimals < 0) {
        decimals = 0;
    }
    std::uint64_t magnitude =
        units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    std::string digits = std::to_string(magnitude);
    std::size_t fraction = static_cast<std::size_t>(decimals);
    if (digits.size() <= fraction) {
        digits.insert(0, fraction + 1 - digits.size(), '0');
    }
    std::string out = units < 0 ? "-" : "";
    out.append(digits, 0, digits.size() - fraction);
    if (fraction > 0) {
        out += '.';
        out.append(digits, digits.size() - fraction, fraction);
    }
    return out;
}

}  // namespace vorn
