#pragma once
// The batch's clock step: the scale's clock is set to the PC's date and time, with the record of
// the time dialog. It is sent only; the scale's clock is never read back.

#include <optional>

#include "batch/BatchCategory.h"

namespace vorn {

// Writes the record of the PC clock's date and time to trf.out.
std::optional<TransferSettings> sendDateTime(const BatchContext& context);

}  // namespace vorn
