#include "batch/NumberedCategorySteps.h"

#include "batch/StepFiles.h"
#include "editors/numbered/NumberedTableKinds.h"
#include "platform/Prompter.h"
#include "tables/Archive.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"

namespace vorn {

namespace {

std::string numberColumnOf(const NumberedTableKind& kind, int number) {
    return cformat("%*d", {kind.numberWidth, number});
}

// A list row of a file row. The number column is laid out anew in the table's number width, so
// that a file written by another program with a narrower column still sends its numbers.
std::string listRow(const NumberedTableKind& kind, int number, const std::string& value) {
    return numberColumnOf(kind, number) + '\t' + value;
}

// The rows of the table file as list rows, in file order; no value when the file cannot be
// read or is damaged (told).
std::optional<std::vector<std::string>> loadListRows(const NumberedTableKind& kind) {
    if (!readFileBytes(kind.file.name)) {
        return std::nullopt;
    }
    std::vector<std::string> rows;
    FileProblem problem;
    if (kind.fileRows == FileRows::NumberString) {
        LoadedRows<NumberStringRow> loaded = loadNumberStringFile(kind.file);
        for (const NumberStringRow& r : loaded.rows) {
            rows.push_back(listRow(kind, intValue(r.number), r.value));
        }
        problem = loaded.problem;
    } else {
        LoadedRows<NumberWordRow> loaded = loadNumberWordFile(kind.file);
        for (const NumberWordRow& r : loaded.rows) {
            rows.push_back(listRow(kind, r.number, r.value));
        }
        problem = loaded.problem;
    }
    // A damaged table is not sent in part: the user sees the problem and can mend the table in
    // its editor.
    if (!problem.empty()) {
        tellNotSent(problem);
        return std::nullopt;
    }
    return rows;
}

FileProblem saveListRows(const NumberedTableKind& kind, const std::vector<std::string>& rows) {
    const auto width = static_cast<std::size_t>(kind.numberWidth);
    const auto valueOf = [&](const std::string& row) {
        return row.size() > width + 1 ? row.substr(width + 1) : std::string();
    };
    if (kind.fileRows == FileRows::NumberString) {
        std::vector<NumberStringRow> out;
        for (const std::string& row : rows) {
            out.push_back({row.substr(0, width), valueOf(row)});
        }
        return saveNumberStringFile(kind.file, out);
    }
    std::vector<NumberWordRow> out;
    for (const std::string& row : rows) {
        out.push_back({intValue(row.substr(0, width)), valueOf(row)});
    }
    return saveNumberWordFile(kind.file, out);
}

}  // namespace

const NumberedBatchTable& groupBatch() {
    static const NumberedBatchTable table{groupBatchTable(), false, true};
    return table;
}

const NumberedBatchTable& operatorBatch() {
    static const NumberedBatchTable table{operatorTable(), true, false};
    return table;
}

const NumberedBatchTable& dateTextBatch() {
    static const NumberedBatchTable table{dateTextTable(), false, false};
    return table;
}

const NumberedBatchTable& tareBatch() {
    static const NumberedBatchTable table{tareTable(), false, false};
    return table;
}

std::optional<std::vector<std::string>> numberedSendLines(const NumberedBatchTable& table) {
    const std::optional<std::vector<std::string>> rows = loadListRows(table.kind);
    if (!rows || (rows->empty() && !table.sendsEmptyTable)) {
        return std::nullopt;
    }
    NumberedTable model(table.kind);
    for (const std::string& row : *rows) {
        model.rows().insertAt(model.rows().size(), row);
    }
    std::string problem;
    std::vector<std::string> lines = model.sendLines(&problem);
    if (!problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Warning);
        return std::nullopt;
    }
    return lines;
}

std::optional<TransferSettings> sendNumberedTable(const NumberedBatchTable& table) {
    const std::optional<std::vector<std::string>> lines = numberedSendLines(table);
    if (!lines) {
        return std::nullopt;
    }
    return transferOf(*lines);
}

std::optional<TransferSettings> requestNumberedTable(const NumberedBatchTable& table) {
    return transferOf({table.kind.requestLine});
}

std::vector<std::string> numberedRowsOfAnswer(const NumberedBatchTable& table,
                                              const std::vector<std::string>& lines) {
    std::vector<std::string> rows;
    if (lines.empty() || (table.emptyTableMark && marksEmptyTable(lines.front()))) {
        return rows;
    }
    const NumberedTable parser(table.kind);
    for (const std::string& line : lines) {
        std::string row = parser.rowOfReceivedLine(line);
        if (!row.empty()) {
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

StoreOutcome storeNumberedTable(const NumberedBatchTable& table, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    return storedOrTold(saveListRows(table.kind, numberedRowsOfAnswer(table, answer.lines)));
}

}  // namespace vorn
