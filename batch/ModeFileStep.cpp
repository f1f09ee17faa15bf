#include "batch/ModeFileStep.h"

#include <string>

#include "batch/StepFiles.h"
#include "comm/TransferFiles.h"
#include "editors/setup/OperatorConfig.h"
#include "platform/Prompter.h"
#include "tables/Archive.h"
#include "tables/AtomicSave.h"
#include "tables/TextFiles.h"

namespace vorn {

std::optional<TransferSettings> sendModeFile(const BatchContext&) {
    const std::optional<std::string> bytes = readFileBytes(moderecord::kFile);
    if (!bytes) {
        return std::nullopt;
    }
    // The file goes as it is; one that holds no configuration record is not sent at all.
    if (!recordOfLine(firstLineOfText(*bytes, moderecord::kLineLimit))) {
        tellNotSent(std::string(moderecord::kFile) + " holds no configuration record");
        return std::nullopt;
    }
    if (const FileProblem problem = writeFileAtomically(transferfile::kOut, *bytes);
        !problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Error, transferfile::kOutUnwritable);
        return std::nullopt;
    }
    return TransferSettings{};
}

}  // namespace vorn
