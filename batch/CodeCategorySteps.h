#pragma once
// The batch steps of the discounts and the barcode formats, on discount.dat and EAN.dat with
// their editors' records.

#include <optional>
#include <string>
#include <vector>

#include "batch/BatchCategory.h"
#include "tables/TableFiles.h"

namespace vorn {

std::optional<TransferSettings> sendDiscounts(const BatchContext& context);
std::optional<TransferSettings> requestDiscounts(const BatchContext& context);
StoreOutcome storeDiscounts(const BatchContext& context, const BatchCategory& category);
// The nine strings of discount.dat that a good answer gives: each answer line names its row by
// the digit at position 16; rows that no line names are empty with rate 0.
std::vector<std::string> discountStringsOfAnswer(const std::vector<std::string>& lines);

std::optional<TransferSettings> sendBarcodes(const BatchContext& context);
std::optional<TransferSettings> requestBarcodes(const BatchContext& context);
StoreOutcome storeBarcodes(const BatchContext& context, const BatchCategory& category);
// EAN.dat as a good answer gives it: the type from the first line, one row per line with a
// pattern (the number from position 17, the pattern cut to the type's length).
BarcodeTable barcodesOfAnswer(const std::vector<std::string>& lines);

}  // namespace vorn
