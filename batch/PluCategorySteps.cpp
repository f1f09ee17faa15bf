#include "batch/PluCategorySteps.h"

#include "batch/StepFiles.h"
#include "comm/TableTransfer.h"
#include "platform/Prompter.h"
#include "plu/PluFile.h"
#include "plu/PluTransfer.h"

namespace vorn {

namespace {

std::string damagedMessage(std::size_t count) {
    return std::string(plufile::kName) + " holds " + std::to_string(count) + " damaged PLU" +
           (count == 1 ? "" : "s") + " (open the PLU list to mend " + (count == 1 ? "it" : "them") +
           ")";
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

std::vector<std::string> pluSendLinesOf(const std::vector<PluPair>& pairs) {
    std::vector<std::string> lines;
    lines.reserve(2 * pairs.size());
    for (const PluPair& pair : pairs) {
        lines.push_back(pair.plu);
        lines.push_back(pair.label);
    }
    return lines;
}

std::optional<TransferSettings> sendPluFile(const BatchContext& context) {
    context.addLog(plubatch::kBeginLog);
    const std::optional<std::vector<PluPair>> pairs = pluPairsToSend(context);
    if (!pairs) {
        return std::nullopt;
    }
    // A file that is no PLU file still runs a transfer, of nothing, which ends at once.
    return transferOf(pluSendLinesOf(*pairs), plubatch::kSendSettings);
}

std::optional<TransferSettings> requestPluTable(const BatchContext&) {
    return transferOf({pluRequestLine(), labelRequestLine()}, plubatch::kRequestSettings);
}

std::vector<PluPair> receivedPluPairs(const SplitAnswers& split) {
    // Each PLU gets the label-data record of its own number, so that a PLU whose label data did
    // not come cannot shift the others' onto the wrong PLUs.
    std::vector<PluPair> pairs;
    for (ReceivedPlu& plu : pairReceived(split.pluLines, split.labelLines)) {
        pairs.push_back({asStoredRecord(std::move(plu.plu)), asStoredRecord(std::move(plu.label))});
    }
    return pairs;
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
    // The split is kept in trf1.in and trf2.in, as a reception by the PLU list leaves it.
    if (!writeSplitAnswers(split)) {
        return StoreOutcome::NotStored;
    }
    const std::vector<PluPair> pairs = receivedPluPairs(split);
    std::string bytes = pluFileStart();
    bytes.reserve(bytes.size() + pairs.size() * (plurecord::kLength + labelrecord::kLength + 4));
    for (const PluPair& pair : pairs) {
        appendPluPair(bytes, pair);
    }
    return storedOrTold(savePluFile(bytes));
}

}  // namespace vorn
