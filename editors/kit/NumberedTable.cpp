#include "editors/kit/NumberedTable.h"

#include <algorithm>

#include "comm/RecordLine.h"
#include "comm/TableTransfer.h"
#include "editors/kit/RecordText.h"
#include "platform/Prompter.h"
#include "tables/Archive.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

std::string substrOrEmpty(const std::string& s, std::size_t pos, std::size_t count) {
    return pos < s.size() ? s.substr(pos, count) : std::string();
}

// True when 0 <= value < 10^digits: the value fills at most a field of that many digits.
bool fitsDigits(std::int64_t value, int digits) {
    std::int64_t limit = 1;
    for (int i = 0; i < digits; ++i) {
        limit *= 10;
    }
    return value >= 0 && value < limit;
}

std::string widthFormat(int width, const char* conversion) {
    return "%" + std::to_string(width) + conversion;
}

std::string numberColumnOf(const NumberedTableKind& kind, const std::string& row) {
    return row.substr(0, static_cast<std::size_t>(kind.numberWidth));
}

std::string valueOfRowOf(const NumberedTableKind& kind, const std::string& row, std::size_t limit) {
    return substrOrEmpty(row, static_cast<std::size_t>(kind.numberWidth) + 1, limit);
}

// The rows of the table file in file order; the batch lays each number column out anew.
LoadedTable<NumberedRows> loadRows(const NumberedTableKind& kind, TableForm form) {
    LoadedTable<NumberedRows> table;
    table.found = readFileBytes(kind.file.name).has_value();
    const bool batch = form == TableForm::Batch;
    std::vector<std::string>& texts = table.rows.texts;
    if (kind.fileRows == FileRows::NumberString) {
        LoadedRows<NumberStringRow> loaded = loadNumberStringFile(kind.file);
        for (const NumberStringRow& r : loaded.rows) {
            if (batch) {
                texts.push_back(cformat("%*d", {kind.numberWidth, intValue(r.number)}) + '\t' +
                                r.value);
            } else {
                texts.push_back(r.number + '\t' +
                                (kind.trimValueOnOpen ? trimmed(r.value) : r.value));
            }
        }
        table.problem = loaded.problem;
    } else {
        LoadedRows<NumberWordRow> loaded = loadNumberWordFile(kind.file);
        for (const NumberWordRow& r : loaded.rows) {
            texts.push_back(cformat(widthFormat(kind.numberWidth, "d\t"), {r.number}) + r.value);
        }
        table.problem = loaded.problem;
    }
    return table;
}

// Saves the rows; the dialog at most fileValueMax characters of each value, the batch all.
FileProblem saveRows(const NumberedTableKind& kind, TableForm form, const NumberedRows& rows) {
    const std::size_t valueMax = form == TableForm::Batch ? std::string::npos : kind.fileValueMax;
    if (kind.fileRows == FileRows::NumberString) {
        std::vector<NumberStringRow> out;
        for (const std::string& row : rows.texts) {
            out.push_back({numberColumnOf(kind, row), valueOfRowOf(kind, row, valueMax)});
        }
        return saveNumberStringFile(kind.file, out);
    }
    std::vector<NumberWordRow> out;
    for (const std::string& row : rows.texts) {
        out.push_back({intValue(numberColumnOf(kind, row)), valueOfRowOf(kind, row, valueMax)});
    }
    return saveNumberWordFile(kind.file, out);
}

NumberedRows rowsOfAnswer(const NumberedTableKind& kind, TableForm form,
                          const std::vector<std::string>& lines, const NumberedRows& before) {
    NumberedRows rows;
    rows.type = before.type;
    if (form == TableForm::Batch && kind.emptyTableMark && !lines.empty() &&
        marksEmptyTable(lines.front())) {
        return rows;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (form == TableForm::Dialog && i == 0 && kind.skipFirstZeroNumber &&
            intValue(field(lines[i], envelope::kLength, kind.recordNumberDigits)) == 0) {
            continue;
        }
        std::string row = numberedRowOfLine(kind, lines[i]);
        if (!row.empty()) {
            rows.texts.push_back(std::move(row));
        }
    }
    return rows;
}

}  // namespace

AnswerFit numberedAnswerFit(const NumberedTableKind& kind) {
    int lowest = kind.lowestHeld;
    int highest = kind.highestHeld;
    if (lowest == 0 && highest == 0) {
        for (const Limit& limit : kind.numberLimits) {
            (limit.side == Limit::Below ? lowest : highest) = limit.bound;
        }
    }
    AnswerFit fit = numberedFit(static_cast<std::size_t>(kind.recordNumberDigits), lowest, highest);
    fit.leadingZero = kind.skipFirstZeroNumber;
    return fit;
}

