#pragma once
// What the user is told when a serial device cannot be opened, and which devices of a list the
// user may open at all.

#include <string>

#include "platform/SerialLine.h"

namespace vorn {

// Shown over SerialLine::failureText() when a line stopped working in the middle of a run.
inline constexpr const char* kConnectionLostText = "The connection to the scale was lost.";

// The device and why it could not be opened, with what to do about it, e.g.
// "/dev/ttyS0: permission denied. ..." for the detail of "Error opening COM port".
std::string openFailureText(const std::string& device, const OpenError& error);

enum class DeviceAccess { Usable, NoPermission, Missing };

// Whether this user may read and write the device, without opening it (opening a serial port
// raises its modem lines, which some devices take as a reset).
DeviceAccess deviceAccess(const std::string& device);

}  // namespace vorn
