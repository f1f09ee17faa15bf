#pragma once
// Time as the transfer engine needs it: the clock in whole seconds, pauses in milliseconds and
// the time of day for the logs. The program uses the real clock; tests use VirtualClock, in
// which a pause (and a scripted line's read time-out) only moves the time on.

#include <atomic>
#include <cstdint>
#include <string>

namespace vorn {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowSeconds() = 0;
    virtual void sleepMs(int ms) = 0;
    // "HH:MM:SS" of the local time.
    virtual std::string timeOfDay() = 0;
};

class RealClock : public Clock {
public:
    std::int64_t nowSeconds() override;
    void sleepMs(int ms) override;
    std::string timeOfDay() override;
};

// The process's real clock.
Clock& realClock();

// Starts at midnight; nothing but sleepMs and advanceMs moves it.
class VirtualClock : public Clock {
public:
    std::int64_t nowSeconds() override { return ms_.load() / 1000; }
    void sleepMs(int ms) override { advanceMs(ms); }
    std::string timeOfDay() override;

    void advanceMs(std::int64_t ms) { ms_ += ms; }
    std::int64_t nowMs() const { return ms_.load(); }

private:
    std::atomic<std::int64_t> ms_{0};
};

// "HH:MM:SS" of a number of seconds after midnight.
std::string formatTimeOfDay(std::int64_t secondsOfDay);

}  // namespace vorn
