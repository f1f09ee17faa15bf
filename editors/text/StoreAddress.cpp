#include "editors/text/StoreAddress.h"

#include "comm/TableTransfer.h"
#include "editors/kit/RecordText.h"
#include "platform/Prompter.h"
#include "tables/PrintfFormat.h"
#include "tables/TableFiles.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {
constexpr int kRowNumber = 1;

TransferRequest request(bool receive) {
    return TransferRequest{storeaddress::kTransferMessage, receive, 0, 1, false};
}

AnswerCheck answerCheck() {
    return AnswerCheck{storeaddress::kErrorSuffix, storeaddress::kAnswerLineLimit};
}
}  // namespace

std::string storeAddressRecord(const std::string& address) {
    return cformat(storeaddress::kRecordFormat,
                   {cutTo(twoLineRecordText(address), storeaddress::kTextWidth)});
}

std::string storeAddressOfAnswer(std::string_view line, std::size_t width, char lineBreak) {
    return breaksToCrlf(rightTrimmed(std::string(field(line, storeaddress::kTextPos, width))),
                        lineBreak);
}

void StoreAddress::open() {
    const LoadedRows<NumberWordRow> loaded = loadNumberWordFile(tablefile::kStoreAddress);
    text = loaded.rows.empty() ? std::string() : loaded.rows.front().value;
    if (!loaded.problem.empty()) {
        tell(loaded.problem, PromptIcon::Warning);
    }
}

bool StoreAddress::save() const {
    const FileProblem problem = saveNumberWordFile(tablefile::kStoreAddress, {{kRowNumber, text}});
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error);
        return false;
    }
    return true;
}

void StoreAddress::send() {
    runTableTransfer({storeAddressRecord(text)}, request(false), answerCheck());
}

void StoreAddress::receive() {
    if (runTableTransfer({storeaddress::kRequestLine}, request(true), answerCheck()) ==
        TransferResult::Succeeded) {
        const std::vector<std::string> lines = readAnswerLines();
        text = lines.empty() ? std::string() : storeAddressOfAnswer(lines.front());
    }
}

}  // namespace vorn
