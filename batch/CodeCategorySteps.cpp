#include "batch/CodeCategorySteps.h"

#include "batch/StepFiles.h"
#include "comm/RecordLine.h"
#include "editors/code/BarcodeTable.h"
#include "editors/code/DiscountTable.h"
#include "tables/Archive.h"
#include "tables/NumberText.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

// The digit of a barcode answer's number.
constexpr std::size_t kBarcodeNumberDigit = 17;

}  // namespace

// ---- Discounts

std::optional<TransferSettings> sendDiscounts(const BatchContext&) {
    if (!readFileBytes(tablefile::kDiscounts)) {
        return std::nullopt;
    }
    const LoadedRows<std::string> loaded = loadDiscountFile();
    if (!loaded.problem.empty()) {
        tellNotSent(loaded.problem);
        return std::nullopt;
    }
    // The strings are the rows 1 to 9 in file order; a row is sent when its rate is not 0.
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < loaded.rows.size(); ++k) {
        const DiscountRow row = discountRowOfRecord(loaded.rows[k]);
        if (row.rate != 0) {
            lines.push_back(discountRecord(static_cast<int>(k + 1), row, discount::kBatchSentRate));
        }
    }
    return transferOf(lines);
}

std::optional<TransferSettings> requestDiscounts(const BatchContext&) {
    return transferOf({discount::kRequestLine});
}

std::vector<std::string> discountStringsOfAnswer(const std::vector<std::string>& lines) {
    DiscountRows rows;
    for (const std::string& line : lines) {
        if (!isAnswerRecord(line) || line.size() <= discount::kRowPos) {
            continue;
        }
        const char digit = line[discount::kRowPos];
        if (digit >= '1' && digit <= '9') {
            rows[static_cast<std::size_t>(digit - '1')] = discountRowOfRecord(line);
        }
    }
    std::vector<std::string> strings;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        strings.push_back(discountRecord(static_cast<int>(k + 1), rows[k], discount::kStoredRate) +
                          std::string(discount::kBatchStoredLineEnd));
    }
    return strings;
}

StoreOutcome storeDiscounts(const BatchContext&, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    return storedOrTold(saveDiscountFile(discountStringsOfAnswer(answer.lines)));
}

// ---- Barcode formats

std::optional<TransferSettings> sendBarcodes(const BatchContext&) {
    emptyTransferFile();
    if (!readFileBytes(tablefile::kBarcodes.name)) {
        return std::nullopt;
    }
    const LoadedBarcodes loaded = loadBarcodeFile();
    if (!loaded.problem.empty()) {
        tellNotSent(loaded.problem);
        return std::nullopt;
    }
    std::vector<std::string> lines;
    const int type = loaded.table.type;
    // A type other than UPC and EAN sends no format.
    if (type == barcode::kUpc || type == barcode::kEan) {
        const auto length = static_cast<std::size_t>(barcodePatternLength(type));
        for (const NumberStringRow& row : loaded.table.rows) {
            if (row.value.size() > length) {
                tellNotSent(std::string(tablefile::kBarcodes.name) + ": the pattern " + row.value +
                            " is longer than its type allows");
                return std::nullopt;
            }
            lines.push_back(barcodeRecord(type, intValue(row.number), row.value));
        }
    }
    return transferOf(lines);
}

std::optional<TransferSettings> requestBarcodes(const BatchContext&) {
    return transferOf({barcodeTable().requestLine});
}

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
            {std::string(field(line, kBarcodeNumberDigit, 1)), tail.substr(0, length)});
    }
    return table;
}

StoreOutcome storeBarcodes(const BatchContext&, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    return storedOrTold(saveBarcodeFile(barcodesOfAnswer(answer.lines)));
}

}  // namespace vorn
