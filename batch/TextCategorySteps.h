#pragma once
// The batch steps of the text tables: extra texts, advertisement texts, the marquee message, the
// label header and bottom texts and the store address. Each works on its table file with the
// record functions of its editor; where the batch writes or reads a record differently, the
// difference is a setting beside the editor's.

#include <optional>
#include <string>
#include <vector>

#include "batch/BatchCategory.h"
#include "tables/TableFiles.h"

namespace vorn {

std::optional<TransferSettings> sendExtraTexts(const BatchContext& context);
std::optional<TransferSettings> requestExtraTexts(const BatchContext& context);
StoreOutcome storeExtraTexts(const BatchContext& context, const BatchCategory& category);

std::optional<TransferSettings> sendAdvertisements(const BatchContext& context);
std::optional<TransferSettings> requestAdvertisements(const BatchContext& context);
StoreOutcome storeAdvertisements(const BatchContext& context, const BatchCategory& category);
// The rows of adv.dat that a good answer gives: the number "%2d", the text of 73 characters
// without blanks at either end and with its breaks as CR LF.
std::vector<NumberStringRow> advertisementRowsOfAnswer(const std::vector<std::string>& lines);

std::optional<TransferSettings> sendMarquee(const BatchContext& context);
std::optional<TransferSettings> requestMarquee(const BatchContext& context);
StoreOutcome storeMarquee(const BatchContext& context, const BatchCategory& category);

std::optional<TransferSettings> sendHeaderBottom(const BatchContext& context);
std::optional<TransferSettings> requestHeaderBottom(const BatchContext& context);
StoreOutcome storeHeaderBottom(const BatchContext& context, const BatchCategory& category);
// The text of a header or bottom answer line as the batch reads it: 141 characters from
// position 17 without blanks at the end, each break (a blank and code 210, or code 210 alone)
// as CR LF.
std::string batchLabelTextOfAnswer(const std::string& line);
// The sides of hbtext.dat from a good answer: the first line the header, every further record
// the bottom (the last one wins), each decoded over the side as it was.
HeaderBottomTexts headerBottomOfAnswer(const std::vector<std::string>& lines,
                                       HeaderBottomTexts before);

std::optional<TransferSettings> sendStoreAddress(const BatchContext& context);
std::optional<TransferSettings> requestStoreAddress(const BatchContext& context);
StoreOutcome storeStoreAddress(const BatchContext& context, const BatchCategory& category);
// The address of an answer line: 73 characters from position 18 without blanks at the end, its
// breaks (code 16 as sent, or code 210) as CR LF.
std::string batchStoreAddressOfAnswer(const std::string& line);

}  // namespace vorn
