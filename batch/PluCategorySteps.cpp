#include "batch/PluCategorySteps.h"

#include "batch/StepFiles.h"
#include "comm/ReceiveGuard.h"
#include "comm/TableTransfer.h"
#include "platform/Prompter.h"
#include "plu/PluFile.h"
#include "plu/PluTransfer.h"

namespace vorn {

namespace {

std::string damagedMessage(std::size_t count) {
    return "The PLU file (" + std::string(plufile::kName) + ") holds " + std::to_string(count) +
           " damaged PLU" + (count == 1 ? "" : "s") + " (open the PLU list to mend " +
           (count == 1 ? "it" : "them") + ")";
}

}  // namespace

std::optional<std::vector<PluPair>> pluPairsToSend(const BatchContext& context) {
    PluFileContent content = readPluFile();
    switch (content.status) {
        case PluFileContent::Status::Missing:
            return std::nullopt;
        case PluFileContent::Status::Foreign:
            context.addLog(plufile::kForeignMessage);
            tell(
                std::string(plufile::kName) + ": " + plufile::kForeignMessage + " No PLU was sent.",
                PromptIcon::Warning);
            return std::vector<PluPair>{};
        case PluFileContent::Status::Read:
            break;
    }
    if (content.damaged > 0) {
        tellNotSent(damagedMessage(content.damaged));
        return std::nullopt;
    }
    return std::move(content.pairs);
}

std::optional<TransferSettings> sendPluFile(const BatchContext& context) {
    context.addLog(plubatch::kBeginLog);
    const std::optional<std::vector<PluPair>> pairs = pluPairsToSend(context);
    if (!pairs) {
        return std::nullopt;
    }
    // A file that is no PLU file still runs a transfer, of nothing, which ends at once.
    return transferOf(pluSendLines(*pairs), plubatch::kSendSettings);
}

std::optional<TransferSettings> requestPluTable(const BatchContext&) {
    return transferOf({pluRequestLine(), labelRequestLine()}, plubatch::kRequestSettings);
}

StoreOutcome storePluTable(const BatchContext&, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    const SplitAnswers split = splitAnswers(answer.lines);
    if (split.foreignLine) {
        tellTransferFailure(*split.foreignLine + "\n", category.errorSuffix);
        return StoreOutcome::ErrorAnswer;
    }
    if (const std::string misfit = pluAnswerMisfit(split); !misfit.empty()) {
        refuseAnswer(misfit);
        return StoreOutcome::ErrorAnswer;
    }
    // The split is kept in trf1.in and trf2.in, as a reception by the PLU list leaves it.
    if (!writeSplitAnswers(split)) {
        return StoreOutcome::NotStored;
    }
    const std::vector<PluPair> received = receivedPluPairs(split);
    const PluFileContent kept = readPluFile();
    if (!receiveMayReplace(
            {category.caption, {plufile::kName}, kept.pairs.size(), received.size()})) {
        return StoreOutcome::NotStored;
    }
    return storedOrTold(savePluFile(pluFileBytes(received)));
}

}  // namespace vorn
