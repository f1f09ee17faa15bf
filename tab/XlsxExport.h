#pragma once
// Exporting PLUs to an Excel workbook (.xlsx) with libxlsxwriter, so that a spreadsheet guesses
// nothing: one sheet "PLUs", its first row the column names (frozen), then one row per PLU in
// the list's order. Texts are text cells in columns formatted as text (a description "=1+2" or
// "0815" stays that text, and so does what is typed there later), prices and weights are
// numbers with two and three decimals shown, the other numbers whole numbers, and the yes/no
// and list columns text cells with a drop-down of their entries.

#include <cstddef>
#include <string>

#include "plu/PluList.h"

namespace vorn {

inline constexpr const char* kWorkbookSheetName = "PLUs";

struct WorkbookExport {
    std::string bytes;  // the workbook; empty when `problem` says why not
    std::string problem;
    std::size_t exported = 0;
    std::size_t damaged = 0;  // PLUs whose records have the wrong length, left out
};

WorkbookExport exportWorkbook(const PluList& list);

}  // namespace vorn
