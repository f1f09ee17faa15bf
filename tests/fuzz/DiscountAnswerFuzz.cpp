// The discount editor taking any answer lines in, and a discount record read back.
// Property: a row whose rate fits the record is written as a record and read back unchanged.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editors/code/DiscountTable.h"
#include "tables/TextFiles.h"

namespace {

bool same(const vorn::DiscountRow& a, const vorn::DiscountRow& b) {
    return a.rate == b.rate && a.displayed == b.displayed && a.printed == b.printed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorn::DiscountTable table;
    table.takeAnswer(
        vorn::splitTextLines(std::string_view(reinterpret_cast<const char*>(data), size)));
    for (std::size_t i = 0; i < table.rows().size(); ++i) {
        const vorn::DiscountRow& row = table.rows()[i];
        if (row.displayed.size() > vorn::discount::kTextWidth ||
            row.printed.size() > vorn::discount::kTextWidth) {
            __builtin_trap();
        }
        if (row.rate < -vorn::discount::kHighestRate || row.rate > vorn::discount::kHighestRate) {
            continue;
        }
        const int k = static_cast<int>(i + 1);
        for (std::string_view rate : {vorn::discount::kSentRate, vorn::discount::kStoredRate}) {
            const std::string record = vorn::discountRecord(k, row, rate);
            if (!same(vorn::discountRowOfRecord(record), row)) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
