// Why a port does not open, against real devices, pseudo-terminals and plain files, for root
// and for an ordinary user (a child process without root's privileges).

#include "platform/PortFailure.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/PosixSerialLine.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"

namespace vorn {
namespace {

// A pseudo-terminal; its slave is the device a program opens.
class Pty {
public:
    Pty() {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) == 0) {
            device_ = name;
            ::close(slave_);
            slave_ = -1;
        }
    }
    ~Pty() {
        if (master_ >= 0) {
            ::close(master_);
        }
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;
    const std::string& device() const { return device_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string device_;
};

OpenFailure openFailure(const std::string& device) {
    PosixSerialLine line;
    EXPECT_FALSE(line.open(device, {})) << device;
    return line.lastOpenError().failure;
}

// The failure an ordinary user meets opening the device.
OpenFailure openFailureAsUser(const std::string& device) {
    const int code = test::runUnprivileged([&] {
        PosixSerialLine line;
        return line.open(device, {}) ? 100 : static_cast<int>(line.lastOpenError().failure);
    });
    EXPECT_GE(code, 0) << "the check could not run unprivileged";
    return static_cast<OpenFailure>(code);
}

TEST(PortFailure, APathThatDoesNotExistIsNoSuchDevice) {
    test::TempDir dir;
    const std::string device = dir.file("ttyUSB9");
    EXPECT_EQ(openFailure(device), OpenFailure::NoSuchDevice);
    EXPECT_EQ(openFailure(dir.file("file/ttyS0")), OpenFailure::NoSuchDevice);
    const std::string text = openFailureText(device, {OpenFailure::NoSuchDevice, ENOENT});
    EXPECT_EQ(text.rfind(device + ": no such device.", 0), 0u) << text;
}

TEST(PortFailure, AFileOrADeviceThatIsNoTerminalIsNoSerialPort) {
    test::TempDir dir;
    test::writeFile(dir.file("comport.ini"), "1,9600,8,0,0");
    EXPECT_EQ(openFailure(dir.file("comport.ini")), OpenFailure::NotASerialPort);
    EXPECT_EQ(openFailure("/dev/null"), OpenFailure::NotASerialPort);
    EXPECT_EQ(openFailureText("/dev/null", {OpenFailure::NotASerialPort, 0}),
              "/dev/null: not a serial port.");
}

TEST(PortFailure, ADeviceTheUserMayNotUseTellsTheFix) {
    Pty pty;
    ASSERT_FALSE(pty.device().empty());
    test::TempDir dir;
    ::chmod(dir.path().c_str(), 0755);
    test::writeFile(dir.file("port"), "");
    for (const std::string& device : {pty.device(), dir.file("port")}) {
        ::chmod(device.c_str(), 0);
        EXPECT_EQ(openFailureAsUser(device), OpenFailure::NoPermission) << device;
    }
    const std::string text = openFailureText(dir.file("port"), {OpenFailure::NoPermission, 0});
    EXPECT_EQ(text.rfind(dir.file("port") + ": permission denied.", 0), 0u) << text;
    EXPECT_NE(text.find("must be in the dialout group"), std::string::npos) << text;
    EXPECT_NE(text.find("\n    sudo usermod -aG dialout "), std::string::npos) << text;
    EXPECT_NE(text.find("\nthen log out and log in again."), std::string::npos) << text;
}

TEST(PortFailure, TheFixNamesTheGroupThatMayUseTheDevice) {
    test::TempDir dir;
    const std::string device = dir.file("ttyUSB0");
    test::writeFile(device, "");
    // "uucp" may read and write it, as on systems that give serial ports to that group.
    const group* uucp = ::getgrnam("uucp");
    if (uucp == nullptr || ::geteuid() != 0 || ::chown(device.c_str(), 0, uucp->gr_gid) != 0) {
        GTEST_SKIP() << "changing a file's group to uucp needs root and the group";
    }
    ::chmod(device.c_str(), 0660);
    const std::string text = openFailureText(device, {OpenFailure::NoPermission, 0});
    EXPECT_NE(text.find("must be in the uucp group"), std::string::npos) << text;
}

TEST(PortFailure, ARealSerialPortOfRootIsNoPermissionForAnOrdinaryUser) {
    const std::string device = "/dev/ttyS0";
    const int access =
        test::runUnprivileged([&] { return static_cast<int>(deviceAccess(device)); });
    if (!std::filesystem::exists(device) ||
        static_cast<DeviceAccess>(access) != DeviceAccess::NoPermission) {
        GTEST_SKIP() << device << " is missing, or open to everyone";
    }
    EXPECT_EQ(openFailureAsUser(device), OpenFailure::NoPermission);
}

TEST(PortFailure, ADeviceHeldByAnotherOpenerIsBusy) {
    Pty pty;
    ASSERT_FALSE(pty.device().empty());
    ::chmod(pty.device().c_str(), 0666);
    PosixSerialLine holder;
    ASSERT_TRUE(holder.open(pty.device(), {}));
    // Root is refused by the lock, an ordinary user already by the exclusive mode.
    EXPECT_EQ(openFailure(pty.device()), OpenFailure::Busy);
    EXPECT_EQ(openFailureAsUser(pty.device()), OpenFailure::Busy);
    const std::string text = openFailureText(pty.device(), {OpenFailure::Busy, EBUSY});
    EXPECT_EQ(text.rfind(pty.device() + ": busy, held by another program.", 0), 0u) << text;
    holder.close();
    PosixSerialLine again;
    EXPECT_TRUE(again.open(pty.device(), {}));
    EXPECT_EQ(again.lastOpenError().failure, OpenFailure::None);
}

TEST(PortFailure, OtherFailuresSayWhatTheSystemSays) {
    EXPECT_EQ(openFailureText("/dev/ttyS3", {OpenFailure::Other, EAGAIN}),
              "/dev/ttyS3: " + std::generic_category().message(EAGAIN) + ".");
    EXPECT_EQ(openFailureText("/dev/ttyS3", {OpenFailure::Other, 0}),
              "/dev/ttyS3: cannot be opened.");
}

TEST(DeviceAccess, WithoutOpeningTheDevice) {
    Pty pty;
    ASSERT_FALSE(pty.device().empty());
    test::TempDir dir;
    const auto asUser = [](const std::string& device) {
        return static_cast<DeviceAccess>(
            test::runUnprivileged([&] { return static_cast<int>(deviceAccess(device)); }));
    };
    ::chmod(pty.device().c_str(), 0666);
    EXPECT_EQ(asUser(pty.device()), DeviceAccess::Usable);
    ::chmod(pty.device().c_str(), 0);
    EXPECT_EQ(asUser(pty.device()), DeviceAccess::NoPermission);
    EXPECT_EQ(deviceAccess(dir.file("ttyUSB7")), DeviceAccess::Missing);
}

}  // namespace
}  // namespace vorn
