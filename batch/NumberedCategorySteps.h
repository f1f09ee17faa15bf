#pragma once
// The batch steps of the numbered tables that the editors keep in their table files: article
// groups, operators, date texts and tares. A send reads the table file and writes its record
// lines with the editor's table description; a store rewrites the table file from the answer
// lines, parsed as the editor parses them. Where the batch differs from the editor, the
// difference is a setting here or in the table description.

#include <optional>
#include <string>
#include <vector>

#include "batch/BatchCategory.h"
#include "editors/kit/NumberedTable.h"

namespace vorn {

struct NumberedBatchTable {
    const NumberedTableKind& kind;  // file, record format, request line and parse
    // An empty table file still runs a transfer (of an empty trf.out); otherwise an empty table,
    // like a missing file, starts none.
    bool sendsEmptyTable;
    // The first answer line with '4' at position 6 says that the scale's table is empty.
    bool emptyTableMark;
};

const NumberedBatchTable& groupBatch();
const NumberedBatchTable& operatorBatch();
const NumberedBatchTable& dateTextBatch();
const NumberedBatchTable& tareBatch();

// The record lines of the table file, in file order; no value when the file cannot be read,
// holds no row that the table sends, or has a row that does not fit its record (told).
std::optional<std::vector<std::string>> numberedSendLines(const NumberedBatchTable& table);

std::optional<TransferSettings> sendNumberedTable(const NumberedBatchTable& table);
std::optional<TransferSettings> requestNumberedTable(const NumberedBatchTable& table);
StoreOutcome storeNumberedTable(const NumberedBatchTable& table, const BatchCategory& category);

// The list rows (number column, TAB, value) that a good answer gives, in answer order; lines
// that carry no record give none.
std::vector<std::string> numberedRowsOfAnswer(const NumberedBatchTable& table,
                                              const std::vector<std::string>& lines);

}  // namespace vorn
