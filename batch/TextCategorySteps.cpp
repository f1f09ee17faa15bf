#include "batch/TextCategorySteps.h"

#include "batch/StepFiles.h"
#include "comm/RecordLine.h"
#include "editors/kit/RecordText.h"
#include "editors/numbered/AdvertisementTable.h"
#include "editors/numbered/ExtraTextTable.h"
#include "editors/text/HeaderBottom.h"
#include "editors/text/MarqueeMessage.h"
#include "editors/text/StoreAddress.h"
#include "platform/Prompter.h"
#include "tables/Archive.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

constexpr int kSingleRow = 1;

std::string doesNotFit(const char* file, const std::string& what) {
    return std::string(file) + ": " + what + " does not fit its record";
}

// The rows of a number-word file of one row; no value when there is no file or it is damaged
// (told).
std::optional<std::string> singleTextOf(const TableFile& file) {
    if (!readFileBytes(file.name)) {
        return std::nullopt;
    }
    const LoadedRows<NumberWordRow> loaded = loadNumberWordFile(file);
    if (!loaded.problem.empty()) {
        tellNotSent(loaded.problem);
        return std::nullopt;
    }
    return loaded.rows.empty() ? std::string() : loaded.rows.front().value;
}

}  // namespace

// ---- Extra texts

std::optional<TransferSettings> sendExtraTexts(const BatchContext&) {
    if (!readFileBytes(tablefile::kExtraTexts)) {
        return std::nullopt;
    }
    const LoadedRows<std::string> loaded = loadExtraTextFile();
    if (!loaded.problem.empty()) {
        tellNotSent(loaded.problem);
        return std::nullopt;
    }
    std::vector<std::string> records;
    for (const std::string& row : loaded.rows) {
        if (row.size() > extratext::kRecordLength) {
            tellNotSent(doesNotFit(tablefile::kExtraTexts,
                                   "a line of " + std::to_string(row.size()) + " characters"));
            return std::nullopt;
        }
        std::string record = row;
        record.resize(extratext::kRecordLength, ' ');
        records.push_back(std::move(record));
    }
    return transferOf(records, {1, extratext::kKeyWidth});
}

std::optional<TransferSettings> requestExtraTexts(const BatchContext&) {
    return transferOf({extratext::kRequestLine});
}

StoreOutcome storeExtraTexts(const BatchContext&, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    std::vector<std::string> records = extraTextAnswerRecords(answer.lines);
    for (std::string& record : records) {
        record[0] = '0';
    }
    return storedOrTold(saveExtraTextFile(records));
}

// ---- Advertisement texts

std::optional<TransferSettings> sendAdvertisements(const BatchContext&) {
    const TableFile& file = tablefile::kAdvertisements;
    if (!readFileBytes(file.name)) {
        return std::nullopt;
    }
    const LoadedRows<NumberStringRow> loaded = loadNumberStringFile(file);
    if (!loaded.problem.empty()) {
        tellNotSent(loaded.problem);
        return std::nullopt;
    }
    std::vector<std::string> lines;
    for (const NumberStringRow& row : loaded.rows) {
        const std::string number = trimmed(row.number);
        // The stored text keeps its breaks as CR LF; on the line they are 0x10, as the
        // advertisement dialog sends them: a CR LF inside a line of trf.out would cut the record.
        const std::string text = crlfToBreaks(trimmed(row.value));
        if (number.size() > 2 || text.size() > advertisement::kRecordTextWidth) {
            tellNotSent(doesNotFit(file.name, "text " + number));
            return std::nullopt;
        }
        lines.push_back(cformat(advertisement::kBatchRecordFormat, {number, text}));
    }
    return transferOf(lines);
}

std::optional<TransferSettings> requestAdvertisements(const BatchContext&) {
    return transferOf({advertisementTable().requestLine});
}

std::vector<NumberStringRow> advertisementRowsOfAnswer(const std::vector<std::string>& lines) {
    std::vector<NumberStringRow> rows;
    for (const std::string& line : lines) {
        if (!isAnswerRecord(line) || marksEmptyTable(line)) {
            continue;
        }
        const int number = intValue(field(line, advertisement::kNumberPos, 2));
        const std::string text =
            trimmed(field(line, advertisement::kTextPos, advertisement::kRecordTextWidth));
        rows.push_back({cformat("%2d", {number}), breaksToCrlf(text)});
    }
    return rows;
}

StoreOutcome storeAdvertisements(const BatchContext&, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    return storedOrTold(saveNumberStringFile(tablefile::kAdvertisementsByBatch,
                                             advertisementRowsOfAnswer(answer.lines)));
}

// ---- Marquee message

std::optional<TransferSettings> sendMarquee(const BatchContext&) {
    emptyTransferFile();
    const std::optional<std::string> message = singleTextOf(tablefile::kMarquee);
    if (!message) {
        return std::nullopt;
    }
    if (message->size() > marquee::kTextWidth) {
        tellNotSent(doesNotFit(tablefile::kMarquee.name, "the message"));
        return std::nullopt;
    }
    return transferOf({marqueeRecord(*message)});
}