TableRoundTrip<NumberedRows> numberedRoundTrip(const NumberedTableKind& kind, TableForm form) {
    return {
        .load = [&kind, form] { return loadRows(kind, form); },
        .save = [&kind, form](const NumberedRows& rows) { return saveRows(kind, form, rows); },
        .records =
            [&kind, form](const NumberedRows& rows) {
                if (form == TableForm::Batch && rows.texts.empty() && !kind.batchSendsEmptyTable) {
                    return TableRecords{.none = true};
                }
                return numberedRecords(kind, rows.texts);
            },
        .request = [&kind] { return std::vector<std::string>{kind.requestLine}; },
        .rowsOfAnswer =
            [&kind, form](const std::vector<std::string>& lines, const NumberedRows& before) {
                return AnswerRows<NumberedRows>{rowsOfAnswer(kind, form, lines, before)};
            },
        .fit = numberedAnswerFit(kind),
        .files = {kind.file.name},
    };
}

TableRecords numberedRecords(const NumberedTableKind& kind, const std::vector<std::string>& rows,
                             std::string (*recordText)(const std::string& value)) {
    TableRecords out;
    for (const std::string& row : rows) {
        const int n = intValue(numberColumnOf(kind, row));
        bool fits = fitsDigits(n, kind.recordNumberDigits);
        std::string line;
        if (kind.decimals < 0) {
            const auto width = static_cast<std::size_t>(kind.recordValueWidth);
            const std::string value =
                recordText != nullptr
                    ? cutTo(recordText(valueOfRowOf(kind, row, std::string::npos)), width)
                    : valueOfRowOf(kind, row, width);
            line = cformat(kind.recordFormat, {n, value});
        } else {
            const std::int64_t units =
                decimalToUnits(valueOfRowOf(kind, row, kind.fileValueMax), kind.decimals);
            fits = fits && fitsDigits(units, kind.recordValueWidth);
            line = cformat(kind.recordFormat, {n, static_cast<long long>(units)});
        }
        if (!fits) {
            std::string shown = row;
            std::replace(shown.begin(), shown.end(), '\t', ' ');
            out.problem = "The row \"" + trimmed(shown) +
                          "\" does not fit the scale record! Nothing was sent.";
            out.lines.clear();
            return out;
        }
        // The record format ends with a line feed; trf.out gets its own line ends.
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
        }
        out.lines.push_back(line);
    }
    return out;
}

std::string numberedRowOfLine(const NumberedTableKind& kind, const std::string& line,
                              std::string (*rowText)(const std::string& recordText),
                              std::size_t lineLength) {
    // Error lines of the engine (a Cancel's 02211 after good answers, say) are no records.
    if (!isAnswerRecord(line) || (lineLength != 0 && line.size() != lineLength)) {
        return {};
    }
    const int n = intValue(field(line, envelope::kLength, kind.recordNumberDigits));
    const std::size_t valuePos =
        envelope::kLength + static_cast<std::size_t>(kind.recordNumberDigits);
    // A line that ends before the value field names no record: an empty table's answer
    // echoes the request, whose payload is the zero number field alone.
    if (line.size() <= valuePos) {
        return {};
    }
    const std::string_view valueField =
        field(line, valuePos, static_cast<std::size_t>(kind.recordValueWidth));
    std::string value;
    if (kind.decimals < 0) {
        value = rowText != nullptr ? rowText(std::string(valueField)) : std::string(valueField);
    } else {
        const int units = intValue(valueField);
        if (units == 0) {
            return {};  // an empty slot of the scale's table
        }
        value = unitsToDecimal(units, kind.decimals);
    }
    return cformat(widthFormat(kind.numberWidth, "d\t"), {n}) +
           cformat(kind.receivedValueFormat, {value});
}

const char* failedLimit(const std::vector<Limit>& limits, int value) {
    for (const Limit& l : limits) {
        if ((l.side == Limit::Below && value < l.bound) ||
            (l.side == Limit::Above && value > l.bound)) {
            return l.message;
        }
    }
    return nullptr;
}

namespace {

// The kind's own round trip, or numberedRoundTrip.
TableRoundTrip<NumberedRows> roundTripOf(const NumberedTableKind& kind, TableForm form) {
    return kind.roundTrip != nullptr ? kind.roundTrip(kind, form) : numberedRoundTrip(kind, form);
}

}  // namespace

NumberedTable::NumberedTable(const NumberedTableKind& kind)
    : kind_(kind), roundTrip_(roundTripOf(kind, TableForm::Dialog)) {}

std::string NumberedTable::numberColumn(const std::string& row) const {
    return numberColumnOf(kind_, row);
}

std::string NumberedTable::valueOfRow(const std::string& row, std::size_t limit) const {
    return valueOfRowOf(kind_, row, limit);
}

NumberedRows NumberedTable::roundTripRows() const {
    return {rows_.texts(), fields_.type};
}

void NumberedTable::showRows(const NumberedRows& rows) {
    rows_.clear();
    for (const std::string& text : rows.texts) {
        rows_.addSorted(text);
    }
    fields_.type = rows.type;
}

void NumberedTable::open() {
    const LoadedTable<NumberedRows> loaded = roundTrip_.load();
    showRows(loaded.rows);
    if (!loaded.problem.empty()) {
        tell(loaded.problem, PromptIcon::Warning, tablefile::kDamagedMeaning);
    }
}

