#include "tab/TabCommands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "platform/Prompter.h"
#include "plu/PluFile.h"
#include "tab/PluExport.h"
#include "tab/PluImport.h"
#include "tab/PluWorkFile.h"
#include "tab/XlsxExport.h"
#include "tables/Archive.h"

namespace vorn {

CsvFileBytes readCsvFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {std::nullopt, "cannot read " + path + ": " + std::strerror(errno)};
    }
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(status)) {
        return {std::nullopt, "cannot read " + path + ": it is a directory"};
    }
    std::string bytes;
    if (std::filesystem::is_regular_file(status)) {
        if (const std::uintmax_t size = std::filesystem::file_size(path, ec);
            !ec && size <= kMostCsvBytes) {
            bytes.reserve(static_cast<std::size_t>(size));
        }
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

bool isWorkbookPath(std::string_view path) {
    if (path.size() < 5) {
        return false;
    }
    std::string end(path.substr(path.size() - 5));
    for (char& c : end) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return end == ".xlsx";
}

ExportResult exportToFile(const PluList& list, const std::string& path) {
    ExportResult result;
    std::string bytes;
    if (isWorkbookPath(path)) {
        WorkbookExport exported = exportWorkbook(list);
        if (!exported.problem.empty()) {
            result.problem = std::move(exported.problem);
            return result;
        }
        bytes = std::move(exported.bytes);
        result.exported = exported.exported;
        result.damaged = exported.damaged;
    } else {
        CsvExport exported = exportPlus(list);
        bytes = std::move(exported.bytes);
        result.exported = exported.exported;
        result.damaged = exported.damaged;
    }
    if (const FileProblem problem = writeFileAtomically(path, bytes); !problem.empty()) {
        result.problem = latin1ToUtf8(problem);
    }
    return result;
}

int exportCommand(const std::string& path, std::ostream& report, std::ostream& problems) {
    PluWorkFile file;
    if (const std::string problem = file.read(); !problem.empty()) {
        problems << "vorntab: " << problem << "\n";
        return tabexit::kUnusable;
    }
    const ExportResult exported = exportToFile(file.list(), path);
    if (!exported.problem.empty()) {
        problems << "vorntab: " << exported.problem << "\n";
        return tabexit::kUnusable;
    }
    report << exported.exported << (exported.exported == 1 ? " PLU" : " PLUs") << " exported to "
           << path << ".\n";
    if (exported.damaged > 0) {
        problems << "vorntab: " << exported.damaged << " damaged PLU record"
                 << (exported.damaged == 1 ? " was" : "s were")
                 << " left out (lines of the wrong length in " << plufile::kName << ").\n";
        return tabexit::kRowsRejected;
    }
    return tabexit::kDone;
}

int importCommand(const std::string& path, const ImportOptions& options, std::ostream& report,
                  std::ostream& problems) {
    const CsvFileBytes csv = readCsvFile(path);
    if (!csv.bytes) {
        problems << "vorntab: " << csv.problem << "\n";
        return tabexit::kUnusable;
    }
    PluWorkFile file;
    if (const std::string problem = file.read(); !problem.empty()) {
        problems << "vorntab: " << problem << "\n";
        return tabexit::kUnusable;
    }
    ImportPlan plan = planFileImport(file.list(), *csv.bytes);
    if (!plan.usable()) {
        problems << "vorntab: " << path << ": " << plan.unusable << "\n";
        return tabexit::kUnusable;
    }
    report << path << " (" << readingText(plan) << "): " << importSummary(plan) << "\n";
    for (const ImportNote& note : plan.notes) {
        report << noteText(note) << ".\n";
    }
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
