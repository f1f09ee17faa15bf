#pragma once
// The barcode formats: up to eight code patterns, numbered 0 to 8, that share one barcode type,
// UPC (patterns of 11 characters) or EAN (12 characters). Edited as a numbered table whose
// type choice lives in the fields.

#include <string>
#include <string_view>
#include <vector>

#include "editors/kit/NumberedTable.h"

namespace vorn {

namespace barcode {
inline constexpr int kUpc = 0;
inline constexpr int kEan = 1;
// The pattern begins at position 19 of a record; what follows it tells the type.
inline constexpr std::size_t kPatternPos = 19;
// The batch transfer takes a format's number from position 17 alone.
inline constexpr std::size_t kBatchNumberDigit = 17;
inline constexpr const char* kChangeQuestion =
    "This change will erease all existed BarCode,\n Are you sure?";
}  // namespace barcode

const NumberedTableKind& barcodeTable();

// The batch transfer's round trip, on EAN.dat as it is: a type other than UPC and EAN sends no
// format, a pattern longer than its type allows is not sent; an answer's table is barcodesOfAnswer.
TableRoundTrip<BarcodeTable> barcodeBatchRoundTrip();
// EAN.dat as a good answer gives it: the type from the first line, one row per line with a
// pattern (the number from position 17, the pattern cut to the type's length).
BarcodeTable barcodesOfAnswer(const std::vector<std::string>& lines);

// The pattern length of a type: UPC 11, EAN 12 (by the type modulo 2).
int barcodePatternLength(int type);

// The record line of a format: "00021400000001" and "00", the number in two digits, "0", then
// for UPC the pattern in 11 characters, "C" and six zeros; for EAN the pattern in 12
// characters, "C" and five zeros. No line end.
std::string barcodeRecord(int type, int number, std::string_view pattern);

// The tail of an answer line: the characters from position 19, without blanks and line ends
// at both ends.
std::string barcodeTail(std::string_view line);
// The type an answer's first line shows: UPC when the last "C" of its tail stands at index 11,
// EAN otherwise.
int barcodeTypeOfTail(std::string_view tail);

}  // namespace vorn
