#pragma once
// The batch's clock step: the scale's clock is set to the PC's date and time. It is sent only;
// the scale's clock is never read back.

#include <optional>
#include <string>

#include "batch/BatchCategory.h"

namespace vorn {

// The date and time record (table code 38): day, month, two-digit year, hours, minutes,
// seconds, two digits each (16-27).
inline constexpr const char* kDateTimeRecordFormat = "0002380000000000%02d%02d%02d%02d%02d%02d\n";

std::string dateTimeLine(const LocalDateTime& t);

// Writes the PC clock's record to trf.out.
std::optional<TransferSettings> sendDateTime(const BatchContext& context);

}  // namespace vorn
