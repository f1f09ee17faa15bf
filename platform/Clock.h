#pragma once
// Time as the program needs it: the clock in whole seconds, pauses in milliseconds, the time of
// day for the logs and the local date and time for the scale's clock. The program uses the real
// clock; tests use VirtualClock, in which a pause (and a scripted line's read time-out) only
// moves the time on.

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
    bool operator==(const LocalDateTime&) const = default;
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

// Starts at midnight of its start date (1 January 2000 unless set); nothing but sleepMs and
// advanceMs moves it, and the date moves on at every midnight passed.
class VirtualClock : public Clock {
public:
    std::int64_t nowSeconds() override { return ms_.load() / 1000; }
    void sleepMs(int ms) override { advanceMs(ms); }
    std::string timeOfDay() override;
    LocalDateTime localDateTime() override;

    void advanceMs(std::int64_t ms) { ms_ += ms; }
    std::int64_t nowMs() const { return ms_.load(); }
    // Makes the clock show this date and time now.
    void set(const LocalDateTime& t);

private:
    std::atomic<std::int64_t> ms_{0};
    // Days from 1 January 1970 to the start date.
    std::atomic<std::int64_t> startDay_{10957};
};

// "HH:MM:SS" of a number of seconds after midnight.
std::string formatTimeOfDay(std::int64_t secondsOfDay);

}  // namespace vorn
