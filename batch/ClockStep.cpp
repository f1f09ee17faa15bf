#include "batch/ClockStep.h"

#include "batch/StepFiles.h"
#include "editors/setup/DateTimeRecord.h"

namespace vorn {

std::optional<TransferSettings> sendDateTime(const BatchContext& context) {
    return transferOf({dateTimeRecord(clockValuesOf(context.pcClock().localDateTime()))});
}

}  // namespace vorn
