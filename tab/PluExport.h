#pragma once
// Exporting PLUs to a spreadsheet: a CSV file in UTF-8 (with the byte order mark, so that
// spreadsheets take it as UTF-8), separated by commas, with CR LF line ends. Its first row
// names the columns; then one row per PLU, in the list's order, with every field of the PLU
// editor. A text that a spreadsheet would take for a formula (it starts with = + - @, a TAB or
// a CR) is written after an apostrophe, which the import takes away again.

#include <cstddef>
#include <string>

#include "plu/PluList.h"

namespace vorn {

struct CsvExport {
    std::string bytes;
    std::size_t exported = 0;
    // PLUs whose records have the wrong length: they cannot be read field by field and are
    // left out.
    std::size_t damaged = 0;
};

CsvExport exportPlus(const PluList& list);

}  // namespace vorn
