#include "tab/PluWorkFile.h"

#include "plu/PluFile.h"
#include "plu/PluTable.h"

namespace vorn {

std::string PluWorkFile::read() {
    list_.clear();
    damaged_ = 0;
    // The identity before the bytes: a write in between shows as a change later, never the
    // other way round.
    fingerprint_ = pluFileIdentity();
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
    return pluFileIdentity() != fingerprint_;
}

FileProblem PluWorkFile::save() {
    FileProblem problem = savePluFile(pluFileBytesOf(list_));
    if (problem.empty()) {
        fingerprint_ = pluFileIdentity();
    }
    return problem;
}

}  // namespace vorn
