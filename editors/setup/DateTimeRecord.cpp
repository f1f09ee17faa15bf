#include "editors/setup/DateTimeRecord.h"

#include <algorithm>

#include "comm/TableTransfer.h"
#include "tables/PrintfFormat.h"

namespace vorn {

namespace {
int inRange(int v, ClockRange r) {
    return std::clamp(v, r.min, r.max);
}
}  // namespace

ClockValues clockValuesOf(const LocalDateTime& t) {
    return {t.month, t.day, ((t.year % 100) + 100) % 100, t.hour, t.minute, t.second};
}

std::string dateTimeRecord(const ClockValues& v) {
    using namespace clockrange;
    return cformat(clockrecord::kFormat, {inRange(v.day, kDay), inRange(v.month, kMonth),
                                          inRange(v.year, kYear), inRange(v.hour, kHour),
                                          inRange(v.minute, kMinute), inRange(v.second, kSecond)});
}

void ClockSetting::tick() {
    if (mode == ClockMode::PcTime) {
        showPcTime();
    }
}

ClockValues ClockSetting::valuesToSend() {
    return mode == ClockMode::SetTime ? values : clockValuesOf(clock_.localDateTime());
}

void ClockSetting::send() {
    runTableTransfer({dateTimeRecord(valuesToSend())},
                     TransferRequest{clockrecord::kTransferMessage, false},
                     clockrecord::kErrorSuffix);
}

}  // namespace vorn
