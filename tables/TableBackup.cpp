#include "tables/TableBackup.h"

#include <filesystem>
#include <optional>

#include "tables/Archive.h"
#include "tables/AtomicSave.h"

namespace vorn {

std::string backupPathOf(const std::string& file) {
    return std::string(tablebackup::kDirectory) + "/" + file;
}

FileProblem keepBackup(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        const std::optional<std::string> bytes = readFileBytes(file);
        if (!bytes) {
            continue;
        }
        std::error_code ec;
        std::filesystem::create_directory(tablebackup::kDirectory, ec);
        if (ec) {
            return "Can't make the folder " + std::string(tablebackup::kDirectory) +
                   " for the backup of " + file + ": " + ec.message();
        }
        if (FileProblem problem = writeFileAtomically(backupPathOf(file), *bytes);
            !problem.empty()) {
            return problem;
        }
    }
    return {};
}

bool hasBackup(const std::string& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(backupPathOf(file), ec);
}

FileProblem restoreBackup(const std::string& file) {
    const std::optional<std::string> bytes = readFileBytes(backupPathOf(file));
    if (!bytes) {
        return "There is no backup of " + file + " to restore";
    }
    return writeFileAtomically(file, *bytes);
}

}  // namespace vorn
