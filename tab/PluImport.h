#pragma once
// Importing a PLU spreadsheet: what a CSV file or a workbook would do to the PLUs of a list,
// worked out in full before anything is written (the plan, which the preview shows), and then
// done.
//
// Rows find their PLUs by the "PLU No." column. A listed PLU is changed field by field through
// the PLU codec: only the fields whose cells differ are written, and every other character of
// its two records stays. A PLU that is not listed starts from the default templates, as a new
// PLU of the editor. Columns are found by their headers, in any order; a file may hold only
// some of them. A row that cannot be taken is rejected with its line and the reason, and never
// stops the others.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "plu/PluList.h"
#include "plu/PluRecord.h"
#include "tab/SheetRow.h"
#include "tab/TextCoding.h"

namespace vorn {

struct ImportRejection {
    std::size_t line = 0;   // where the row starts in the file, or its row in a sheet (from 1)
    std::string pluNumber;  // the row's PLU number cell (UTF-8), perhaps empty
    std::string reason;     // UTF-8
    bool sheetRow = false;  // `line` is a workbook's row
};

struct ImportChange {
    std::size_t line = 0;
    int pluNumber = 0;
    bool added = false;
    std::string description;  // the PLU's first description line afterwards (UTF-8)
    std::string what;  // the changed fields, "Price 1.50 → 1.75; Group No. 1 → 2" (UTF-8)
};

// Cells that differed from their PLU's values only the way a spreadsheet converts number-like
// text, and were kept as they were: one entry for each kind, with how many and the first row.
struct ImportNote {
    std::string what;  // "Item No. lost its leading zeros in the spreadsheet" (UTF-8)
    std::size_t count = 0;
    std::size_t firstLine = 0;
    bool sheetRow = false;
};

struct ImportPlan {
    // Why nothing of the file can be imported (UTF-8); empty when it can.
    std::string unusable;

    TextCoding coding = TextCoding::Utf8;
    char separator = ',';                     // of a CSV file; 0 for a workbook
    std::string sheet;                        // the name of a workbook's sheet that was read
    std::vector<std::string> columns;         // the PLU columns found, in file order
    std::vector<std::string> ignoredColumns;  // headers that name no PLU field (UTF-8)

    std::size_t added = 0;
    std::size_t changed = 0;
    std::size_t unchanged = 0;
    std::vector<ImportRejection> rejected;  // by line
    std::vector<ImportChange> changes;      // by line
    std::vector<ImportNote> notes;

    // The new and changed pairs, ready for the list's add rule.
    std::vector<PluPair> pairs;

    bool usable() const { return unusable.empty(); }
    bool workbook() const { return separator == 0; }
    bool writes() const { return !pairs.empty(); }
};

// Works out what the CSV bytes would do to the list's PLUs; the list is not changed.
ImportPlan planImport(const PluList& list, std::string_view csvBytes);
// The same for the bytes of a workbook (.xlsx): its first sheet.
ImportPlan planWorkbookImport(const PluList& list, std::string_view xlsxBytes);
// The file's bytes as what they are: a workbook (a ZIP container) or CSV text.
bool isWorkbook(std::string_view bytes);
ImportPlan planFileImport(const PluList& list, std::string_view bytes);

// The rows of any file; `next` fills the next row, false at the end. The plan's `coding`,
// `separator` and `sheet` are set by the caller beforehand.
void planRows(const PluList& list, const std::function<bool(SheetRow&)>& next, ImportPlan& plan);

// Puts the plan's new and changed PLUs into the list with the add rule.
void applyImportPlan(ImportPlan& plan, PluList& list);

// "3 PLUs added, 120 changed, 877 unchanged, 2 rows rejected."
std::string importSummary(const ImportPlan& plan);
// "line 5 (PLU No. 12): Price is not a number: “1.5x”"; "row 5 ..." in a workbook.
std::string rejectionText(const ImportRejection& rejection);
// "Item No. lost its leading zeros in the spreadsheet: kept as it was (3 cells, first on line 2)."
std::string noteText(const ImportNote& note);
// "UTF-8, separated by commas"; "a workbook, sheet “PLUs”"
std::string readingText(const ImportPlan& plan);

}  // namespace vorn
