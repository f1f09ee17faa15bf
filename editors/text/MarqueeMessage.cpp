#include "editors/text/MarqueeMessage.h"

#include "tables/TextPieces.h"

namespace vorn {

namespace {

std::string asItIs(std::string_view text) {
    return std::string(text);
}

}  // namespace

const SingleTextKind& marqueeTable() {
    static const SingleTextKind kind{
        .file = tablefile::kMarquee,
        .batchFile = tablefile::kMarquee,
        .trimOnOpen = true,
        .recordFormat = marquee::kRecordFormat,
        .recordTextWidth = marquee::kTextWidth,
        .recordText = &asItIs,
        .textOfAnswer = &marqueeOfAnswer,
        .batchTextOfAnswer = &marqueeOfAnswer,
        .requestLine = marquee::kRequestLine,
        .transferMessage = marquee::kTransferMessage,
        .errorSuffix = marquee::kErrorSuffix,
        .answerLineLimit = marquee::kAnswerLineLimit,
        .what = "the message",
    };
    return kind;
}

std::string marqueeRecord(const std::string& message) {
    return singleTextRecord(marqueeTable(), message);
}

std::string marqueeOfAnswer(std::string_view line) {
    return std::string(field(line, marquee::kTextPos, marquee::kTextWidth));
}

}  // namespace vorn
