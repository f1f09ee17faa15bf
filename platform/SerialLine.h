#pragma once
// The serial line that leads to the scales, as the transfer engine uses it: an exclusive open
// with the line settings, single-byte reads with a time-out, single-byte writes, drain, purge
// and the RTS line. The program opens a local port through termios or a serial device server on
// the network, by the device's name; tests script a scale behind it.

#include <memory>
#include <string>

namespace vorn {

struct LineSettings {
    int baudRate = 9600;
    int dataBits = 8;  // 5 to 8
    int stopBits = 0;  // 0 one, 1 one and a half (taken as two), 2 two
    int parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
};

enum class ReadStatus { Byte, None, Failure };

// Why a device could not be opened.
enum class OpenFailure {
    None,
    NoSuchDevice,     // no such file, or no port behind it
    NoPermission,     // the user may not read and write it
    Busy,             // another program holds it
    NotASerialPort,   // not a terminal device
    SettingsRefused,  // the port took the device but not the line settings
    Other,
    // A device server on the network (see NetworkAddress.h):
    BadAddress,         // not a valid address; detail says why
    HostNotFound,       // the name is not known
    ConnectionRefused,  // nothing takes connections on that port
    NoAnswer,           // no answer to the connection in time
    UserRefused,        // it serves another user; detail holds its words
};

struct OpenError {
    OpenFailure failure = OpenFailure::None;
    int errorNumber = 0;  // errno, where one was given
    std::string detail;   // the network's own words, where they say more

    OpenError() = default;
    OpenError(OpenFailure f, int e, std::string d = {})
        : failure(f), errorNumber(e), detail(std::move(d)) {}
};

struct ReadResult {
    ReadStatus status = ReadStatus::None;
    unsigned char byte = 0;
};

class SerialLine {
public:
    virtual ~SerialLine() = default;
    // Opens the device for this program alone and applies the settings; false when the device
    // does not exist, is held by another program or refuses the settings.
    virtual bool open(const std::string& device, const LineSettings& settings) = 0;
    // Why the last open failed.
    virtual OpenError lastOpenError() const { return {OpenFailure::Other, 0}; }
    // One byte, or no byte once timeoutMs have passed, or a failure.
    virtual ReadResult readByte(int timeoutMs) = 0;
    // True when the byte was written.
    virtual bool writeByte(unsigned char byte) = 0;
    // Returns when the written bytes have left the port.
    virtual void drain() = 0;
    // Drops pending input, then pending output.
    virtual void purge() = 0;
    virtual void setRts(bool on) = 0;
    virtual void close() = 0;
    // Why the line stopped working after it opened (a connection that was dropped), naming the
    // device; empty while it works. Kept after close until the next open.
    virtual std::string failureText() const { return {}; }
    // A device that refused this user only after open had returned (a device server that took
    // the connection, then said no before the scale's first byte and hung up): why, as
    // lastOpenError() would have said it; OpenFailure::None otherwise. The run then counts as one
    // whose port could not be opened. Kept after close until the next open.
    virtual OpenError refusalAfterOpen() const { return {}; }
};

// The termios implementation.
std::unique_ptr<SerialLine> makePosixSerialLine();
// The line the device names: a serial device server for a network address (tcp://, rfc2217://),
// else the termios line. Chosen anew at every open.
std::unique_ptr<SerialLine> makeSerialLine();

}  // namespace vorn
