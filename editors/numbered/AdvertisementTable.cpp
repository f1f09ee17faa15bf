#include "editors/numbered/AdvertisementTable.h"

#include "comm/RecordLine.h"
#include "editors/kit/RecordText.h"
#include "tables/Archive.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

std::string recordTextOfValue(const std::string& value) {
    return advertisementRecordText(value);
}

std::string rowTextOfRecord(const std::string& recordText) {
    return breaksToCrlf(recordText);
}

// The dialog's round trip: the numbered table's, with the texts' breaks carried as 0x10 and
// only whole records of 91 characters read.
TableRoundTrip<NumberedRows> dialogRoundTrip(const NumberedTableKind& kind, TableForm form) {
    TableRoundTrip<NumberedRows> trip = numberedRoundTrip(kind, form);
    trip.records = [&kind](const NumberedRows& rows) {
        return numberedRecords(kind, rows.texts, &recordTextOfValue);
    };
    trip.rowsOfAnswer = [&kind](const std::vector<std::string>& lines, const NumberedRows& before) {
        AnswerRows<NumberedRows> answer{{{}, before.type}, {}};
        for (const std::string& line : lines) {
            std::string row =
                numberedRowOfLine(kind, line, &rowTextOfRecord, advertisement::kRecordLineLength);
            if (!row.empty()) {
                answer.rows.texts.push_back(std::move(row));
            }
        }
        return answer;
    };
    return trip;
}

LoadedTable<std::vector<NumberStringRow>> loadBatchRows() {
    const TableFile& file = tablefile::kAdvertisements;
    LoadedRows<NumberStringRow> loaded = loadNumberStringFile(file);
    return {readFileBytes(file.name).has_value(), std::move(loaded.rows), loaded.problem};
}

TableRecords batchRecords(const std::vector<NumberStringRow>& rows) {
    TableRecords out;
    for (const NumberStringRow& row : rows) {
        const std::string number = trimmed(row.number);
        // The stored text keeps its breaks as CR LF; on the line they are 0x10, as the
        // advertisement dialog sends them: a CR LF inside a line of trf.out would cut the record.
        const std::string text = crlfToBreaks(trimmed(row.value));
        if (number.size() > 2 || text.size() > advertisement::kRecordTextWidth) {
            out.problem = std::string(tablefile::kAdvertisements.name) + ": text " + number +
                          " does not fit its record; it was not sent";
            out.lines.clear();
            return out;
        }
        out.lines.push_back(cformat(advertisement::kBatchRecordFormat, {number, text}));
    }
    return out;
}

}  // namespace

std::string advertisementRecordText(const std::string& text, std::size_t width) {
    return cutTo(twoLineRecordText(rightTrimmed(text)), width);
}

std::vector<NumberStringRow> advertisementRowsOfAnswer(const std::vector<std::string>& lines) {
    std::vector<NumberStringRow> rows;
    for (const std::string& line : lines) {
        if (!isAnswerRecord(line) || marksEmptyTable(line)) {
            continue;
        }
        const int number = intValue(field(line, advertisement::kNumberPos, 2));
        const std::string text =
            trimmed(field(line, advertisement::kTextPos, advertisement::kRecordTextWidth));
        rows.push_back({cformat("%2d", {number}), breaksToCrlf(text)});
    }
    return rows;
}

TableRoundTrip<std::vector<NumberStringRow>> advertisementBatchRoundTrip() {
    return {
        .load = &loadBatchRows,
        .save =
            [](const std::vector<NumberStringRow>& rows) {
                return saveNumberStringFile(tablefile::kAdvertisementsByBatch, rows);
            },
        .records = &batchRecords,
        .request = [] { return std::vector<std::string>{advertisementTable().requestLine}; },
        .rowsOfAnswer =
            [](const std::vector<std::string>& lines, const std::vector<NumberStringRow>&) {
                return AnswerRows<std::vector<NumberStringRow>>{advertisementRowsOfAnswer(lines)};
            },
        .fit = numberedAnswerFit(advertisementTable()),
    };
}

const NumberedTableKind& advertisementTable() {
    static const NumberedTableKind kind{
        .numberWidth = 2,
        .numberMaxLength = 2,
        .valueMaxLength = 74,
        .numberLimits = {{Limit::Below, 1, "The Number must be Num & plus!"},
                         {Limit::Above, 10, "The Max Number is 10!"}},
        .proposedNumberMax = 10,
        // A received text keeps the record's padding in the list; the field takes it without,
        // as the send would (the field holds two lines, and the padding would fill them).
        .trimPickedValue = true,
        .roundTrip = &dialogRoundTrip,
        .file = tablefile::kAdvertisements,
        .trimValueOnOpen = true,
        // The whole text is kept: a text of two full lines is 74 characters with its CR LF.
        .fileValueMax = std::string::npos,
        .recordFormat = advertisement::kRecordFormat,
        .recordNumberDigits = 2,
        .recordValueWidth = static_cast<int>(advertisement::kRecordTextWidth),
        .requestLine = "000220000700010000",
        .transferMessage = "Transfering Advertisement Text information,please wait...",
        .errorSuffix = "error!",
        .missingAnswerMessage = "Can't Write file!",
    };
    return kind;
}

}  // namespace vorn
