// A scale's answers to the batch requests whose store steps read them with code of their own:
// advertisement texts, discounts, barcode formats, header and bottom texts, the store address,
// label layouts and the preset keyboard; and the check for an answer cut short.
// Properties: nine discount strings, each naming its row; advertisement number columns of two
// characters; barcode patterns no longer than their type allows; at most three layouts, each
// stored with '0' at positions 0 and 9; a preset keyboard of 1 to 5 operator keys.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch/StepFiles.h"
#include "editors/code/BarcodeTable.h"
#include "editors/code/DiscountTable.h"
#include "editors/code/PresetKeyRecords.h"
#include "editors/numbered/AdvertisementTable.h"
#include "editors/setup/LabelFile.h"
#include "editors/text/HeaderBottom.h"
#include "editors/text/StoreAddress.h"
#include "tables/TextFiles.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vorn::fuzz::silencePrompts();  // a received text that does not decode is told
    // trf.in as the steps read it (readAnswerLines).
    const std::vector<std::string> lines =
        vorn::splitTextLines(std::string_view(reinterpret_cast<const char*>(data), size));
    vorn::laterErrorLine(lines);

    const vorn::DiscountRows discounts = vorn::discountRowsOfAnswer(lines, {});
    for (std::size_t k = 0; k < discounts.size(); ++k) {
        const std::string stored = vorn::discountRecord(static_cast<int>(k + 1), discounts[k],
                                                        vorn::discount::kStoredRate);
        if (stored.size() < 17 || stored[16] != static_cast<char>('1' + k)) {
            __builtin_trap();
        }
    }
    for (const vorn::NumberStringRow& row : vorn::advertisementRowsOfAnswer(lines)) {
        if (row.number.size() != 2) {
            __builtin_trap();
        }
    }
    const vorn::BarcodeTable barcodes = vorn::barcodesOfAnswer(lines);
    for (const vorn::NumberStringRow& row : barcodes.rows) {
        if (row.value.size() >
                static_cast<std::size_t>(vorn::barcodePatternLength(barcodes.type)) ||
            row.number.size() != 1) {
            __builtin_trap();
        }
    }
    vorn::headerBottomOfAnswer(lines, {});
    for (const std::string& line : lines) {
        vorn::batchStoreAddressOfAnswer(line);
    }
    const auto layouts = vorn::layoutsOfAnswer(lines);
    if (layouts.size() > 3) {
        __builtin_trap();
    }
    for (const auto& layout : layouts) {
        if (layout && (layout->size() < 10 || (*layout)[0] != '0' || (*layout)[9] != '0')) {
            __builtin_trap();
        }
    }
    const vorn::PresetKeys keys = vorn::presetKeysOfAnswer(lines);
    if (keys.operatorKeys < 1 || keys.operatorKeys > 5) {
        __builtin_trap();
    }
    return 0;
}
