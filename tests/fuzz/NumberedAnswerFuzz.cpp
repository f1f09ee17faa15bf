// A scale's answer to the batch requests of article groups, operators, date texts and tares:
// any lines give rows, and every row is a number column of the table's width, a TAB and the
// value, as the table file is written from it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editors/numbered/DateTextTable.h"
#include "editors/numbered/GroupTable.h"
#include "editors/numbered/OperatorTable.h"
#include "editors/numbered/TareTable.h"
#include "tables/TextFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // trf.in as the steps read it (readAnswerLines).
    const std::vector<std::string> lines =
        vorn::splitTextLines(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const vorn::NumberedTableKind* kind : {&vorn::groupBatchTable(), &vorn::operatorTable(),
                                                &vorn::dateTextTable(), &vorn::tareTable()}) {
        const auto width = static_cast<std::size_t>(kind->numberWidth);
        const vorn::TableRoundTrip<vorn::NumberedRows> trip =
            vorn::numberedRoundTrip(*kind, vorn::TableForm::Batch);
        for (const std::string& row : trip.rowsOfAnswer(lines, {}).rows.texts) {
            if (row.size() <= width || row[width] != '\t') {
                __builtin_trap();
            }
        }
    }
    return 0;
}
