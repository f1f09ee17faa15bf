// The discount editor taking any answer lines in, and a discount record read back.
// Property: a row whose rate fits the record is written as a record and read back unchanged.

#include <cstdint>
#include <string>
#include <vector>

#include "editors/DiscountTable.h"

namespace {

std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool same(const vorn::DiscountRow& a, const vorn::DiscountRow& b) {
    return a.rate == b.rate && a.displayed == b.displayed && a.printed == b.printed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorn::DiscountTable table;
    table.takeAnswer(linesOf(std::string(reinterpret_cast<const char*>(data), size)));
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
