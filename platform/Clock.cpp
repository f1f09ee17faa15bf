#include "platform/Clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace vorn {

std::int64_t RealClock::nowSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void RealClock::sleepMs(int ms) {
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

std::string RealClock::timeOfDay() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&t, &local);
    return formatTimeOfDay(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
}

LocalDateTime RealClock::localDateTime() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

Clock& realClock() {
    static RealClock clock;
    return clock;
}

std::string VirtualClock::timeOfDay() {
    return formatTimeOfDay(nowSeconds());
}

LocalDateTime VirtualClock::localDateTime() {
    using namespace std::chrono;
    const std::int64_t seconds = nowSeconds();
    const std::int64_t dayOffset = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const std::int64_t secondOfDay = seconds - dayOffset * 86400;
    const year_month_day date{sys_days{days{startDay_.load() + dayOffset}}};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(secondOfDay / 3600),
            static_cast<int>(secondOfDay / 60 % 60),
            static_cast<int>(secondOfDay % 60)};
}

void VirtualClock::set(const LocalDateTime& t) {
    using namespace std::chrono;
    const sys_days day{year{t.year} / month{static_cast<unsigned>(t.month)} /
                       std::chrono::day{static_cast<unsigned>(t.day)}};
    startDay_ = day.time_since_epoch().count();
    ms_ = (static_cast<std::int64_t>(t.hour) * 3600 + t.minute * 60 + t.second) * 1000;
}

std::string formatTimeOfDay(std::int64_t secondsOfDay) {
    const std::int64_t s = ((secondsOfDay % 86400) + 86400) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(s / 3600),
                  static_cast<int>(s / 60 % 60), static_cast<int>(s % 60));
    return text;
}

}  // namespace vorn
