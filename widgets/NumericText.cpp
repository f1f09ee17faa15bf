#include "widgets/NumericText.h"

#include <algorithm>

#include "tables/NumberText.h"

namespace vorn {

bool isAcceptableNumericText(std::string_view t, NumericLimits limits) {
    if (!std::all_of(t.begin(), t.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == '.'; })) {
        return false;
    }
    const std::size_t point = t.find('.');
    if (point != std::string_view::npos && t.find('.', point + 1) != std::string_view::npos) {
        return false;
    }
    if (t.size() > 1 && t[0] == '0' && t[1] != '.') {
        return false;
    }
    const auto length = static_cast<long long>(t.size());
    if (length > limits.maxLength) {
        return false;
    }
    if (point == std::string_view::npos) {
        return length < static_cast<long long>(limits.maxLength) - limits.decimals;
    }
    return static_cast<long long>(t.size() - point - 1) <= limits.decimals;
}

std::string hundredthsOfAmount(std::string_view amount) {
    return std::to_string(decimalToUnits(amount, 2));
}

std::string amountOfHundredths(std::string_view hundredths) {
    return unitsToDecimal(decimalToUnits(hundredths, 0), 2);
}

}  // namespace vorn
