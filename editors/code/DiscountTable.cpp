#include "editors/code/DiscountTable.h"

#include "comm/RecordLine.h"
#include "comm/TableTransfer.h"
#include "editors/kit/RecordText.h"
#include "platform/Prompter.h"
#include "tables/Archive.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TableFiles.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

constexpr int kCentsPerUnit = 100;

bool inRange(int rate) {
    return rate >= -discount::kHighestRate && rate <= discount::kHighestRate;
}

TransferRequest request(bool receive) {
    return TransferRequest{discount::kTransferMessage, receive, 0, 1, false};
}

AnswerCheck answerCheck() {
    return AnswerCheck{discount::kErrorSuffix, discount::kAnswerLineLimit};
}

LoadedTable<DiscountRows> loadRows() {
    LoadedTable<DiscountRows> table;
    table.found = readFileBytes(tablefile::kDiscounts).has_value();
    const LoadedRows<std::string> loaded = loadDiscountFile();
    for (std::size_t k = 0; k < loaded.rows.size() && k < table.rows.size(); ++k) {
        table.rows[k] = discountRowOfRecord(loaded.rows[k]);
    }
    table.problem = loaded.problem;
    return table;
}

// The nine strings of discount.dat; the batch ends each with a line end.
FileProblem saveRows(const DiscountRows& rows, std::string_view lineEnd) {
    std::vector<std::string> records;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        records.push_back(discountRecord(static_cast<int>(k + 1), rows[k], discount::kStoredRate) +
                          std::string(lineEnd));
    }
    return saveDiscountFile(records);
}

// The records of the rows whose rate is not 0, the rate written by rateConversion.
TableRecords recordsOf(const DiscountRows& rows, std::string_view rateConversion) {
    TableRecords out;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (rows[k].rate != 0) {
            out.lines.push_back(discountRecord(static_cast<int>(k + 1), rows[k], rateConversion));
        }
    }
    return out;
}

}  // namespace

std::string discountRecord(int k, const DiscountRow& row, std::string_view rateConversion) {
    const std::string format = std::string(discount::kRecordStart) + std::string(rateConversion);
    return cformat(format, {k, cutTo(row.displayed, discount::kTextWidth),
                            cutTo(row.printed, discount::kTextWidth), row.rate});
}

DiscountRow discountRowOfRecord(std::string_view record) {
    return DiscountRow{
        intValue(field(record, discount::kRatePos, discount::kRateWidth)),
        rightTrimmed(std::string(field(record, discount::kDisplayedPos, discount::kTextWidth))),
        rightTrimmed(std::string(field(record, discount::kPrintedPos, discount::kTextWidth))),
    };
}

std::optional<int> parseDiscountRate(std::string_view text) {
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ') {
            ++i;
        }
    };
    skipBlanks();
    if (i == text.size()) {
        return 0;
    }
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    int whole = 0;
    int digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        whole = whole * 10 + (text[i] - '0');
        if (whole > discount::kHighestRate) {
            return std::nullopt;
        }
    }
    int cents = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        int decimals = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++decimals, ++digits) {
            if (decimals == 2) {
                return std::nullopt;
            }
            cents = cents * 10 + (text[i] - '0');
        }
        if (decimals == 1) {
            cents *= 10;
        }
    }
    skipBlanks();
    if (digits == 0 || i != text.size()) {
        return std::nullopt;
    }
    const long rate = static_cast<long>(whole) * kCentsPerUnit + cents;
    if (rate > discount::kHighestRate) {
        return std::nullopt;
    }
    return static_cast<int>(negative ? -rate : rate);
}

std::string discountRateText(int rate) {
    std::string text = unitsToDecimal(rate, 2);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::string badDiscountRateMessage(int k) {
    return "The discount of row " + std::to_string(k) +
           " must be a number from -99.99 to 99.99 with at most two decimals!";
}

DiscountRows discountRowsOfAnswer(const std::vector<std::string>& lines, DiscountRows rows) {
    for (const std::string& line : lines) {
        if (!isAnswerRecord(line) || line.size() <= discount::kRowPos) {
            continue;
        }
        const char digit = line[discount::kRowPos];
        if (digit >= '1' && digit <= '9') {
            rows[static_cast<std::size_t>(digit - '1')] = discountRowOfRecord(line);
        }
    }
    return rows;
}

TableRoundTrip<DiscountRows> discountRoundTrip(TableForm form) {
    const bool batch = form == TableForm::Batch;
    return {
        .load = &loadRows,
        .save =
            [batch](const DiscountRows& rows) {
                return saveRows(rows, batch ? discount::kBatchStoredLineEnd : "");
            },
        .records =
            [batch](const DiscountRows& rows) {
                return recordsOf(rows, batch ? discount::kBatchSentRate : discount::kSentRate);
            },
        .request = [] { return std::vector<std::string>{discount::kRequestLine}; },
        // The dialog changes only the rows that the answer names; the batch stores the rows of
        // the answer alone.
        .rowsOfAnswer =
            [batch](const std::vector<std::string>& lines, const DiscountRows& before) {
                return AnswerRows<DiscountRows>{
                    discountRowsOfAnswer(lines, batch ? DiscountRows{} : before)};
            },
        .files = {tablefile::kDiscounts},
    };
}

void DiscountTable::open() {
    const LoadedTable<DiscountRows> loaded = discountRoundTrip(TableForm::Dialog).load();
    rows_ = loaded.rows;
    if (!loaded.problem.empty()) {
        tell(loaded.problem, PromptIcon::Warning, tablefile::kDamagedMeaning);
    }
}

bool DiscountTable::save() const {
    const FileProblem problem = discountRoundTrip(TableForm::Dialog).save(rows_);
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error, tablefile::kUnsavedMeaning);
        return false;
    }
    return true;
}

std::vector<std::string> DiscountTable::sendLines() const {
    return discountRoundTrip(TableForm::Dialog).records(rows_).lines;
}

void DiscountTable::send() {
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        if (!inRange(rows_[k].rate)) {
            tell(badDiscountRateMessage(static_cast<int>(k + 1)), PromptIcon::Warning);
            return;
        }
    }
    if (sendLines().empty()) {
        tell("No data to transmit!");
        return;
    }
    sendTable(discountRoundTrip(TableForm::Dialog), rows_, request(false), answerCheck());
}

void DiscountTable::receive() {
    if (receiveTable(discountRoundTrip(TableForm::Dialog), rows_, request(true), answerCheck()) ==
        TransferResult::NoAnswer) {
        tell("Can't read file!", PromptIcon::None, transferfile::kInUnreadable);
    }
}

void DiscountTable::takeAnswer(const std::vector<std::string>& lines) {
    rows_ = discountRowsOfAnswer(lines, rows_);
}

}  // namespace vorn
