#pragma once
// The texts of the status bar's date and time panes.

#include <ctime>
#include <string>

namespace vorn {

inline constexpr const char* kDatePaneFormat = "%d  %m  %y ";
inline constexpr const char* kTimePaneFormat = "%H:%M:%S ";
// The time pane carries two more blanks after its format.
inline constexpr const char* kTimePaneTail = "  ";

std::string datePaneText(const std::tm& localTime);
std::string timePaneText(const std::tm& localTime);

// The local time now.
std::tm localTimeNow();

}  // namespace vorn
