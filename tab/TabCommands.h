#pragma once
// vorntab's two commands without a window, for back-office scripts: export the PLUs of
// plurec.dat in the current directory to a CSV file, or import a CSV file into it. What they
// say goes to two streams (the report and the problems), and the result is the exit status.

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

namespace vorn {

namespace tabexit {
inline constexpr int kDone = 0;
inline constexpr int kRowsRejected = 1;  // import: some rows were left out; export: damaged PLUs
inline constexpr int kUnusable = 2;      // nothing could be done: the file, or plurec.dat
}  // namespace tabexit

// The most bytes of a CSV file that are read; a larger file is refused.
inline constexpr std::size_t kMostCsvBytes = std::size_t{256} << 20;

struct CsvFileBytes {
    std::optional<std::string> bytes;
    std::string problem;  // UTF-8, when there are no bytes
};
// Reads a CSV file whole, up to kMostCsvBytes.
CsvFileBytes readCsvFile(const std::string& path);

int exportCommand(const std::string& csvPath, std::ostream& report, std::ostream& problems);

struct ImportOptions {
    bool dryRun = false;       // say what would change, write nothing
    bool strict = false;       // write nothing when a row is rejected
    bool listChanges = false;  // name every added and changed PLU
};
int importCommand(const std::string& csvPath, const ImportOptions& options, std::ostream& report,
                  std::ostream& problems);

}  // namespace vorn
