#pragma once
// The columns of a PLU spreadsheet: one per field of the PLU editor, each with the header that
// names it, the way a PLU's value is written in its cell, and the way a cell changes the value.
// A changed value passes the editor's own rules (its entry limits, its range checks with their
// messages, the entries of its lists); a value a PLU already holds is never refused, so a PLU
// that came from the scale with a value the editor would not take survives a round trip.
//
// A cell is also checked for what spreadsheets do to values: formulas and their error values
// are refused, a number-like text that a spreadsheet converted (leading zeros dropped, "1E3"
// written as 1000, "1/2" taken for a date) keeps the PLU's value with a note, a fixweight that
// a locale with "." as the thousands separator read as 1000 times its value is refused with
// the cause, floating-point noise is rounded away, and a character that is a control character
// in the scale's character set, or UTF-8 that was read as single bytes, is refused.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "plu/PluRecord.h"
#include "tab/SheetRow.h"
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

// How a column's cells are written to a workbook.
enum class PluCellKind {
    Text,    // a text cell: the descriptions, and the item number with its leading zeros
    Whole,   // a whole number
    Amount,  // a number with `decimalsOf` decimals
    Choice,  // a text cell, one of `choicesOf`
};
PluCellKind cellKindOf(PluColumn column);
int decimalsOf(PluColumn column);
// The entries a choice column takes ("yes", "no"; the names of the alignments and formats).
std::vector<std::string> choicesOf(PluColumn column);

struct CellReading {
    TextCoding coding = TextCoding::Utf8;  // of the file's text
    // A CSV file's separator; with ';' a decimal comma is taken as the point. 0 for a workbook.
    char separator = ',';
    bool csv() const { return separator != 0; }
};

struct Cell {
    std::string_view text;
    CellType type = CellType::Text;
};

struct CellChange {
    enum class Kind {
        Keep,    // the cell is empty, or holds the value the PLU has
        Change,  // the value was changed
        Reject,  // the cell cannot be taken: `reason` says why (UTF-8)
    };
    Kind kind = Kind::Keep;
    std::string reason;
    // Kept although the cell differs: how a spreadsheet changed the value ("lost its leading
    // zeros"); empty otherwise.
    std::string note;
};

// Applies a cell to a PLU's values. An empty cell keeps the value, except in the description
// columns, where it is the empty text.
CellChange applyCell(PluColumn column, const Cell& cell, const CellReading& reading,
                     PluValues& values);

// A number text as a cell shows it: without leading zeros ("0" for none or an empty text). A
// text that is not all digits stays as it is.
std::string plainNumber(std::string_view digits);

}  // namespace vorn
