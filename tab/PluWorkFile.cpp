#include "tab/PluWorkFile.h"

#include <sys/stat.h>

#include "plu/PluFile.h"
#include "plu/PluTable.h"

namespace vorn {

std::optional<PluWorkFile::Identity> PluWorkFile::identityOfFile() {
    struct stat status {};
    if (::stat(plufile::kName, &status) != 0) {
        return std::nullopt;
    }
    return Identity{static_cast<unsigned long long>(status.st_dev),
                    static_cast<unsigned long long>(status.st_ino),
                    static_cast<long long>(status.st_size),
                    static_cast<long long>(status.st_mtim.tv_sec),
                    static_cast<long long>(status.st_mtim.tv_nsec)};
}

std::string PluWorkFile::read() {
    list_.clear();
    damaged_ = 0;
    // The identity before the bytes: a write in between shows as a change later, never the
    // other way round.
    fingerprint_ = identityOfFile();
    PluFileContent content = readPluFile();
    if (content.status == PluFileContent::Status::Missing) {
        fingerprint_.reset();
        return {};
    }
    if (content.status == PluFileContent::Status::Foreign) {
        return std::string(plufile::kName) + " is not a PLU file (" + plufile::kForeignMessage +
               ")";
    }
    damaged_ = content.damaged;
    list_.addAll(std::move(content.pairs));
    return {};
}

bool PluWorkFile::changedOnDisk() const {
    return identityOfFile() != fingerprint_;
}

FileProblem PluWorkFile::save() {
    FileProblem problem = savePluFile(pluFileBytesOf(list_));
    if (problem.empty()) {
        fingerprint_ = identityOfFile();
    }
    return problem;
}

}  // namespace vorn
