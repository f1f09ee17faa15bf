#pragma once
// vorntab's two commands without a window, for back-office scripts: export the PLUs of
// plurec.dat in the current directory to a workbook (.xlsx) or a CSV file, or import either
// into it. What they say goes to two streams (the report and the problems), and the result is
// the exit status.

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

class PluList;

namespace tabexit {
inline constexpr int kDone = 0;
inline constexpr int kRowsRejected = 1;  // import: some rows were left out; export: damaged PLUs
inline constexpr int kUnusable = 2;      // nothing could be done: the file, or plurec.dat
}  // namespace tabexit

// The most bytes of a spreadsheet file that are read; a larger file is refused.
inline constexpr std::size_t kMostCsvBytes = std::size_t{256} << 20;

struct CsvFileBytes {
    std::optional<std::string> bytes;
    std::string problem;  // UTF-8, when there are no bytes
};
// Reads a spreadsheet file whole, up to kMostCsvBytes.
CsvFileBytes readCsvFile(const std::string& path);

// An export to this path is a workbook: its name ends in ".xlsx" (in any case).
bool isWorkbookPath(std::string_view path);

struct ExportResult {
    std::string problem;  // UTF-8; empty when the file was written
    std::size_t exported = 0;
    std::size_t damaged = 0;  // PLUs left out: their records have the wrong length
};
// Writes the PLUs of the list to `path` safely, as a workbook or as CSV by its name.
ExportResult exportToFile(const PluList& list, const std::string& path);

int exportCommand(const std::string& path, std::ostream& report, std::ostream& problems);

struct ImportOptions {
    bool dryRun = false;       // say what would change, write nothing
    bool strict = false;       // write nothing when a row is rejected
    bool listChanges = false;  // name every added and changed PLU
};
// Imports a workbook or a CSV file, told apart by their bytes.
int importCommand(const std::string& path, const ImportOptions& options, std::ostream& report,
                  std::ostream& problems);

}  // namespace vorn
