#pragma once
// The batch steps of the PLUs. A send passes the PLU file's record pairs on unchanged, as a
// whole; a request asks for every PLU record and label-data record; a store rewrites the PLU
// file with exactly the PLUs received, in answer order.

#include <optional>
#include <string>
#include <vector>

#include "batch/BatchCategory.h"
#include "plu/PluRecord.h"

namespace vorn {

namespace plubatch {
// Lines of the batch dialog's log list.
inline constexpr const char* kBeginLog = "Begin transfer PLU data!";
// The settings of a send: two answer lines per PLU, the six-digit PLU number as item key.
inline constexpr TransferSettings kSendSettings{2, 6};
inline constexpr TransferSettings kRequestSettings{2, 0};
// The first line of trf.in is read up to this many characters.
inline constexpr std::size_t kAnswerLineLimit = 229;
inline constexpr const char* kNothingRead = "cant read data";
}  // namespace plubatch

// The pairs of plurec.dat that a send passes on; no value when there is no file, or when it is
// damaged (told). A file that is no PLU file at all is logged and told and gives no pairs.
std::optional<std::vector<PluPair>> pluPairsToSend(const BatchContext& context);

std::optional<TransferSettings> sendPluFile(const BatchContext& context);
std::optional<TransferSettings> requestPluTable(const BatchContext& context);
StoreOutcome storePluTable(const BatchContext& context, const BatchCategory& category);

}  // namespace vorn
