#pragma once
// The columns of a PLU spreadsheet: one per field of the PLU editor, each with the header that
// names it, the way a PLU's value is written in its cell, and the way a cell changes the value.
// A changed value passes the editor's own rules (its entry limits, its range checks with their
// messages, the entries of its lists); a value a PLU already holds is never refused, so a PLU
// that came from the scale with a value the editor would not take survives a round trip.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "plu/PluRecord.h"
#include "tab/TextCoding.h"

namespace vorn {

enum class PluColumn {
    PluNumber,
    ItemNumber,
    Description1,
    Description2,
    Price,
    GroupNumber,
    TareNumber,
    VatNumber,
    ByCount,
    OpenPrice,
    Discount,
    Fixweight,
    LabelNumber,
    Alignment,
    FontSize1,
    FontSize2,
    ExtraFontSize,
    PrintStoreAddress,
    AdvertisingTextNumber,
    ExtraTextNumber,
    PackDateText,
    PackFormat,
    BestBeforeDateText,
    BestBeforeFormat,
    BestBeforeDays,
    SellByDateText,
    SellByFormat,
    SellByDays,
};

// Every column, in the order of an exported file.
std::span<const PluColumn> allPluColumns();
// The header of a column in an exported file, e.g. "Price".
const char* columnHeader(PluColumn column);
// The column a header names: its own header or a usual other name ("PLU", "Item Number"),
// whatever its case, blanks and punctuation.
std::optional<PluColumn> columnOfHeader(std::string_view header);

// A PLU's value as its cell shows it (single-byte text): numbers without leading zeros, the
// price with two decimals, the fixweight in pounds with three, check boxes as "yes" or "no",
// the alignment and the print formats by the names the editor shows.
std::string cellOf(PluColumn column, const PluValues& values);

struct CellReading {
    TextCoding coding = TextCoding::Utf8;  // of the descriptions
    char separator = ',';                  // with ';' a decimal comma is taken as the point
};

struct CellChange {
    enum class Kind {
        Keep,    // the cell is empty, or holds the value the PLU has
        Change,  // the value was changed
        Reject,  // the cell cannot be taken: `reason` says why (UTF-8)
    };
    Kind kind = Kind::Keep;
    std::string reason;
};

// Applies a cell to a PLU's values. An empty cell keeps the value, except in the description
// columns, where it is the empty text.
CellChange applyCell(PluColumn column, std::string_view cell, const CellReading& reading,
                     PluValues& values);

// A number text as a cell shows it: without leading zeros ("0" for none or an empty text). A
// text that is not all digits stays as it is.
std::string plainNumber(std::string_view digits);

}  // namespace vorn
