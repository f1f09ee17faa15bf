#pragma once
// SerialLine on a POSIX terminal device: exclusive (flock and TIOCEXCL), raw mode, the line
// settings through termios, single-byte reads with poll, RTS through TIOCMBIS/TIOCMBIC.

#include "platform/SerialLine.h"

struct termios;

namespace vorn {

class PosixSerialLine : public SerialLine {
public:
    PosixSerialLine() = default;
    ~PosixSerialLine() override;
    PosixSerialLine(const PosixSerialLine&) = delete;
    PosixSerialLine& operator=(const PosixSerialLine&) = delete;

    bool open(const std::string& device, const LineSettings& settings) override;
    OpenError lastOpenError() const override { return openError_; }
    ReadResult readByte(int timeoutMs) override;
    bool writeByte(unsigned char byte) override;
    void drain() override;
    void purge() override;
    void setRts(bool on) override;
    void close() override;

    bool isOpen() const { return fd_ >= 0; }

private:
    bool fail(int fd, OpenFailure failure, int errorNumber);

    int fd_ = -1;
    OpenError openError_;
};

// Raw mode with the line settings (mark and space parity through CMSPAR, one and a half stop
// bits as two) on top of the terminal's other fields. A rate without a speed constant (14400)
// gets 9600 here and is set exactly when the line opens; false for a rate no port has.
bool makeLineTermios(termios& tio, const LineSettings& settings);

// The reason an open(2) of a device failed with this errno.
OpenFailure openFailureOf(int errorNumber);

// The termios speed constant of a baud rate; 0 for a rate without one.
unsigned speedOf(int baudRate);

}  // namespace vorn
