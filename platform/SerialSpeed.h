#pragma once
// Baud rates that have no termios speed constant (14400 among the port dialog's), set exactly
// through the kernel's termios2 interface. Kept apart from the termios code because the
// kernel's terminal header and the C library's cannot share a file.

namespace vorn {

// Sets the input and output speed of the terminal fd to baudRate; false when the platform or
// the device refuses it.
bool setExactSpeed(int fd, int baudRate);
// The output speed of the terminal fd in bits per second; 0 when it cannot be read.
int exactSpeed(int fd);

}  // namespace vorn
