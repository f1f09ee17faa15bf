// The reader of extratextrec.dat on any bytes, and the editor's rows made from its records.
// Property: the rows of a text, written back as records and read again, are the same rows.

#include <cstdint>
#include <string>
#include <vector>

#include "editors/numbered/ExtraTextTable.h"
#include "tables/TableFiles.h"

namespace {

std::vector<std::string> rowsOf(const std::string& bytes) {
    std::vector<std::string> rows;
    for (const std::string& record : vorn::readExtraTextLines(bytes).rows) {
        std::string row = vorn::extraTextRowOfRecord(record);
        if (!row.empty()) {
            rows.push_back(row);
        }
    }
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> rows =
        rowsOf(std::string(reinterpret_cast<const char*>(data), size));

    std::string file;
    for (const std::string& record : vorn::extraTextRecordsOfRows(rows)) {
        if (record.size() != vorn::extratext::kRecordLength) {
            __builtin_trap();
        }
        file += record + "\r\n";
    }
    // Rows of the number alone are not written; every other row comes back as it was.
    std::vector<std::string> written;
    for (const std::string& row : rows) {
        if (row.size() > 5) {
            written.push_back(row);
        }
    }
    if (rowsOf(file) != written) {
        __builtin_trap();
    }
    return 0;
}
