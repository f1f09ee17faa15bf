#include "widgets/NumericText.h"

#include <algorithm>

#include "tables/NumberText.h"

namespace vorn {

std::string numericRefusal(std::string_view t, NumericLimits limits) {
    if (limits.maxLength <= 0) {
        return "takes no entry";
    }
    const auto bad = std::find_if(t.begin(), t.end(),
                                  [](char c) { return !((c >= '0' && c <= '9') || c == '.'); });
    if (bad != t.end()) {
        // The whole character when t is UTF-8.
        auto end = bad + 1;
        while (end != t.end() && (static_cast<unsigned char>(*end) & 0xC0) == 0x80) {
            ++end;
        }
        return characterRefusal(std::string_view(&*bad, static_cast<std::size_t>(end - bad))) +
               ", only digits and a decimal point";
    }
    const std::size_t point = t.find('.');
    if (point != std::string_view::npos && t.find('.', point + 1) != std::string_view::npos) {
        return "takes one decimal point only";
    }
    if (t.size() > 1 && t[0] == '0' && t[1] != '.') {
        return "takes no leading zero";
    }
    const auto length = static_cast<long long>(t.size());
    if (length > limits.maxLength) {
        return lengthRefusal(limits.maxLength);
    }
    const long long whole = static_cast<long long>(limits.maxLength) - limits.decimals - 1;
    if (point == std::string_view::npos && length > whole) {
        return "takes at most " + std::to_string(whole) + (whole == 1 ? " digit" : " digits") +
               (limits.decimals > 0 ? " without a decimal point" : "");
    }
    if (point != std::string_view::npos &&
        static_cast<long long>(t.size() - point - 1) > limits.decimals) {
        return "takes at most " + std::to_string(limits.decimals) + " decimals";
    }
    return {};
}

std::string withDecimalPoint(std::string_view typed, NumericLimits limits) {
    std::string t(typed);
    if (limits.decimals > 0) {
        std::replace(t.begin(), t.end(), ',', '.');
    }
    return t;
}

std::string lengthRefusal(int maxLength) {
    return "takes at most " + std::to_string(maxLength) + " characters";
}

std::string characterRefusal(std::string_view character) {
    return "does not take \"" + std::string(character) + "\"";
}

std::string hundredthsOfAmount(std::string_view amount) {
    return std::to_string(decimalToUnits(amount, 2));
}

std::string amountOfHundredths(std::string_view hundredths) {
    return unitsToDecimal(decimalToUnits(hundredths, 0), 2);
}

}  // namespace vorn
