#include "editors/code/BarcodeTable.h"

#include "comm/RecordLine.h"
#include "platform/Prompter.h"
#include "tables/Archive.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TableFiles.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

constexpr int kUpcLength = 11;
constexpr int kEanLength = 12;
constexpr int kHighestNumber = 8;
// The list row: the number (one character), a TAB, the pattern.
constexpr std::size_t kPatternColumn = 2;

int normalType(int type) {
    return ((type % 2) + 2) % 2;
}

std::string patternOfRow(const std::string& row) {
    return row.size() > kPatternColumn ? row.substr(kPatternColumn) : std::string();
}

// Add: nothing for an empty field; a pattern of the wrong length is refused with its message.
bool checkPatternLength(EntryFields& fields) {
    if (fields.number.empty() || fields.value.empty()) {
        return false;
    }
    const int length = barcodePatternLength(fields.type);
    if (static_cast<int>(fields.value.size()) != length) {
        tell(cformat("This type BarCode's length is %d !", {length}));
        return false;
    }
    return true;
}

// A click on a type button asks first; OK empties the list and the pattern field.
void chooseType(NumberedTable& table, int type) {
    if (!confirm(barcode::kChangeQuestion)) {
        return;
    }
    table.fields().type = normalType(type);
    table.fields().value.clear();
    table.rows().clear();
}

LoadedTable<NumberedRows> loadRows() {
    LoadedBarcodes loaded = loadBarcodeFile();
    LoadedTable<NumberedRows> table;
    table.found = readFileBytes(tablefile::kBarcodes.name).has_value();
    table.rows.type = normalType(loaded.table.type);
    const auto length = static_cast<std::size_t>(barcodePatternLength(table.rows.type));
    for (const NumberStringRow& row : loaded.table.rows) {
        if (row.value.size() == length) {
            table.rows.texts.push_back(row.number + '\t' + row.value);
        }
    }
    table.problem = loaded.problem;
    return table;
}

FileProblem saveRows(const NumberedRows& rows) {
    BarcodeTable file;
    file.type = rows.type;
    for (const std::string& row : rows.texts) {
        file.rows.push_back({row.substr(0, 1), patternOfRow(row)});
    }
    return saveBarcodeFile(file);
}

TableRecords recordLines(const NumberedRows& rows) {
    TableRecords out;
    for (const std::string& row : rows.texts) {
        out.lines.push_back(
            barcodeRecord(rows.type, intValue(row.substr(0, 1)), patternOfRow(row)));
    }
    return out;
}

AnswerRows<NumberedRows> rowsOfAnswer(const std::vector<std::string>& lines,
                                      const NumberedRows& before) {
    AnswerRows<NumberedRows> answer{{{}, before.type}, {}};
    NumberedRows& rows = answer.rows;
    if (lines.empty()) {
        return answer;
    }
    // An answer without any pattern (an empty scale table) leaves the type as it was.
    const std::string firstTail = barcodeTail(lines.front());
    if (!firstTail.empty()) {
        rows.type = barcodeTypeOfTail(firstTail);
    }
    const auto length = static_cast<std::size_t>(barcodePatternLength(rows.type));
    for (const std::string& line : lines) {
        const std::string tail = barcodeTail(line);
        if (tail.empty() || !isAnswerRecord(line)) {
            continue;
        }
        rows.texts.push_back(cformat("%1d\t", {intValue(field(line, envelope::kLength, 2))}) +
                             tail.substr(0, length));
    }
    return answer;
}

// The dialog's round trip: the patterns of the dialog's type.
TableRoundTrip<NumberedRows> dialogRoundTrip(const NumberedTableKind& kind, TableForm) {
    return {
        .load = &loadRows,
        .save = &saveRows,
        .records = &recordLines,
        .request = [&kind] { return std::vector<std::string>{kind.requestLine}; },
        .rowsOfAnswer = &rowsOfAnswer,
        .files = {tablefile::kBarcodes.name},
    };
}

LoadedTable<BarcodeTable> loadBatchTable() {
    LoadedBarcodes loaded = loadBarcodeFile();
    return {readFileBytes(tablefile::kBarcodes.name).has_value(), std::move(loaded.table),
            loaded.problem};
}

