// The POSIX serial line on a real pseudo-terminal (the simulator's end): exclusive open, line
// settings, reads with a time-out, and reopening after close.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

#include <cstdlib>
#include <string>
#include <thread>

#include "comm/EngineTransferRunner.h"
#include "platform/PosixSerialLine.h"
#include "platform/SerialSpeed.h"
#include "sim/PtyLink.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

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
    EXPECT_FALSE(line.open(scale.slaveName(), {0, 8, 0, 0}));
    EXPECT_FALSE(line.open("/dev/null", {}));  // not a terminal
    // Every rate of the port dialog, 14400 too, which has no termios constant.
    const int watcher = ::open(scale.slaveName().c_str(), O_RDONLY | O_NOCTTY);
    ASSERT_GE(watcher, 0);
    for (const int baud : {1200, 2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200}) {
        EXPECT_TRUE(line.open(scale.slaveName(), {baud, 7, 1, 3})) << baud;
        EXPECT_EQ(exactSpeed(watcher), baud);
        // Again with the same settings: the pseudo-terminal's lack of parity is no error.
        EXPECT_TRUE(line.open(scale.slaveName(), {baud, 7, 1, 3})) << baud;
    }
    ::close(watcher);
    EXPECT_TRUE(line.open(scale.slaveName(), {9600, 8, 0, 0}));
    EXPECT_EQ(scale.baud(), 9600);
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
    EXPECT_FALSE(makeLineTermios(tio, {0, 8, 0, 0}));
    EXPECT_FALSE(makeLineTermios(tio, {5000000, 8, 0, 0}));
    EXPECT_TRUE(makeLineTermios(tio, {14400, 8, 0, 0}));
}

// A scale end that answers the first line, then vanishes (its pseudo-terminal master is closed)
// once the second line has arrived, before acknowledging it.
class VanishingScale {
public:
    VanishingScale() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            device_ = ::ptsname(master_);
        }
    }
    ~VanishingScale() {
        if (thread_.joinable()) {
            thread_.join();
        }
        closeMaster();
    }
    const std::string& device() const { return device_; }

    void serve() {
        thread_ = std::thread([this] {
            std::string frame;
            int frames = 0;
            char c = 0;
            while (master_ >= 0 && ::read(master_, &c, 1) == 1) {
                frame.push_back(c);
                const std::size_t n = frame.size();
                if (n >= 2 && frame[n - 2] == 0x03 && frame[0] == 0x02) {
                    if (++frames == 2) {
                        closeMaster();  // the second frame is out: the device is gone
                        return;
                    }
                    std::string answer = frame.substr(1, n - 3);
                    answer[0] = '1';
                    unsigned char bcc = 0x03;
                    for (const char a : answer) {
                        bcc ^= static_cast<unsigned char>(a);
                    }
                    const std::string reply =
                        "\x06\x02" + answer + "\x03" + std::string(1, static_cast<char>(bcc));
                    (void)::write(master_, reply.data(), reply.size());
                    frame.clear();
                } else if (n == 1 && c != 0x02) {
                    frame.clear();  // the PC's ACK of the answer
                }
            }
        });
    }

private:
    void closeMaster() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }
    int master_ = -1;
    std::string device_;
    std::thread thread_;
};

TEST(PtySerialLine, DeviceThatVanishesMidTransferEndsThePassWithEverythingClosed) {
    VanishingScale scale;
    ASSERT_FALSE(scale.device().empty());
    test::TempDir dir(test::TempDir::Enter);
    test::RecordingPrompter prompts;
    test::writeFile("trf.out",
                    "00021000000001000001Fruit               0000\n"
                    "00021000000001000002Meat                0000\n"
                    "00021000000001000003Fish                0000\n");
    VirtualClock clock;  // the failing reads' waits pass in virtual time
    PosixSerialLine line;
    int beeps = 0;
    EngineEnvironment env;
    env.line = &line;
    env.clock = &clock;
    env.beep = [&](Beep b) { beeps += b == Beep::Plain ? 1 : 0; };
    env.device = scale.device();
    env.comPortFile = dir.file("comport.ini");
    scale.serve();
    EngineTransferRunner runner(env);
    const auto start = std::chrono::steady_clock::now();
    runner.run({});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(runner.lastOutcome(), EngineTransferRunner::Outcome::Finished);
    EXPECT_FALSE(line.isOpen());
    EXPECT_GT(beeps, 0);
    // The first answer stands. The second line's acknowledgement wait reads nothing but
    // failures; its sends after that cannot be written; the rest of trf.out is not sent.
    EXPECT_EQ(test::readFile("trf.in"),
              "10021000000001010001Fruit               0000\r\n02207\r\n");
    EXPECT_NE(test::readFile("log.hex").find(" \nr: |ff \nr: |ff"), std::string::npos);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"TimeOut"});
    // Logs stay small: a dead line is not polled in a tight loop.
    EXPECT_LT(test::readFile("log.hex").size(), 20000u);
}

}  // namespace
}  // namespace vorn
