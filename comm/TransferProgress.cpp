#include "comm/TransferProgress.h"

#include "tables/PrintfFormat.h"

namespace vorn {

std::string scaleTitle(int scaleNumber, const std::string& scaleName) {
    return cformat(kScaleTitleFormat, {scaleNumber, scaleName});
}

std::string itemsSentText(int answerCount, int recordsPerItem, const std::string& current) {
    const int items = answerCount / (recordsPerItem < 1 ? 1 : recordsPerItem);
    if (items == 1) {
        return cformat(kOneItemSentFormat, {items});
    }
    if (items > 1) {
        return cformat(kItemsSentFormat, {items});
    }
    return current;
}

}  // namespace vorn
