#include "batch/StepFiles.h"

#include "comm/RecordLine.h"
#include "comm/TableTransfer.h"
#include "comm/TransferFiles.h"
#include "platform/Prompter.h"

namespace vorn {

namespace {

// The start of trf.in as the category shows it; no value when trf.in cannot be opened.
std::optional<std::string> shownStart(const AnswerReading& reading) {
    return reading.shownAsBytes ? readFirstAnswerBytes(reading.shownLimit)
                                : readFirstAnswerLine(reading.shownLimit);
}

}  // namespace

std::optional<TransferSettings> transferOf(const std::vector<std::string>& lines,
                                           TransferSettings settings) {
    if (const FileProblem problem = writeTransferFile(lines); !problem.empty()) {
        tell(latin1ToUtf8(problem), PromptIcon::Error, transferfile::kOutUnwritable);
        return std::nullopt;
    }
    return settings;
}

void emptyTransferFile() {
    // A trf.out that cannot be emptied is told when the step writes it.
    writeTransferFile({});
}

JudgedAnswer judgeAnswer(const BatchCategory& category) {
    JudgedAnswer judged;
    const AnswerReading& reading = category.answer;
    const std::optional<std::string> start = shownStart(reading);
    if (!start) {
        if (reading.missingMessage != nullptr) {
            tell(reading.missingMessage, PromptIcon::None, transferfile::kInUnreadable);
        }
        return judged;
    }
    if (start->empty() && reading.emptyMessage != nullptr) {
        tell(reading.emptyMessage, PromptIcon::None, transferfile::kInEmpty);
        judged.outcome = StoreOutcome::ErrorAnswer;
        return judged;
    }
    if (!isSuccessLine(*start)) {
        tellTransferFailure(*start, category.errorSuffix);
        judged.outcome = StoreOutcome::ErrorAnswer;
        return judged;
    }
    std::vector<std::string> lines = readAnswerLines();
    if (const std::optional<std::string> failed = laterErrorLine(lines)) {
        tellTransferFailure(*failed + "\n", category.errorSuffix);
        judged.outcome = StoreOutcome::ErrorAnswer;
        return judged;
    }
    judged.outcome = StoreOutcome::Stored;
    judged.lines = std::move(lines);
    return judged;
}

StoreOutcome storedOrTold(const FileProblem& problem) {
    if (problem.empty()) {
        return StoreOutcome::Stored;
    }
    tell(problem, PromptIcon::Error);
    return StoreOutcome::NotStored;
}

void tellNotSent(const FileProblem& problem) {
    tell(latin1ToUtf8(problem) + "; it was not sent", PromptIcon::Warning);
}

}  // namespace vorn
