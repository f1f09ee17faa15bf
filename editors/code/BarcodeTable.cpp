#include "editors/code/BarcodeTable.h"

#include "comm/RecordLine.h"
#include "platform/Prompter.h"
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

FileProblem loadRows(NumberedTable& table) {
    LoadedBarcodes loaded = loadBarcodeFile();
    const int type = normalType(loaded.table.type);
    table.fields().type = type;
    const auto length = static_cast<std::size_t>(barcodePatternLength(type));
    for (const NumberStringRow& row : loaded.table.rows) {
        if (row.value.size() == length) {
            table.rows().addSorted(row.number + '\t' + row.value);
        }
    }
    return loaded.problem;
}

FileProblem saveRows(const NumberedTable& table) {
    BarcodeTable file;
    file.type = table.fields().type;
    for (const std::string& row : table.rows().texts()) {
        file.rows.push_back({row.substr(0, 1), patternOfRow(row)});
    }
    return saveBarcodeFile(file);
}

std::vector<std::string> recordLines(const NumberedTable& table) {
    std::vector<std::string> lines;
    for (const std::string& row : table.rows().texts()) {
        lines.push_back(
            barcodeRecord(table.fields().type, intValue(row.substr(0, 1)), patternOfRow(row)));
    }
    return lines;
}

void takeAnswer(NumberedTable& table, const std::vector<std::string>& lines) {
    table.rows().clear();
    if (lines.empty()) {
        return;
    }
    // An answer without any pattern (an empty scale table) leaves the type as it was.
    const std::string firstTail = barcodeTail(lines.front());
    if (!firstTail.empty()) {
        table.fields().type = barcodeTypeOfTail(firstTail);
    }
    const auto length = static_cast<std::size_t>(barcodePatternLength(table.fields().type));
    for (const std::string& line : lines) {
        const std::string tail = barcodeTail(line);
        if (tail.empty() || !isAnswerRecord(line)) {
            continue;
        }
        table.rows().addSorted(cformat("%1d\t", {intValue(field(line, envelope::kLength, 2))}) +
                               tail.substr(0, length));
    }
}

}  // namespace

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
        .file = tablefile::kBarcodes,
        .load = &loadRows,
        .save = &saveRows,
        .recordLines = &recordLines,
        .requestLine = "000214000700010000",
        .takeAnswer = &takeAnswer,
        .transferMessage = "Transfering Barcode information,please wait...",
        .errorSuffix = "error",
    };
    return kind;
}

}  // namespace vorn
