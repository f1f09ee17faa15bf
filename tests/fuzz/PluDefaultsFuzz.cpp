// The reader of PLUdft.dat on any bytes.
// Property: defaults that were read, written and read again are the same defaults, and the
// form they fill keeps to the entries its lists offer.

#include <cstdint>
#include <optional>
#include <string_view>

#include "plu/PluDefaults.h"
#include "plu/PluForm.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<vorn::PluDefaults> read =
        vorn::parsePluDefaults(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read) {
        return 0;
    }
    if (vorn::parsePluDefaults(vorn::pluDefaultsBytes(*read)) != read) {
        __builtin_trap();
    }
    const vorn::PluForm form = vorn::formOfDefaults(*read);
    const vorn::PluValues& v = form.values;
    if (v.packFormat < 0 || v.packFormat >= vorn::kPackFormats || v.bestBeforeFormat < 0 ||
        v.bestBeforeFormat >= vorn::kDateFormats || v.sellByFormat < 0 ||
        v.sellByFormat >= vorn::kDateFormats || v.alignment < 0 || v.alignment > 2 ||
        !v.pluNumber.empty()) {
        __builtin_trap();
    }
    return 0;
}
