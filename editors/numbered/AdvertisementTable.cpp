#include "editors/numbered/AdvertisementTable.h"

#include "editors/kit/RecordText.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

std::string recordTextOfValue(const std::string& value) {
    return advertisementRecordText(value);
}

std::string rowTextOfRecord(const std::string& recordText) {
    return breaksToCrlf(recordText);
}

}  // namespace

std::string advertisementRecordText(const std::string& text, std::size_t width) {
    return cutTo(twoLineRecordText(rightTrimmed(text)), width);
}

const NumberedTableKind& advertisementTable() {
    static const NumberedTableKind kind{
        .numberWidth = 2,
        .numberMaxLength = 2,
        .valueMaxLength = 74,
        .numberLimits = {{Limit::Below, 1, "The Number must be Num & plus!"},
                         {Limit::Above, 10, "The Max Number is 10!"}},
        .proposedNumberMax = 10,
        // A received text keeps the record's padding in the list; the field takes it without,
        // as the send would (the field holds two lines, and the padding would fill them).
        .trimPickedValue = true,
        .file = tablefile::kAdvertisements,
        .trimValueOnOpen = true,
        // The whole text is kept: a text of two full lines is 74 characters with its CR LF.
        .fileValueMax = std::string::npos,
        .recordFormat = advertisement::kRecordFormat,
        .recordNumberDigits = 2,
        .recordValueWidth = static_cast<int>(advertisement::kRecordTextWidth),
        .recordText = &recordTextOfValue,
        .requestLine = "000220000700010000",
        .receivedLineLength = advertisement::kRecordLineLength,
        .rowText = &rowTextOfRecord,
        .transferMessage = "Transfering Advertisement Text information,please wait...",
        .errorSuffix = "error!",
        .missingAnswerMessage = "Can't Write file!",
    };
    return kind;
}

}  // namespace vorn
