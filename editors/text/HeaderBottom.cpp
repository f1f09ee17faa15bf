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

void takeLine(const std::string& text, LabelSide& side) {
    if (!decodeLabelSide(text, side)) {
        tell(badLabelTextMessage(), PromptIcon::Warning);
    }
}

LabelSide sideOf(const std::string& text, std::int32_t centred, const std::string& font) {
    return {text, centred != 0 ? 1 : 0, font};
}

HeaderBottomTexts textsOf(const LabelSides& sides) {
    return {sides.header.text, sides.bottom.text,    sides.header.centred,
            sides.header.font, sides.bottom.centred, sides.bottom.font};
}

LabelSides sidesOf(const HeaderBottomTexts& t) {
    return {sideOf(t.header, t.headerCentred, t.headerFont),
            sideOf(t.bottom, t.bottomCentred, t.bottomFont)};
}

AnswerRows<LabelSides> sidesOfAnswer(const std::vector<std::string>& lines,
                                     const LabelSides& before) {
    AnswerRows<LabelSides> answer{before, {}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0) {
            takeLine(labelTextOfAnswer(lines[i]), answer.rows.header);
        } else if (isAnswerRecord(lines[i])) {
            takeLine(labelTextOfAnswer(lines[i]), answer.rows.bottom);
        }
    }
    return answer;
}

LoadedTable<HeaderBottomTexts> loadBatchTexts() {
    LoadedHeaderBottom loaded = loadHeaderBottomFile();
    // A file of no rows sends nothing, as a missing one; a damaged one is told.
    const bool found = loaded.found && (loaded.rowCount != 0 || !loaded.problem.empty());
    return {found, std::move(loaded.texts), loaded.problem};
}

TableRecords batchRecords(const HeaderBottomTexts& texts) {
    // The stored texts go without their lead character and font code, each break as a blank
    // and code 210.
    const std::string header = crlfToBreaks(texts.header, kBatchSentBreak);
    const std::string bottom = crlfToBreaks(texts.bottom, kBatchSentBreak);
    if (header.size() > headerbottom::kTextWidth || bottom.size() > headerbottom::kTextWidth) {
        return TableRecords{.problem = std::string(tablefile::kHeaderBottom.name) +
                                       ": a text does not fit its record; it was not sent"};
    }
    return TableRecords{{headerBottomRecord(headerbottom::kHeaderRow, header),
                         headerBottomRecord(headerbottom::kBottomRow, bottom)}};
}

std::vector<std::string> requestLines() {
    return {headerbottom::kRequestLine};
}

// The request asks for both records: the header first, then the bottom.
AnswerFit answerFit() {
    return AnswerFit{.numberWidth = 1,
                     .askedNumbers = {headerbottom::kHeaderRow, headerbottom::kBottomRow}};
}

// The text of a header or bottom answer line as the batch reads it: 141 characters from
// position 17 without blanks at the end, each break (a blank and code 210, or code 210 alone)
// as CR LF.
std::string batchLabelTextOfAnswer(const std::string& line) {
    const std::string text =
        rightTrimmed(field(line, headerbottom::kTextPos, headerbottom::kBatchAnswerTextWidth));
    // A break sent as a blank and code 210 comes back as one break, so that a text keeps its
    // form however often it goes to the scale and back.
    return breaksToCrlf(breaksToCrlf(text, kBatchSentBreak), kBatchBreak);
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

HeaderBottomTexts headerBottomOfAnswer(const std::vector<std::string>& lines,
                                       HeaderBottomTexts before) {
    LabelSides sides = sidesOf(before);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0 && !isAnswerRecord(lines[i])) {
            continue;
        }
        takeLine(batchLabelTextOfAnswer(lines[i]), i == 0 ? sides.header : sides.bottom);
    }
    // As the header and bottom dialog saves them: an empty font stands for 5.
    for (LabelSide* side : {&sides.header, &sides.bottom}) {
        if (side->font.empty()) {
            side->font = labeltext::kDefaultFont;
        }
    }
    return textsOf(sides);
}

TableRoundTrip<LabelSides> headerBottomRoundTrip() {
    return {
        .load =
            [] {
                const LoadedHeaderBottom loaded = loadHeaderBottomFile();
                return LoadedTable<LabelSides>{loaded.found, sidesOf(loaded.texts), loaded.problem};
            },
        .save = [](const LabelSides& sides) { return saveHeaderBottomFile(textsOf(sides)); },
        .records =
            [](const LabelSides& sides) {
                return TableRecords{
                    {headerBottomRecord(headerbottom::kHeaderRow, encodeLabelSide(sides.header)),
                     headerBottomRecord(headerbottom::kBottomRow, encodeLabelSide(sides.bottom))}};
            },
        .request = &requestLines,
        .rowsOfAnswer = &sidesOfAnswer,
        .fit = answerFit(),
        .files = {tablefile::kHeaderBottom.name},
    };
}

TableRoundTrip<HeaderBottomTexts> headerBottomBatchRoundTrip() {
    return {
        .load = &loadBatchTexts,
        .save = &saveHeaderBottomFile,
        .records = &batchRecords,
        .request = &requestLines,
        .rowsOfAnswer =
            [](const std::vector<std::string>& lines, const HeaderBottomTexts& before) {
                return AnswerRows<HeaderBottomTexts>{headerBottomOfAnswer(lines, before)};
            },
        .fit = answerFit(),
    };
}

void HeaderBottom::open() {
    const LoadedTable<LabelSides> loaded = headerBottomRoundTrip().load();
    header = loaded.rows.header;
    bottom = loaded.rows.bottom;
    if (!loaded.problem.empty()) {
        tell(loaded.problem, PromptIcon::Warning, tablefile::kDamagedMeaning);
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
    const FileProblem problem = headerBottomRoundTrip().save({header, bottom});
    if (!problem.empty()) {
        tell(problem, PromptIcon::Error, tablefile::kUnsavedMeaning);
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
    sendTable(headerBottomRoundTrip(), LabelSides{header, bottom}, request(false), answerCheck());
    return true;
}

void HeaderBottom::receive() {
    LabelSides sides{header, bottom};
    if (receiveTable(headerBottomRoundTrip(), sides, request(true), answerCheck()) ==
        TransferResult::Succeeded) {
        header = sides.header;
        bottom = sides.bottom;
    }
}

void HeaderBottom::takeAnswer(const std::vector<std::string>& lines) {
    const LabelSides sides = sidesOfAnswer(lines, {header, bottom}).rows;
    header = sides.header;
    bottom = sides.bottom;
}

}  // namespace vorn