bool NumberedTable::save() const {
    const FileProblem problem = roundTrip_.save(roundTripRows());
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error, tablefile::kUnsavedMeaning);
        return false;
    }
    return true;
}

bool NumberedTable::saveOnOk() {
    if (kind_.addOnOk) {
        add();
    }
    return save();
}

int NumberedTable::valueMaxLength() const {
    return kind_.valueMaxLengthOf != nullptr ? kind_.valueMaxLengthOf(fields_.type)
                                             : kind_.valueMaxLength;
}

void NumberedTable::choose(int type) {
    if (kind_.choose != nullptr) {
        kind_.choose(*this, type);
    } else {
        fields_.type = type;
    }
}

bool NumberedTable::checkNumber() {
    const char* message = failedLimit(kind_.numberLimits, intValue(fields_.number));
    if (message == nullptr) {
        return false;
    }
    tell(message);
    fields_.number.clear();
    return true;
}

bool NumberedTable::checkValue() {
    const char* message = failedLimit(kind_.valueLimits, intValue(fields_.value));
    if (message == nullptr) {
        return false;
    }
    tell(message);
    fields_.value.clear();
    return true;
}

bool NumberedTable::add() {
    if (kind_.addCheck != nullptr && !kind_.addCheck(fields_)) {
        return false;
    }
    if (fields_.number.empty() || fields_.value.empty()) {
        return false;
    }
    const int n = intValue(fields_.number);
    std::size_t i = 0;
    if (kind_.addSorts) {
        // The list's text order is not the number order for a number typed with leading
        // zeros: the row of the same number may stand anywhere.
        for (std::size_t j = rows_.size(); j-- > 0;) {
            if (intValue(numberColumn(rows_.text(j))) == n) {
                rows_.removeAt(j);
            }
        }
    }
    for (; !kind_.addSorts && i < rows_.size(); ++i) {
        const int r = intValue(numberColumn(rows_.text(i)));
        if (n == r) {
            rows_.removeAt(i);
            break;
        }
        if (n < r) {
            break;
        }
    }
    std::string row =
        cformat(widthFormat(kind_.numberWidth, "s"), {fields_.number}) + kind_.separator +
        (kind_.addedValue != nullptr ? kind_.addedValue(fields_)
                                     : cformat(kind_.addedValueFormat, {fields_.value}));
    if (kind_.addSorts) {
        rows_.addSorted(std::move(row));
    } else {
        rows_.insertAt(i, std::move(row));
    }
    fields_.value.clear();
    fields_.displayedLines.clear();
    if (kind_.proposedNumberMax > 0) {
        const long long next =
            std::min<long long>(static_cast<long long>(n) + 1, kind_.proposedNumberMax);
        fields_.number = std::to_string(next);
    } else {
        fields_.number.clear();
    }
    return true;
}

bool NumberedTable::pick() {
    if (rows_.caret() == ListRows::kNoRow) {
        return false;
    }
    const std::string& row = rows_.text(rows_.caret());
    fields_.number =
        kind_.pickNumberAsInteger ? std::to_string(intValue(numberColumn(row))) : numberColumn(row);
    if (kind_.pickValueMax != std::string::npos || kind_.separator != '\t') {
        fields_.value = valueOfRow(row, kind_.pickValueMax);
    } else {
        const std::size_t tab = row.find('\t');
        fields_.value =
            tab == std::string::npos ? valueOfRow(row, std::string::npos) : row.substr(tab + 1);
    }
    if (kind_.trimPickedValue) {
        fields_.value = rightTrimmed(fields_.value);
    }
    if (kind_.pickedValue != nullptr) {
        fields_.value = kind_.pickedValue(fields_.value);
    }
    fields_.displayedLines.clear();
    return true;
}

void NumberedTable::takeReceivedLines(const std::vector<std::string>& lines) {
    showRows(roundTrip_.rowsOfAnswer(lines, roundTripRows()).rows);
}

void NumberedTable::send() {
    // An empty list sends nothing.
    if (rows_.empty()) {
        return;
    }
    sendTable(roundTrip_, roundTripRows(), request(false), answerCheck());
}

AnswerCheck NumberedTable::answerCheck() const {
    return AnswerCheck{kind_.errorSuffix, kind_.answerShownLimit, kind_.answerShownAsBytes};
}

TransferRequest NumberedTable::request(bool receive) const {
    return TransferRequest{kind_.transferMessage, receive, receive ? 0 : kind_.keyWidth, 1, false};
}

void NumberedTable::receive() {
    NumberedRows rows = roundTripRows();
    const TransferResult result = receiveTable(roundTrip_, rows, request(true), answerCheck());
    if (result == TransferResult::NoAnswer && kind_.missingAnswerMessage != nullptr) {
        tell(kind_.missingAnswerMessage);
    }
    if (result == TransferResult::Succeeded) {
        showRows(rows);
    }
}

}  // namespace vorn
