// The extra text editor taking the lines of trf.in in as rows, on any bytes.
// Properties: only whole 515-character answer records give rows; a row made into a record and
// read again is the same row.

#include <cstdint>
#include <string>
#include <vector>

#include "editors/ExtraTextTable.h"
#include "editors/NumberedTable.h"

namespace {

// The lines of trf.in as the editors read them: split at line feeds, a CR before one dropped.
std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) {
            end = bytes.size();
        }
        if (end > start && bytes[end - 1] == '\r') {
            --end;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = next;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines =
        linesOf(std::string(reinterpret_cast<const char*>(data), size));
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
