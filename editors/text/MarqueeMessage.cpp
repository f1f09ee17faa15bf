#include "editors/text/MarqueeMessage.h"

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
    return TransferRequest{marquee::kTransferMessage, receive, 0, 1, false};
}

AnswerCheck answerCheck() {
    return AnswerCheck{marquee::kErrorSuffix, marquee::kAnswerLineLimit};
}
}  // namespace

std::string marqueeRecord(const std::string& message) {
    return cformat(marquee::kRecordFormat, {cutTo(message, marquee::kTextWidth)});
}

std::string marqueeOfAnswer(std::string_view line) {
    return std::string(field(line, marquee::kTextPos, marquee::kTextWidth));
}

void MarqueeMessage::open() {
    const LoadedRows<NumberWordRow> loaded = loadNumberWordFile(tablefile::kMarquee);
    text = loaded.rows.empty() ? std::string() : rightTrimmed(loaded.rows.front().value);
    if (!loaded.problem.empty()) {
        tell(loaded.problem, PromptIcon::Warning);
    }
}

bool MarqueeMessage::save() const {
    const FileProblem problem = saveNumberWordFile(tablefile::kMarquee, {{kRowNumber, text}});
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error);
        return false;
    }
    return true;
}

void MarqueeMessage::send() {
    runTableTransfer({marqueeRecord(text)}, request(false), answerCheck());
}

void MarqueeMessage::receive() {
    if (runTableTransfer({marquee::kRequestLine}, request(true), answerCheck()) ==
        TransferResult::Succeeded) {
        const std::vector<std::string> lines = readAnswerLines();
        text = lines.empty() ? std::string() : marqueeOfAnswer(lines.front());
    }
}

}  // namespace vorn
