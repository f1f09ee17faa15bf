#include "tab/TabCommands.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

#include "platform/Prompter.h"
#include "plu/PluFile.h"
#include "tab/PluExport.h"
#include "tab/PluImport.h"
#include "tab/PluWorkFile.h"
#include "tables/Archive.h"

namespace vorn {

CsvFileBytes readCsvFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    struct stat status {};
    if (!in || ::stat(path.c_str(), &status) != 0) {
        return {std::nullopt, "cannot read " + path + ": " + std::strerror(errno)};
    }
    if (S_ISDIR(status.st_mode)) {
        return {std::nullopt, "cannot read " + path + ": it is a directory"};
    }
    std::string bytes;
    if (S_ISREG(status.st_mode) && static_cast<std::size_t>(status.st_size) <= kMostCsvBytes) {
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    }
    char piece[1 << 16];
    while (in.read(piece, sizeof piece) || in.gcount() > 0) {
        bytes.append(piece, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMostCsvBytes) {
            return {std::nullopt, path + " is larger than " + std::to_string(kMostCsvBytes >> 20) +
                                      " MiB: that is no PLU list"};
        }
    }
    if (in.bad()) {
        return {std::nullopt, "cannot read " + path};
    }
    return {std::move(bytes), {}};
}

int exportCommand(const std::string& csvPath, std::ostream& report, std::ostream& problems) {
    PluWorkFile file;
    if (const std::string problem = file.read(); !problem.empty()) {
        problems << "vorntab: " << problem << "\n";
        return tabexit::kUnusable;
    }
    const CsvExport exported = exportPlus(file.list());
    if (const FileProblem problem = writeFileAtomically(csvPath, exported.bytes);
        !problem.empty()) {
        problems << "vorntab: " << latin1ToUtf8(problem) << "\n";
        return tabexit::kUnusable;
    }
    report << exported.exported << (exported.exported == 1 ? " PLU" : " PLUs") << " exported to "
           << csvPath << ".\n";
    if (exported.damaged > 0) {
        problems << "vorntab: " << exported.damaged << " damaged PLU record"
                 << (exported.damaged == 1 ? " was" : "s were")
                 << " left out (lines of the wrong length in " << plufile::kName << ").\n";
        return tabexit::kRowsRejected;
    }
    return tabexit::kDone;
}

int importCommand(const std::string& csvPath, const ImportOptions& options, std::ostream& report,
                  std::ostream& problems) {
    const CsvFileBytes csv = readCsvFile(csvPath);
    if (!csv.bytes) {
        problems << "vorntab: " << csv.problem << "\n";
        return tabexit::kUnusable;
    }
    PluWorkFile file;
    if (const std::string problem = file.read(); !problem.empty()) {
        problems << "vorntab: " << problem << "\n";
        return tabexit::kUnusable;
    }
    ImportPlan plan = planImport(file.list(), *csv.bytes);
    if (!plan.usable()) {
        problems << "vorntab: " << csvPath << ": " << plan.unusable << "\n";
        return tabexit::kUnusable;
    }
    report << csvPath << " (" << readingText(plan) << "): " << importSummary(plan) << "\n";
    if (!plan.ignoredColumns.empty()) {
        report << "Columns that name no PLU field, left out:";
        for (const std::string& name : plan.ignoredColumns) {
            report << " \u201C" << name << "\u201D";
        }
        report << "\n";
    }
    if (options.listChanges) {
        for (const ImportChange& change : plan.changes) {
            report << "line " << change.line << ": PLU No. " << change.pluNumber << " \u201C"
                   << change.description << "\u201D: " << change.what << "\n";
        }
    }
    for (const ImportRejection& rejection : plan.rejected) {
        problems << rejectionText(rejection) << "\n";
    }
    const int status = plan.rejected.empty() ? tabexit::kDone : tabexit::kRowsRejected;
    if (options.dryRun) {
        report << "Nothing written (dry run).\n";
        return status;
    }
    if (options.strict && !plan.rejected.empty()) {
        report << "Nothing written: rows were rejected (--strict).\n";
        return status;
    }
    if (!plan.writes()) {
        report << "Nothing to write: " << plufile::kName << " stays as it is.\n";
        return status;
    }
    applyImportPlan(plan, file.list());
    if (const FileProblem problem = file.save(); !problem.empty()) {
        problems << "vorntab: " << latin1ToUtf8(problem) << "\n";
        return tabexit::kUnusable;
    }
    report << plufile::kName << " saved.\n";
    return status;
}

}  // namespace vorn
