#include "editors/numbered/ExtraTextTable.h"

#include "comm/RecordLine.h"
#include "editors/kit/RecordText.h"
#include "tables/Archive.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TableFiles.h"
#include "tables/TextPieces.h"

namespace vorn {

static_assert(extratext::kRecordLength == kExtraTextRecordLength);
static_assert(extratext::kTextPos + extratext::kTextLength == extratext::kRecordLength);

namespace {

// The rows of the number field and the text: "%4s " of the number as typed.
constexpr std::size_t kRowNumberWidth = 4;

bool withinHighestNumber(EntryFields& fields) {
    return intValue(fields.number) <= extratext::kHighestNumber;
}

// The text of the field as the scale gets it: the displayed lines put together, or (when the
// lines are not known) the text with its breaks as 0x10.
std::string assembledText(const EntryFields& fields) {
    return fields.displayedLines.empty() ? crlfToBreaks(fields.value)
                                         : assembleDisplayedLines(fields.displayedLines);
}

std::string pickedText(const std::string& value) {
    return breaksToCrlf(value);
}

NumberedRows rowsOfRecords(const std::vector<std::string>& records) {
    NumberedRows rows;
    for (const std::string& record : records) {
        std::string row = extraTextRowOfRecord(record);
        if (!row.empty()) {
            rows.texts.push_back(std::move(row));
        }
    }
    return rows;
}

// The dialog's round trip: list rows of the file's records and of the answer's.
// The texts the scale holds, numbers 0 to 150, each once.
AnswerFit extraTextFit() {
    return AnswerFit{.numberPos = extratext::kNumberPos,
                     .numberWidth = extratext::kNumberDigits,
                     .lowest = 0,
                     .highest = extratext::kHighestNumber};
}

TableRoundTrip<NumberedRows> dialogRoundTrip(const NumberedTableKind&, TableForm) {
    return {
        .load =
            [] {
                const LoadedRows<std::string> loaded = loadExtraTextFile();
                return LoadedTable<NumberedRows>{readFileBytes(tablefile::kExtraTexts).has_value(),
                                                 rowsOfRecords(loaded.rows), loaded.problem};
            },
        .save =
            [](const NumberedRows& rows) {
                return saveExtraTextFile(extraTextRecordsOfRows(rows.texts));
            },
        .records =
            [](const NumberedRows& rows) {
                return TableRecords{extraTextRecordsOfRows(rows.texts)};
            },
        .request = [] { return std::vector<std::string>{extratext::kRequestLine}; },
        .rowsOfAnswer =
            [](const std::vector<std::string>& lines, const NumberedRows&) {
                return AnswerRows<NumberedRows>{rowsOfRecords(extraTextAnswerRecords(lines))};
            },
        .fit = extraTextFit(),
        .files = {tablefile::kExtraTexts},
    };
}

LoadedTable<std::vector<std::string>> loadBatchRecords() {
    LoadedRows<std::string> loaded = loadExtraTextFile();
    return {readFileBytes(tablefile::kExtraTexts).has_value(), std::move(loaded.rows),
            loaded.problem};
}

// The batch sends the file's records as they are, each filled to 515 characters.
TableRecords batchRecords(const std::vector<std::string>& rows) {
    TableRecords out;
    for (const std::string& row : rows) {
        if (row.size() > extratext::kRecordLength) {
            out.problem = std::string(tablefile::kExtraTexts) + ": a line of " +
                          std::to_string(row.size()) +
                          " characters does not fit its record; it was not sent";
            out.lines.clear();
            return out;
        }
        std::string record = row;
        record.resize(extratext::kRecordLength, ' ');
        out.lines.push_back(std::move(record));
    }
    return out;
}

// The batch stores the answer's records with '0' as first character.
std::vector<std::string> storedRecords(const std::vector<std::string>& lines) {
    std::vector<std::string> records = extraTextAnswerRecords(lines);
    for (std::string& record : records) {
        record[0] = '0';
    }
    return records;
}

}  // namespace

std::string extraTextRecord(int number, std::string_view text) {
    std::string record(extratext::kRecordStart);
    record += cutTo(cformat("%03d", {number}), extratext::kNumberDigits);
    record += cutTo(std::string(text), extratext::kTextLength);
    record.resize(extratext::kRecordLength, ' ');
    return record;
}

std::vector<std::string> extraTextRecordsOfRows(const std::vector<std::string>& rows) {
    std::vector<std::string> records;
    for (const std::string& row : rows) {
        if (row.size() <= kRowNumberWidth + 1) {
            continue;
        }
        records.push_back(extraTextRecord(intValue(field(row, 0, kRowNumberWidth)),
                                          std::string_view(row).substr(kRowNumberWidth + 1)));
    }
    return records;
}

std::string extraTextRowOfRecord(std::string_view record) {
    if (record.size() < extratext::kTextPos) {
        return {};
    }
    const int number = intValue(field(record, extratext::kNumberPos, extratext::kNumberDigits));
    return rightTrimmed(cformat("%4d ", {number}) +
                        std::string(field(record, extratext::kTextPos, extratext::kTextLength)));
}

std::vector<std::string> extraTextAnswerRecords(const std::vector<std::string>& lines) {
    std::vector<std::string> records;
    for (const std::string& line : lines) {
        if (line.size() >= extratext::kRecordLength && isAnswerRecord(line)) {
            records.push_back(line.substr(0, extratext::kRecordLength));
        }
    }
    return records;
}

TableRoundTrip<std::vector<std::string>> extraTextBatchRoundTrip() {
    return {
        .load = &loadBatchRecords,
        .save = &saveExtraTextFile,
        .records = &batchRecords,
        .request = [] { return std::vector<std::string>{extratext::kRequestLine}; },
        .rowsOfAnswer =
            [](const std::vector<std::string>& lines, const std::vector<std::string>&) {
                return AnswerRows<std::vector<std::string>>{storedRecords(lines)};
            },
        .fit = extraTextFit(),
    };
}

const NumberedTableKind& extraTextTable() {
    static const NumberedTableKind kind{
        .numberWidth = static_cast<int>(kRowNumberWidth),
        .separator = ' ',
        .numberMaxLength = 3,
        .valueMaxLength = 500,
        // A number above 150 is dropped silently.
        .addCheck = &withinHighestNumber,
        .addedValue = &assembledText,
        .addSorts = true,
        .proposedNumberMax = extratext::kHighestNumber,
        .pickNumberAsInteger = true,
        .trimPickedValue = true,
        .pickedValue = &pickedText,
        .addOnOk = true,
        .roundTrip = &dialogRoundTrip,
        .requestLine = extratext::kRequestLine,
        .transferMessage = "Transfering Extra Text,please wait...",
        .keyWidth = extratext::kKeyWidth,
        .errorSuffix = "error",
        // A failure shows the first 100 bytes of trf.in, which may span several lines.
        .answerShownLimit = 100,
        .answerShownAsBytes = true,
    };
    return kind;
}

}  // namespace vorn
