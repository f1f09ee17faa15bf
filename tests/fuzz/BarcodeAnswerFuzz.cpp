// The barcode editor taking any answer lines in as rows.
// Properties: the type is UPC or EAN; every row is a number, a TAB and a pattern no longer
// than the type's length; a row sent and received again is the same row when its number is one
// digit and its pattern has the full length without blanks at its ends.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editors/code/BarcodeTable.h"
#include "editors/kit/NumberedTable.h"
#include "tables/TextFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorn::NumberedTable codes(vorn::barcodeTable());
    codes.takeReceivedLines(
        vorn::splitTextLines(std::string_view(reinterpret_cast<const char*>(data), size)));
    const int type = codes.fields().type;
    if (type != vorn::barcode::kUpc && type != vorn::barcode::kEan) {
        __builtin_trap();
    }
    const auto length = static_cast<std::size_t>(vorn::barcodePatternLength(type));
    for (const std::string& row : codes.rows().texts()) {
        const std::size_t tab = row.find('\t');
        if (tab == std::string::npos || tab == 0 || row.size() - tab - 1 > length) {
            __builtin_trap();
        }
        const std::string pattern = row.substr(tab + 1);
        if (tab != 1 || row[0] < '0' || row[0] > '9' || pattern.size() != length ||
            pattern.front() == ' ' || pattern.back() == ' ') {
            continue;
        }
        std::string answer = vorn::barcodeRecord(type, row[0] - '0', pattern);
        answer[0] = '1';
        vorn::NumberedTable again(vorn::barcodeTable());
        again.takeReceivedLines({answer});
        if (again.fields().type != type || again.rows().texts() != std::vector<std::string>{row}) {
            __builtin_trap();
        }
    }
    return 0;
}
