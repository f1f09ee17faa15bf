#pragma once
// The batch's send step of the operator configuration: Mode.dat goes to the scale as it is, as
// trf.out. (Its request and store are the table's round trip, as every table's.)

#include <optional>

#include "batch/BatchCategory.h"

namespace vorn {

// Copies Mode.dat to trf.out; no value when there is no Mode.dat, or when it holds no
// configuration record (told) or trf.out cannot be written (told).
std::optional<TransferSettings> sendModeFile(const BatchContext& context);

}  // namespace vorn
