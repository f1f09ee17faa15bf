#include "editors/text/StoreAddress.h"

#include "editors/kit/RecordText.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

std::string addressOfAnswer(std::string_view line) {
    return storeAddressOfAnswer(line);
}

}  // namespace

const SingleTextKind& storeAddressTable() {
    static const SingleTextKind kind{
        .file = tablefile::kStoreAddress,
        .batchFile = tablefile::kStoreAddressByBatch,
        .recordFormat = storeaddress::kRecordFormat,
        .recordTextWidth = storeaddress::kTextWidth,
        .recordText = &twoLineRecordText,
        .textOfAnswer = &addressOfAnswer,
        .batchTextOfAnswer = &batchStoreAddressOfAnswer,
        .requestLine = storeaddress::kRequestLine,
        .transferMessage = storeaddress::kTransferMessage,
        .errorSuffix = storeaddress::kErrorSuffix,
        .answerLineLimit = storeaddress::kAnswerLineLimit,
        .what = "the address",
    };
    return kind;
}

std::string storeAddressRecord(const std::string& address) {
    return singleTextRecord(storeAddressTable(), address);
}

std::string storeAddressOfAnswer(std::string_view line, std::size_t width, char lineBreak) {
    return breaksToCrlf(rightTrimmed(field(line, storeaddress::kTextPos, width)), lineBreak);
}

std::string batchStoreAddressOfAnswer(std::string_view line) {
    // The address goes out with code 16 as its break; a scale may give it back with code 210.
    return breaksToCrlf(storeAddressOfAnswer(line), kBatchBreak);
}

}  // namespace vorn
