#include "shell/StatusClock.h"

#include <array>

namespace vorn {

namespace {
std::string formatTime(const char* format, const std::tm& t) {
    std::array<char, 64> buffer{};
    const std::size_t n = std::strftime(buffer.data(), buffer.size(), format, &t);
    return std::string(buffer.data(), n);
}
}  // namespace

std::string datePaneText(const std::tm& localTime) {
    return formatTime(kDatePaneFormat, localTime);
}

std::string timePaneText(const std::tm& localTime) {
    return formatTime(kTimePaneFormat, localTime) + kTimePaneTail;
}

std::tm localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return t;
}

}  // namespace vorn
