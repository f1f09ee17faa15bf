// The extra text editor taking the lines of trf.in in as rows, on any bytes.
// Properties: only whole 515-character answer records give rows; a row made into a record and
// read again is the same row.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editors/kit/NumberedTable.h"
#include "editors/numbered/ExtraTextTable.h"
#include "tables/TextFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines =
        vorn::splitTextLines(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& record : vorn::extraTextAnswerRecords(lines)) {
        if (record.size() != vorn::extratext::kRecordLength ||
            (record[0] != '1' && record[0] != '3')) {
            __builtin_trap();
        }
    }

    vorn::NumberedTable table(vorn::extraTextTable());
    table.takeReceivedLines(lines);
    for (const std::string& row : table.rows().texts()) {
        const std::vector<std::string> records = vorn::extraTextRecordsOfRows({row});
        if (row.size() > 5 &&
            (records.size() != 1 || vorn::extraTextRowOfRecord(records[0]) != row)) {
            __builtin_trap();
        }
    }
    return 0;
}
