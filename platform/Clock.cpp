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
    const std::int64_t s = nowSeconds() % 86400;
    return {year_.load(),
            month_.load(),
            day_.load(),
            static_cast<int>(s / 3600),
            static_cast<int>(s / 60 % 60),
            static_cast<int>(s % 60)};
}

void VirtualClock::setDate(int year, int month, int day) {
    year_ = year;
    month_ = month;
    day_ = day;
}

std::string formatTimeOfDay(std::int64_t secondsOfDay) {
    const std::int64_t s = ((secondsOfDay % 86400) + 86400) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(s / 3600),
                  static_cast<int>(s / 60 % 60), static_cast<int>(s % 60));
    return text;
}

}  // namespace vorn
