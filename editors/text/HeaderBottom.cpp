#include "editors/text/HeaderBottom.h"

#include "comm/RecordLine.h"
#include "comm/TableTransfer.h"
#include "editors/kit/RecordText.h"
#include "platform/Prompter.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TableFiles.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

TransferRequest request(bool receive) {
    return TransferRequest{headerbottom::kTransferMessage, receive, 0, 1, false};
}

AnswerCheck answerCheck() {
    return AnswerCheck{headerbottom::kErrorSuffix, headerbottom::kAnswerLineLimit};
}

void takeLine(const std::string& line, LabelSide& side) {
    if (!decodeLabelSide(labelTextOfAnswer(line), side)) {
        tell(badLabelTextMessage(), PromptIcon::Warning);
    }
}

}  // namespace

std::string headerBottomRecord(int row, const std::string& encodedText) {
    return cformat(headerbottom::kRecordFormat,
                   {row, cutTo(encodedText, headerbottom::kTextWidth)});
}

std::string labelTextOfAnswer(std::string_view line, std::size_t width, char lineBreak) {
    return decodeLabelBreaks(rightTrimmed(std::string(field(line, headerbottom::kTextPos, width))),
                             lineBreak);
}

void HeaderBottom::open() {
    const LoadedHeaderBottom loaded = loadHeaderBottomFile();
    const HeaderBottomTexts& t = loaded.texts;
    header = {t.header, t.headerCentred != 0 ? 1 : 0, t.headerFont};
    bottom = {t.bottom, t.bottomCentred != 0 ? 1 : 0, t.bottomFont};
    if (!loaded.problem.empty()) {
        tell(loaded.problem, PromptIcon::Warning);
    }
}

HeaderBottom::Field HeaderBottom::checkFonts() {
    if (intValue(bottom.font) > labeltext::kHighestFont) {
        bottom.font.clear();
        return Field::BottomFont;
    }
    if (intValue(header.font) > labeltext::kHighestFont) {
        tell(headerbottom::kFontRangeMessage);
        header.font.clear();
        return Field::HeaderFont;
    }
    return Field::None;
}

void HeaderBottom::fillEmptyFonts() {
    for (LabelSide* side : {&header, &bottom}) {
        if (side->font.empty()) {
            side->font = labeltext::kDefaultFont;
        }
    }
}

bool HeaderBottom::save(Field* refused) {
    const Field field = checkFonts();
    if (refused != nullptr) {
        *refused = field;
    }
    if (field != Field::None) {
        return false;
    }
    fillEmptyFonts();
    const FileProblem problem = saveHeaderBottomFile(HeaderBottomTexts{
        header.text, bottom.text, header.centred, header.font, bottom.centred, bottom.font});
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error);
        return false;
    }
    return true;
}

bool HeaderBottom::send(Field* refused) {
    fillEmptyFonts();
    const Field field = checkFonts();
    if (refused != nullptr) {
        *refused = field;
    }
    if (field != Field::None) {
        return false;
    }
    runTableTransfer({headerBottomRecord(headerbottom::kHeaderRow, encodeLabelSide(header)),
                      headerBottomRecord(headerbottom::kBottomRow, encodeLabelSide(bottom))},
                     request(false), answerCheck());
    return true;
}

void HeaderBottom::receive() {
    if (runTableTransfer({headerbottom::kRequestLine}, request(true), answerCheck()) ==
        TransferResult::Succeeded) {
        takeAnswer(readAnswerLines());
    }
}

void HeaderBottom::takeAnswer(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0) {
            takeLine(lines[i], header);
        } else if (isAnswerRecord(lines[i])) {
            takeLine(lines[i], bottom);
        }
    }
}

}  // namespace vorn
