#pragma once
// One row of a spreadsheet as the import reads it, whatever the file: the cells' texts and how
// the file holds each (a CSV file holds only text; a workbook also numbers, booleans, error
// values and formulas).

#include <cstddef>
#include <string>
#include <vector>

namespace vorn {

enum class CellType {
    Text,
    Number,   // the number as the file writes it: "1.25", "1E-3", "99999.990000000002"
    Boolean,  // "TRUE" or "FALSE"
    Error,    // the error value: "#VALUE!"
    Formula,  // a formula; its text is the value the spreadsheet computed last
};

struct SheetRow {
    std::size_t line = 0;  // a CSV file's line, a workbook's row (from 1)
    std::vector<std::string> cells;
    std::vector<CellType> types;  // empty: every cell is text

    CellType typeOf(std::size_t cell) const {
        return cell < types.size() ? types[cell] : CellType::Text;
    }
};

}  // namespace vorn
