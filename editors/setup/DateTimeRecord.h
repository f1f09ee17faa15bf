#pragma once
// The scale's clock: the date-and-time record (table code 38) and the time dialog's model, which
// shows the PC's clock or a time set by hand and sends either. Nothing is stored on the PC.

#include <string>

#include "platform/Clock.h"

namespace vorn {

namespace clockrecord {
// Day, month, two-digit year, hour, minute, second from position 16.
inline constexpr const char* kFormat = "0002380000000000%02d%02d%02d%02d%02d%02d";
inline constexpr const char* kTransferMessage = "Transfering Time information,please wait...";
inline constexpr const char* kErrorSuffix = "error!";
}  // namespace clockrecord

// The six values of the time dialog, each in its spin's range.
struct ClockValues {
    int month = 1;   // 1 to 12
    int day = 1;     // 1 to 31, whatever the month
    int year = 0;    // two digits, 0 to 99
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
    int second = 0;  // 0 to 59
    bool operator==(const ClockValues&) const = default;
};

struct ClockRange {
    int min;
    int max;
};
namespace clockrange {
inline constexpr ClockRange kMonth{1, 12};
inline constexpr ClockRange kDay{1, 31};
inline constexpr ClockRange kYear{0, 99};
inline constexpr ClockRange kHour{0, 23};
inline constexpr ClockRange kMinute{0, 59};
inline constexpr ClockRange kSecond{0, 59};
}  // namespace clockrange

ClockValues clockValuesOf(const LocalDateTime& t);
// The days of the month in the two-digit year (2000 to 2099).
int daysInMonth(int month, int year);
// Why the values are no date ("February 2026 has no day 31"); empty when they are one.
std::string clockDateRefusal(const ClockValues& values);
// The record for the values, each brought into its range first.
std::string dateTimeRecord(const ClockValues& values);

enum class ClockMode { PcTime, SetTime };

class ClockSetting {
public:
    explicit ClockSetting(Clock& clock) : clock_(clock) {}

    ClockMode mode = ClockMode::PcTime;
    ClockValues values;

    // Shows the PC time: the values from the clock.
    void showPcTime() { values = clockValuesOf(clock_.localDateTime()); }
    // Timer tick: in "PC Time" the values follow the clock; in "Set Time" they stay.
    void tick();
    // The values a send takes: the shown ones in "Set Time", the clock's now in "PC Time".
    ClockValues valuesToSend();
    // PC->Sc: writes the record and runs the transfer; a set time that is no date is refused
    // with the reason, and nothing is sent.
    void send();

private:
    Clock& clock_;
};

}  // namespace vorn
