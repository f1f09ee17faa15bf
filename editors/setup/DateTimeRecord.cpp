#include "editors/setup/DateTimeRecord.h"

#include <algorithm>

#include "comm/TableTransfer.h"
#include "platform/Prompter.h"
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

int daysInMonth(int month, int year) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    // 2000 to 2099: every fourth year is a leap year.
    return month == 2 && year % 4 == 0 ? 29 : kDays[month - 1];
}

std::string clockDateRefusal(const ClockValues& v) {
    constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};
    if (v.month < 1 || v.month > 12 || v.day < 1 || v.day <= daysInMonth(v.month, v.year)) {
        return {};
    }
    return std::string(kMonths[v.month - 1]) + " " + std::to_string(2000 + v.year) +
           " has no day " + std::to_string(v.day);
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
    const ClockValues v = valuesToSend();
    if (const std::string refusal = clockDateRefusal(v); !refusal.empty()) {
        tell(refusal + ": the time is not sent.", PromptIcon::Warning);
        return;
    }
    runTableTransfer({dateTimeRecord(v)}, TransferRequest{clockrecord::kTransferMessage, false},
                     clockrecord::kErrorSuffix);
}

}  // namespace vorn