std::optional<TransferSettings> requestMarquee(const BatchContext&) {
    return transferOf({marquee::kRequestLine});
}

StoreOutcome storeMarquee(const BatchContext&, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    return storedOrTold(saveNumberWordFile(tablefile::kMarquee,
                                           {{kSingleRow, marqueeOfAnswer(answer.lines.front())}}));
}

// ---- Header and bottom texts

std::optional<TransferSettings> sendHeaderBottom(const BatchContext&) {
    const LoadedHeaderBottom loaded = loadHeaderBottomFile();
    if (!loaded.found) {
        return std::nullopt;
    }
    if (!loaded.problem.empty()) {
        tellNotSent(loaded.problem);
        return std::nullopt;
    }
    if (loaded.rowCount == 0) {
        return std::nullopt;
    }
    // The stored texts go without their lead character and font code, each break as a blank
    // and code 210.
    const std::string header = crlfToBreaks(loaded.texts.header, kBatchSentBreak);
    const std::string bottom = crlfToBreaks(loaded.texts.bottom, kBatchSentBreak);
    if (header.size() > headerbottom::kTextWidth || bottom.size() > headerbottom::kTextWidth) {
        tellNotSent(doesNotFit(tablefile::kHeaderBottom.name, "a text"));
        return std::nullopt;
    }
    return transferOf({headerBottomRecord(headerbottom::kHeaderRow, header),
                       headerBottomRecord(headerbottom::kBottomRow, bottom)});
}

std::optional<TransferSettings> requestHeaderBottom(const BatchContext&) {
    return transferOf({headerbottom::kRequestLine});
}

std::string batchLabelTextOfAnswer(const std::string& line) {
    const std::string text = rightTrimmed(
        std::string(field(line, headerbottom::kTextPos, headerbottom::kBatchAnswerTextWidth)));
    // A break sent as a blank and code 210 comes back as one break, so that a text keeps its
    // form however often it goes to the scale and back.
    return breaksToCrlf(breaksToCrlf(text, kBatchSentBreak), kBatchBreak);
}

HeaderBottomTexts headerBottomOfAnswer(const std::vector<std::string>& lines,
                                       HeaderBottomTexts before) {
    LabelSide header{before.header, before.headerCentred != 0 ? 1 : 0, before.headerFont};
    LabelSide bottom{before.bottom, before.bottomCentred != 0 ? 1 : 0, before.bottomFont};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0 && !isAnswerRecord(lines[i])) {
            continue;
        }
        if (!decodeLabelSide(batchLabelTextOfAnswer(lines[i]), i == 0 ? header : bottom)) {
            tell(badLabelTextMessage(), PromptIcon::Warning);
        }
    }
    // As the header and bottom dialog saves them: an empty font stands for 5.
    for (LabelSide* side : {&header, &bottom}) {
        if (side->font.empty()) {
            side->font = labeltext::kDefaultFont;
        }
    }
    return {header.text, bottom.text, header.centred, header.font, bottom.centred, bottom.font};
}

StoreOutcome storeHeaderBottom(const BatchContext&, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    // The batch sends no centring or font: a text that comes back without them keeps those of
    // the file.
    const LoadedHeaderBottom before = loadHeaderBottomFile();
    return storedOrTold(saveHeaderBottomFile(headerBottomOfAnswer(answer.lines, before.texts)));
}

// ---- Store address

std::optional<TransferSettings> sendStoreAddress(const BatchContext&) {
    const std::optional<std::string> address = singleTextOf(tablefile::kStoreAddress);
    if (!address) {
        return std::nullopt;
    }
    if (twoLineRecordText(*address).size() > storeaddress::kTextWidth) {
        tellNotSent(doesNotFit(tablefile::kStoreAddress.name, "the address"));
        return std::nullopt;
    }
    return transferOf({storeAddressRecord(*address)});
}

std::optional<TransferSettings> requestStoreAddress(const BatchContext&) {
    return transferOf({storeaddress::kRequestLine});
}

std::string batchStoreAddressOfAnswer(const std::string& line) {
    // The address goes out with code 16 as its break; a scale may give it back with code 210.
    return breaksToCrlf(storeAddressOfAnswer(line), kBatchBreak);
}

StoreOutcome storeStoreAddress(const BatchContext&, const BatchCategory& category) {
    const JudgedAnswer answer = judgeAnswer(category);
    if (answer.outcome != StoreOutcome::Stored) {
        return answer.outcome;
    }
    return storedOrTold(
        saveNumberWordFile(tablefile::kStoreAddressByBatch,
                           {{kSingleRow, batchStoreAddressOfAnswer(answer.lines.front())}}));
}

}  // namespace vorn
