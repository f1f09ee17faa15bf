#pragma once
// Time as the transfer engine needs it: the clock in whole seconds, pauses in milliseconds and
// the time of day for the logs; and the PC's local date and time, which the scale's clock is set
// to. The program uses the real clock; tests use VirtualClock, in which a pause (and a scripted
// line's read time-out) only moves the time on.

#include <atomic>
#include <cstdint>
#include <string>

namespace vorn {

// A local calendar date and time of day.
struct LocalDateTime {
    int year = 2000;  // four digits
    int month = 1;    // 1 to 12
    int day = 1;      // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowSeconds() = 0;
    virtual void sleepMs(int ms) = 0;
    // "HH:MM:SS" of the local time.
    virtual std::string timeOfDay() = 0;
    // The local date and time now.
    virtual LocalDateTime localDateTime() = 0;
};

class RealClock : public Clock {
public:
    std::int64_t nowSeconds() override;
    void sleepMs(int ms) override;
    std::string timeOfDay() override;
    LocalDateTime localDateTime() override;
};

// The process's real clock.
Clock& realClock();

// Starts at midnight of the date set (1 January 2000 unless set); nothing but sleepMs and
// advanceMs moves it. The date stays the one set.
class VirtualClock : public Clock {
public:
    std::int64_t nowSeconds() override { return ms_.load() / 1000; }
    void sleepMs(int ms) override { advanceMs(ms); }
    std::string timeOfDay() override;
    // The date set, with the time of day of nowSeconds().
    LocalDateTime localDateTime() override;
    void setDate(int year, int month, int day);

    void advanceMs(std::int64_t ms) { ms_ += ms; }
    std::int64_t nowMs() const { return ms_.load(); }

private:
    std::atomic<std::int64_t> ms_{0};
    std::atomic<int> year_{2000};
    std::atomic<int> month_{1};
    std::atomic<int> day_{1};
};

// "HH:MM:SS" of a number of seconds after midnight.
std::string formatTimeOfDay(std::int64_t secondsOfDay);

}  // namespace vorn
