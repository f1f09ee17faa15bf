// The exact decimal conversions and the integer value of a text, on any text. Properties: the
// units of a text, written as decimal text, read back as the same units with exactly the
// decimals asked for; the integer value of a text, written out, reads back the same.

#include <cstdint>
#include <string>

#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vorn::fuzz::require;
    vorn::fuzz::Input input(data, size);
    const int decimals = input.number(0, 6);
    const std::string text = input.rest();

    const std::int64_t units = vorn::decimalToUnits(text, decimals);
    const std::string written = vorn::unitsToDecimal(units, decimals);
    require(vorn::decimalToUnits(written, decimals) == units);
    const std::size_t point = written.find('.');
    if (decimals == 0) {
        require(point == std::string::npos);
    } else {
        require(point != std::string::npos &&
                written.size() - point - 1 == static_cast<std::size_t>(decimals));
    }

    const int value = vorn::intValue(text);
    require(vorn::intValue(std::to_string(value)) == value);
    require(vorn::cformat("%d", {text}) == std::to_string(value));
    return 0;
}
