// The POSIX serial line on a real pseudo-terminal (the simulator's end): exclusive open, line
// settings, reads with a time-out, and reopening after close.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

#include "platform/PosixSerialLine.h"
#include "sim/PtyLink.h"

namespace vorn {
namespace {

TEST(PtySerialLine, BytesTravelBothWaysAndReadsTimeOut) {
    vornsim::PtyLink scale;
    std::string error;
    ASSERT_TRUE(scale.create(error)) << error;
    PosixSerialLine line;
    ASSERT_TRUE(line.open(scale.slaveName(), {19200, 8, 0, 0}));
    EXPECT_EQ(scale.baud(), 19200);
    line.setRts(true);  // refused by a pseudo-terminal, harmlessly
    ASSERT_TRUE(line.writeByte(0x02));
    ASSERT_TRUE(line.writeByte(0x0A));  // raw: no translation of line feeds
    line.drain();
    EXPECT_EQ(scale.read(1000), '\x02');
    EXPECT_EQ(scale.read(1000), '\x0A');
    scale.write("\x06\r");
    ReadResult r = line.readByte(1000);
    EXPECT_EQ(r.status, ReadStatus::Byte);
    EXPECT_EQ(r.byte, 0x06);
    EXPECT_EQ(line.readByte(1000).byte, '\r');
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(line.readByte(120).status, ReadStatus::None);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    scale.write("x");
    line.purge();
    EXPECT_EQ(line.readByte(50).status, ReadStatus::None);
}

TEST(PtySerialLine, SecondOpenerIsRefusedUntilTheFirstCloses) {
    vornsim::PtyLink scale;
    std::string error;
    ASSERT_TRUE(scale.create(error)) << error;
    PosixSerialLine first;
    PosixSerialLine second;
    ASSERT_TRUE(first.open(scale.slaveName(), {}));
    EXPECT_FALSE(second.open(scale.slaveName(), {}));
    first.close();
    EXPECT_TRUE(second.open(scale.slaveName(), {}));  // also after TIOCEXCL on a held device
}

TEST(PtySerialLine, SettingsAndDevicesThatCannotBeUsed) {
    vornsim::PtyLink scale;
    std::string error;
    ASSERT_TRUE(scale.create(error)) << error;
    PosixSerialLine line;
    EXPECT_FALSE(line.open("/dev/vorn-no-such-port", {}));
    EXPECT_FALSE(line.open(scale.slaveName(), {12345, 8, 0, 0}));
    EXPECT_FALSE(line.open("/dev/null", {}));  // not a terminal
    for (const int baud : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200}) {
        EXPECT_TRUE(line.open(scale.slaveName(), {baud, 7, 1, 3})) << baud;
        EXPECT_EQ(scale.baud(), baud);
    }
    EXPECT_EQ(line.readByte(10).status, ReadStatus::None);
    line.close();
    EXPECT_EQ(line.readByte(10).status, ReadStatus::Failure);
    EXPECT_FALSE(line.writeByte('x'));
}

TEST(PtySerialLine, LineSettingsBecomeTermiosFlags) {
    // A pseudo-terminal keeps only eight bits without parity, so the flags are checked as made.
    struct Case {
        LineSettings settings;
        tcflag_t size;
        bool parity, odd, stick, twoStop;
    };
    const Case cases[] = {
        {{9600, 8, 0, 0}, CS8, false, false, false, false},
        {{9600, 7, 1, 1}, CS7, true, true, false, true},    // odd, 1.5 stop bits as two
        {{9600, 6, 0, 2}, CS6, true, false, false, false},  // even
        {{9600, 5, 2, 3}, CS5, true, true, true, true},     // mark
        {{9600, 8, 0, 4}, CS8, true, false, true, false},   // space
    };
    for (const Case& c : cases) {
        termios tio{};
        tio.c_cflag = CRTSCTS | PARODD;
        tio.c_iflag = IXON | IXOFF;
        ASSERT_TRUE(makeLineTermios(tio, c.settings));
        EXPECT_EQ(tio.c_cflag & CSIZE, c.size);
        EXPECT_EQ((tio.c_cflag & PARENB) != 0, c.parity);
        EXPECT_EQ((tio.c_cflag & PARODD) != 0, c.odd);
        EXPECT_EQ((tio.c_cflag & CMSPAR) != 0, c.stick);
        EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, c.twoStop);
        EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
        EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), 0u);
        EXPECT_TRUE(tio.c_cflag & CLOCAL);
        EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
    }
    termios tio{};
    EXPECT_FALSE(makeLineTermios(tio, {300, 8, 0, 0}));
}

}  // namespace
}  // namespace vorn
