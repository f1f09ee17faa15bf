// The numeric entry rule on any text and any limits. Properties: an accepted text is digits with
// at most one point, within the length and decimal limits; the translation to hundredths and
// back is stable: the amount shown for the hundredths of a text gives those hundredths again.

#include <algorithm>
#include <cstdint>
#include <string>

#include "tests/fuzz/FuzzSupport.h"
#include "widgets/NumericText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vorn::fuzz::require;
    vorn::fuzz::Input input(data, size);
    vorn::NumericLimits limits;
    limits.maxLength = input.number(0, 24);
    limits.decimals = input.number(0, 6);
    const std::string text = input.rest();

    if (vorn::isAcceptableNumericText(text, limits)) {
        require(std::all_of(text.begin(), text.end(),
                            [](char c) { return (c >= '0' && c <= '9') || c == '.'; }));
        require(std::count(text.begin(), text.end(), '.') <= 1);
        require(static_cast<int>(text.size()) <= limits.maxLength);
        const std::size_t point = text.find('.');
        if (point != std::string::npos) {
            require(static_cast<int>(text.size() - point - 1) <= limits.decimals);
        }
    }

    const std::string hundredths = vorn::hundredthsOfAmount(text);
    const std::string amount = vorn::amountOfHundredths(hundredths);
    require(vorn::hundredthsOfAmount(amount) == hundredths);
    require(vorn::amountOfHundredths(vorn::hundredthsOfAmount(amount)) == amount);
    return 0;
}
