#include "batch/ClockStep.h"

#include "batch/StepFiles.h"
#include "comm/RecordLine.h"

namespace vorn {

std::string dateTimeLine(const LocalDateTime& t) {
    std::string line =
        cformat(kDateTimeRecordFormat, {t.day, t.month, t.year % 100, t.hour, t.minute, t.second});
    line.pop_back();  // trf.out gets its own line ends
    return line;
}

std::optional<TransferSettings> sendDateTime(const BatchContext& context) {
    return transferOf({dateTimeLine(context.pcClock().localDateTime())});
}

}  // namespace vorn
