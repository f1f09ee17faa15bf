#include "editors/code/DiscountTable.h"

#include "comm/RecordLine.h"
#include "comm/TableTransfer.h"
#include "editors/kit/RecordText.h"
#include "platform/Prompter.h"
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

void DiscountTable::open() {
    rows_ = DiscountRows{};
    const LoadedRows<std::string> loaded = loadDiscountFile();
    for (std::size_t k = 0; k < loaded.rows.size() && k < rows_.size(); ++k) {
        rows_[k] = discountRowOfRecord(loaded.rows[k]);
    }
    if (!loaded.problem.empty()) {
        tell(loaded.problem, PromptIcon::Warning);
    }
}

bool DiscountTable::save() const {
    std::vector<std::string> records;
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        records.push_back(discountRecord(static_cast<int>(k + 1), rows_[k], discount::kStoredRate));
    }
    const FileProblem problem = saveDiscountFile(records);
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error);
        return false;
    }
    return true;
}

std::vector<std::string> DiscountTable::sendLines() const {
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        if (rows_[k].rate != 0) {
            lines.push_back(discountRecord(static_cast<int>(k + 1), rows_[k], discount::kSentRate));
        }
    }
    return lines;
}

void DiscountTable::send() {
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        if (!inRange(rows_[k].rate)) {
            tell(badDiscountRateMessage(static_cast<int>(k + 1)), PromptIcon::Warning);
            return;
        }
    }
    const std::vector<std::string> lines = sendLines();
    if (lines.empty()) {
        tell("No data to transmit!");
        return;
    }
    runTableTransfer(lines, TransferRequest{discount::kTransferMessage, false, 0, 1, false},
                     AnswerCheck{discount::kErrorSuffix, discount::kAnswerLineLimit});
}

void DiscountTable::receive() {
    const TransferResult result = runTableTransfer(
        {discount::kRequestLine}, TransferRequest{discount::kTransferMessage, true, 0, 1, false},
        AnswerCheck{discount::kErrorSuffix, discount::kAnswerLineLimit});
    if (result == TransferResult::NoAnswer) {
        tell("Can't read file!");
    } else if (result == TransferResult::Succeeded) {
        takeAnswer(readAnswerLines());
    }
}

void DiscountTable::takeAnswer(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (!isAnswerRecord(line) || line.size() <= discount::kRowPos) {
            continue;
        }
        const char digit = line[discount::kRowPos];
        if (digit >= '1' && digit <= '9') {
            rows_[static_cast<std::size_t>(digit - '1')] = discountRowOfRecord(line);
        }
    }
}

}  // namespace vorn
