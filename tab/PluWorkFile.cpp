#include "tab/PluWorkFile.h"

#include <functional>
#include <string_view>

#include "plu/PluFile.h"
#include "plu/PluTable.h"
#include "tables/Archive.h"

namespace vorn {

namespace {

std::optional<std::size_t> fingerprintOf(const std::optional<std::string>& bytes) {
    if (!bytes) {
        return std::nullopt;
    }
    return std::hash<std::string_view>{}(*bytes) ^ bytes->size();
}

}  // namespace

std::string PluWorkFile::read() {
    list_.clear();
    damaged_ = 0;
    std::optional<std::string> bytes = readFileBytes(plufile::kName);
    fingerprint_ = fingerprintOf(bytes);
    if (!bytes) {
        return {};
    }
    PluFileContent content = parsePluFile(*bytes);
    bytes.reset();
    if (content.status == PluFileContent::Status::Foreign) {
        return std::string(plufile::kName) + " is not a PLU file (" + plufile::kForeignMessage +
               ")";
    }
    damaged_ = content.damaged;
    list_.addAll(std::move(content.pairs));
    return {};
}

bool PluWorkFile::changedOnDisk() const {
    return fingerprintOf(readFileBytes(plufile::kName)) != fingerprint_;
}

FileProblem PluWorkFile::save() {
    std::string bytes = pluFileBytesOf(list_);
    FileProblem problem = savePluFile(bytes);
    if (problem.empty()) {
        fingerprint_ = fingerprintOf(bytes);
    }
    return problem;
}

}  // namespace vorn
