#include "platform/PortFailure.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

namespace vorn {

namespace {

// The reentrant forms: the transfer worker asks while the user-interface thread runs.
constexpr std::size_t kNameBufferSize = 16384;

// The group whose members may use the device: its own group when that group may read and
// write it, else dialout, the group of serial ports.
std::string portGroup(const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) == 0 && (st.st_mode & S_IRGRP) != 0 &&
        (st.st_mode & S_IWGRP) != 0) {
        std::vector<char> buffer(kNameBufferSize);
        group g{};
        group* found = nullptr;
        if (::getgrgid_r(st.st_gid, &g, buffer.data(), buffer.size(), &found) == 0 && found) {
            return found->gr_name;
        }
    }
    return "dialout";
}

std::string userName() {
    std::vector<char> buffer(kNameBufferSize);
    passwd pw{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &pw, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->pw_name;
    }
    return "$USER";
}

}  // namespace

std::string openFailureText(const std::string& device, const OpenError& error) {
    switch (error.failure) {
        case OpenFailure::NoSuchDevice:
            return device +
                   ": no such device. Check that the cable or the USB serial adapter is plugged "
                   "in, and that the port settings name the right device.";
        case OpenFailure::NoPermission: {
            const std::string group = portGroup(device);
            // The command on a line of its own, so that no line break splits it.
            return device + ": permission denied. Your user must be in the " + group +
                   " group. Ask an administrator to run\n    sudo usermod -aG " + group + " " +
                   userName() + "\nthen log out and log in again.";
        }
        case OpenFailure::Busy:
            return device +
                   ": busy, held by another program. Close the other program that uses the "
                   "port (a terminal program, another vorn) and try again.";
        case OpenFailure::NotASerialPort:
            return device + ": not a serial port.";
        case OpenFailure::SettingsRefused:
            return device +
                   ": the port does not take these line settings (baud rate, data bits, parity, "
                   "stop bits).";
        case OpenFailure::BadAddress:
            return device + ": not a valid address: " + error.detail +
                   ". Write tcp://HOST:PORT or rfc2217://HOST:PORT.";
        case OpenFailure::HostNotFound:
            return device +
                   ": host not found. Check the device server's name and that this computer "
                   "reaches the network.";
        case OpenFailure::ConnectionRefused:
            return device +
                   ": connection refused. Nothing takes connections on that port: check the port "
                   "number and that the device server is switched on.";
        case OpenFailure::NoAnswer:
            return device +
                   ": no answer to the connection within 5 seconds. Check that the device server "
                   "is switched on and on the network, and the host and port.";
        case OpenFailure::UserRefused:
            return device + ": the device server refused the connection" +
                   (error.detail.empty() ? std::string() : " (\"" + error.detail + "\")") +
                   ". Another user holds its port: close the other program that uses it and try "
                   "again.";
        case OpenFailure::None:
        case OpenFailure::Other:
            break;
    }
    if (!error.detail.empty()) {
        return device + ": " + error.detail + ".";
    }
    if (error.errorNumber != 0) {
        return device + ": " + std::generic_category().message(error.errorNumber) + ".";
    }
    return device + ": cannot be opened.";
}

DeviceAccess deviceAccess(const std::string& device) {
    if (::faccessat(AT_FDCWD, device.c_str(), R_OK | W_OK, AT_EACCESS) == 0) {
        return DeviceAccess::Usable;
    }
    return errno == EACCES || errno == EPERM || errno == EROFS ? DeviceAccess::NoPermission
                                                               : DeviceAccess::Missing;
}

}  // namespace vorn
