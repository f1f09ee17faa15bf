#include "tab/PluExport.h"

#include <algorithm>

#include "platform/Prompter.h"
#include "tab/CellText.h"
#include "tab/Csv.h"
#include "tab/PluColumns.h"
#include "tab/TextCoding.h"

namespace vorn {

namespace {

constexpr char kSeparator = ',';

}  // namespace

CsvExport exportPlus(const PluList& list) {
    CsvExport result;
    std::string& out = result.bytes;
    const std::span<const PluColumn> columns = allPluColumns();
    out.reserve(256 + list.size() * 200);
    out.append(kUtf8ByteOrderMark);
    std::vector<std::string> headers;
    for (PluColumn column : columns) {
        headers.emplace_back(columnHeader(column));
    }
    csv::appendRecord(out, headers, kSeparator);

    for (std::size_t i = 0; i < list.size(); ++i) {
        const PluPair& pair = list.pair(i);
        if (!pair.intact()) {
            ++result.damaged;
            continue;
        }
        const PluValues values = decodePair(pair);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (c > 0) {
                out.push_back(kSeparator);
            }
            // Single-byte text becomes UTF-8 as the program shows it (Latin-1); a text that a
            // spreadsheet would take for a formula is guarded.
            const std::string cell = celltext::guardedCell(cellOf(columns[c], values));
            const bool ascii = std::all_of(cell.begin(), cell.end(), [](char ch) {
                return static_cast<unsigned char>(ch) < 0x80;
            });
            csv::appendField(out, ascii ? cell : latin1ToUtf8(cell), kSeparator);
        }
        out.append("\r\n");
        ++result.exported;
    }
    return result;
}

}  // namespace vorn
