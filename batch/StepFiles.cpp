#include "batch/StepFiles.h"

#include "comm/RecordLine.h"
#include "comm/TransferFiles.h"
#include "editors/TableTransfer.h"
#include "platform/Prompter.h"

namespace vorn {

std::optional<TransferSettings> transferOf(const std::vector<std::string>& lines,
                                           TransferSettings settings) {
    if (!writeTransferFile(lines)) {
        tell(std::string("Can't write ") + transferfile::kOut + "!", PromptIcon::Error);
        return std::nullopt;
    }
    return settings;
}

JudgedAnswer judgeAnswer(const BatchCategory& category) {
    JudgedAnswer judged;
    const std::optional<std::string> first = readFirstAnswerLine();
    if (!first) {
        return judged;
    }
    if (!isSuccessLine(*first)) {
        tellTransferFailure(*first, category.errorSuffix);
        judged.outcome = StoreOutcome::ErrorAnswer;
        return judged;
    }
    judged.outcome = StoreOutcome::Stored;
    judged.lines = readAnswerLines();
    return judged;
}

StoreOutcome storedOrTold(const FileProblem& problem) {
    if (problem.empty()) {
        return StoreOutcome::Stored;
    }
    tell(problem, PromptIcon::Error);
    return StoreOutcome::NotStored;
}

}  // namespace vorn
