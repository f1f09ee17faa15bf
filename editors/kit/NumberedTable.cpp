#include "editors/kit/NumberedTable.h"

#include <algorithm>

#include "comm/RecordLine.h"
#include "comm/TableTransfer.h"
#include "editors/kit/RecordText.h"
#include "platform/Prompter.h"
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

}  // namespace

const char* failedLimit(const std::vector<Limit>& limits, int value) {
    for (const Limit& l : limits) {
        if ((l.side == Limit::Below && value < l.bound) ||
            (l.side == Limit::Above && value > l.bound)) {
            return l.message;
        }
    }
    return nullptr;
}

std::string NumberedTable::numberColumn(const std::string& row) const {
    return row.substr(0, static_cast<std::size_t>(kind_.numberWidth));
}

std::string NumberedTable::valueOfRow(const std::string& row, std::size_t limit) const {
    return substrOrEmpty(row, static_cast<std::size_t>(kind_.numberWidth) + 1, limit);
}

void NumberedTable::open() {
    rows_.clear();
    FileProblem problem;
    if (kind_.load != nullptr) {
        problem = kind_.load(*this);
    } else if (kind_.fileRows == FileRows::NumberString) {
        LoadedRows<NumberStringRow> loaded = loadNumberStringFile(kind_.file);
        for (const NumberStringRow& r : loaded.rows) {
            rows_.addSorted(r.number + '\t' + (kind_.trimValueOnOpen ? trimmed(r.value) : r.value));
        }
        problem = loaded.problem;
    } else {
        LoadedRows<NumberWordRow> loaded = loadNumberWordFile(kind_.file);
        for (const NumberWordRow& r : loaded.rows) {
            rows_.addSorted(cformat(widthFormat(kind_.numberWidth, "d\t"), {r.number}) + r.value);
        }
        problem = loaded.problem;
    }
    if (!problem.empty()) {
        tell(problem, PromptIcon::Warning);
    }
}

bool NumberedTable::save() const {
    FileProblem problem;
    if (kind_.save != nullptr) {
        problem = kind_.save(*this);
    } else if (kind_.fileRows == FileRows::NumberString) {
        std::vector<NumberStringRow> out;
        for (const std::string& row : rows_.texts()) {
            out.push_back({numberColumn(row), valueOfRow(row, kind_.fileValueMax)});
        }
        problem = saveNumberStringFile(kind_.file, out);
    } else {
        std::vector<NumberWordRow> out;
        for (const std::string& row : rows_.texts()) {
            out.push_back({intValue(numberColumn(row)), valueOfRow(row, kind_.fileValueMax)});
        }
        problem = saveNumberWordFile(kind_.file, out);
    }
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error);
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

std::vector<std::string> NumberedTable::sendLines(std::string* problem) const {
    if (kind_.recordLines != nullptr) {
        return kind_.recordLines(*this);
    }
    std::vector<std::string> lines;
    for (const std::string& row : rows_.texts()) {
        const int n = intValue(numberColumn(row));
        bool fits = fitsDigits(n, kind_.recordNumberDigits);
        std::string line;
        if (kind_.decimals < 0) {
            const auto width = static_cast<std::size_t>(kind_.recordValueWidth);
            const std::string value =
                kind_.recordText != nullptr
                    ? cutTo(kind_.recordText(valueOfRow(row, std::string::npos)), width)
                    : valueOfRow(row, width);
            line = cformat(kind_.recordFormat, {n, value});
        } else {
            const std::int64_t units =
                decimalToUnits(valueOfRow(row, kind_.fileValueMax), kind_.decimals);
            fits = fits && fitsDigits(units, kind_.recordValueWidth);
            line = cformat(kind_.recordFormat, {n, static_cast<long long>(units)});
        }
        if (!fits) {
            std::string shown = row;
            std::replace(shown.begin(), shown.end(), '\t', ' ');
            if (problem != nullptr) {
                *problem = "The row \"" + trimmed(shown) +
                           "\" does not fit the scale record! Nothing was sent.";
            }
            return {};
        }
        // The record format ends with a line feed; trf.out gets its own line ends.
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::string NumberedTable::rowOfReceivedLine(const std::string& line) const {
    // Error lines of the engine (a Cancel's 02211 after good answers, say) are no records.
    if (!isAnswerRecord(line) ||
        (kind_.receivedLineLength != 0 && line.size() != kind_.receivedLineLength)) {
        return {};
    }
    const int n = intValue(field(line, envelope::kLength, kind_.recordNumberDigits));
    const std::size_t valuePos =
        envelope::kLength + static_cast<std::size_t>(kind_.recordNumberDigits);
    // A line that ends before the value field names no record: an empty table's answer
    // echoes the request, whose payload is the zero number field alone.
    if (line.size() <= valuePos) {
        return {};
    }
    const std::string_view valueField =
        field(line, valuePos, static_cast<std::size_t>(kind_.recordValueWidth));
    std::string value;
    if (kind_.decimals < 0) {
        value = kind_.rowText != nullptr ? kind_.rowText(std::string(valueField))
                                         : std::string(valueField);
    } else {
        const int units = intValue(valueField);
        if (units == 0) {
            return {};  // an empty slot of the scale's table
        }
        value = unitsToDecimal(units, kind_.decimals);
    }
    return cformat(widthFormat(kind_.numberWidth, "d\t"), {n}) +
           cformat(kind_.receivedValueFormat, {value});
}

void NumberedTable::takeReceivedLines(const std::vector<std::string>& lines) {
    if (kind_.takeAnswer != nullptr) {
        kind_.takeAnswer(*this, lines);
        return;
    }
    rows_.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0 && kind_.skipFirstZeroNumber &&
            intValue(field(lines[i], envelope::kLength, kind_.recordNumberDigits)) == 0) {
            continue;
        }
        std::string row = rowOfReceivedLine(lines[i]);
        if (!row.empty()) {
            rows_.addSorted(std::move(row));
        }
    }
}

void NumberedTable::send() {
    if (rows_.empty()) {
        return;
    }
    std::string problem;
    const std::vector<std::string> lines = sendLines(&problem);
    if (!problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Warning);
        return;
    }
    if (lines.empty()) {
        return;
    }
    runTableTransfer(lines, TransferRequest{kind_.transferMessage, false, kind_.keyWidth, 1, false},
                     answerCheck());
}

AnswerCheck NumberedTable::answerCheck() const {
    return AnswerCheck{kind_.errorSuffix, kind_.answerShownLimit, kind_.answerShownAsBytes};
}

void NumberedTable::receive() {
    const TransferResult result =
        runTableTransfer({kind_.requestLine},
                         TransferRequest{kind_.transferMessage, true, 0, 1, false}, answerCheck());
    if (result == TransferResult::NoAnswer && kind_.missingAnswerMessage != nullptr) {
        tell(kind_.missingAnswerMessage);
    }
    if (result == TransferResult::Succeeded) {
        takeReceivedLines(readAnswerLines());
    }
}

}  // namespace vorn