// The batch sends the file's rows as they are; a type other than UPC and EAN sends no format.
TableRecords batchRecords(const BarcodeTable& table) {
    TableRecords out;
    const int type = table.type;
    if (type != barcode::kUpc && type != barcode::kEan) {
        return out;
    }
    const auto length = static_cast<std::size_t>(barcodePatternLength(type));
    for (const NumberStringRow& row : table.rows) {
        if (row.value.size() > length) {
            out.problem = std::string(tablefile::kBarcodes.name) + ": the pattern " + row.value +
                          " is longer than its type allows; it was not sent";
            out.lines.clear();
            return out;
        }
        out.lines.push_back(barcodeRecord(type, intValue(row.number), row.value));
    }
    return out;
}

}  // namespace

BarcodeTable barcodesOfAnswer(const std::vector<std::string>& lines) {
    BarcodeTable table;
    if (lines.empty()) {
        return table;
    }
    table.type = barcodeTypeOfTail(barcodeTail(lines.front()));
    const auto length = static_cast<std::size_t>(barcodePatternLength(table.type));
    for (const std::string& line : lines) {
        const std::string tail = barcodeTail(line);
        if (tail.empty() || !isAnswerRecord(line)) {
            continue;
        }
        // The header counts the rows written, so that the file holds exactly what it says.
        table.rows.push_back(
            {std::string(field(line, barcode::kBatchNumberDigit, 1)), tail.substr(0, length)});
    }
    return table;
}

TableRoundTrip<BarcodeTable> barcodeBatchRoundTrip() {
    return {
        .load = &loadBatchTable,
        .save = &saveBarcodeFile,
        .records = &batchRecords,
        .request = [] { return std::vector<std::string>{barcodeTable().requestLine}; },
        .rowsOfAnswer =
            [](const std::vector<std::string>& lines, const BarcodeTable&) {
                return AnswerRows<BarcodeTable>{barcodesOfAnswer(lines)};
            },
    };
}

int barcodePatternLength(int type) {
    return normalType(type) == barcode::kUpc ? kUpcLength : kEanLength;
}

std::string barcodeRecord(int type, int number, std::string_view pattern) {
    const std::string p(pattern.substr(0, static_cast<std::size_t>(barcodePatternLength(type))));
    const int n = number < 0 || number > 99 ? 0 : number;
    if (normalType(type) == barcode::kUpc) {
        return cformat("00021400000001%02d%02d0%-11sC000000", {0, n, p});
    }
    return cformat("00021400000001%02d%02d0%-12sC00000", {0, n, p});
}

std::string barcodeTail(std::string_view line) {
    if (line.size() <= barcode::kPatternPos) {
        return {};
    }
    std::string_view tail = line.substr(barcode::kPatternPos);
    const auto isEdge = [](char c) { return c == ' ' || c == '\r' || c == '\n'; };
    while (!tail.empty() && isEdge(tail.front())) {
        tail.remove_prefix(1);
    }
    while (!tail.empty() && isEdge(tail.back())) {
        tail.remove_suffix(1);
    }
    return std::string(tail);
}

int barcodeTypeOfTail(std::string_view tail) {
    return tail.rfind('C') == static_cast<std::size_t>(kUpcLength) ? barcode::kUpc : barcode::kEan;
}

const NumberedTableKind& barcodeTable() {
    static const NumberedTableKind kind{
        .numberWidth = 1,
        .numberMaxLength = 1,
        .valueMaxLength = kEanLength,
        .valueMaxLengthOf = &barcodePatternLength,
        .numberLimits = {{Limit::Below, 0, "The Number must be 1 - 8 !"},
                         {Limit::Above, kHighestNumber, "The Number must be 1 - 8 !"}},
        .addCheck = &checkPatternLength,
        .proposedNumberMax = kHighestNumber,
        .choose = &chooseType,
        .roundTrip = &dialogRoundTrip,
        .file = tablefile::kBarcodes,
        .requestLine = "000214000700010000",
        .transferMessage = "Transfering Barcode information,please wait...",
        .errorSuffix = "error",
    };
    return kind;
}

}  // namespace vorn
