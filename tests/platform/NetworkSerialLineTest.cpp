// The network line against a device server played here on a loopback port: one that takes the
// connection and ends it when the first byte has come, after its words, after a scale's byte
// or silently. Its words before the scale's first byte are a refusal, wherever they surface.
// And the guard that keeps the SIGPIPE of a write into a closed connection from ending the
// program, without changing its signal handling.

#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/BrokenPipeGuard.h"
#include "platform/NetworkSerialLine.h"
#include "tests/support/DeviceServer.h"

namespace vorn {
namespace {

bool pipeSignalsAsTheProgramSetThem() {
    struct sigaction action {};
    sigset_t mask;
    return ::sigaction(SIGPIPE, nullptr, &action) == 0 && action.sa_handler == SIG_DFL &&
           ::pthread_sigmask(SIG_BLOCK, nullptr, &mask) == 0 && !sigismember(&mask, SIGPIPE);
}

TEST(NetworkSerialLine, AConnectionEndedBeforeTheScalesFirstByteIsARefusal) {
    const struct {
        const char* reply;
        const char* refusal;  // the words of a refusal, or null for a dropped connection
    } cases[] = {
        {"Port already in use\r\n", "Port already in use"},
        {"\x06Port already in use\r\n", nullptr},  // the scale had acknowledged: dropped
        {"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        test::OneShotServer server(c.reply);
        NetworkSerialLine line;
        ASSERT_TRUE(line.open(server.address(), {})) << line.lastOpenError().detail;
        // Bytes go out until the line notices the end, without the reads that would take in
        // the words first.
        for (int i = 0; i < 500 && line.failureText().empty() &&
                        line.refusalAfterOpen().failure == OpenFailure::None;
             ++i) {
            if (line.writeByte(0x02)) {
                line.drain();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        while (line.readByte(10).status == ReadStatus::Byte) {
        }
        EXPECT_EQ(line.readByte(10).status, ReadStatus::Failure);
        if (c.refusal != nullptr) {
            EXPECT_EQ(line.refusalAfterOpen().failure, OpenFailure::UserRefused);
            EXPECT_EQ(line.refusalAfterOpen().detail, c.refusal);
            EXPECT_EQ(line.failureText(), "");
        } else {
            EXPECT_EQ(line.refusalAfterOpen().failure, OpenFailure::None);
            EXPECT_EQ(line.failureText(),
                      server.address() + ": the device server closed the connection.");
        }
        EXPECT_TRUE(pipeSignalsAsTheProgramSetThem());
    }
}

TEST(BrokenPipeGuard, AWriteIntoAClosedPipeNeitherEndsTheProgramNorChangesItsSignals) {
    ASSERT_TRUE(pipeSignalsAsTheProgramSetThem());
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    {
        const BrokenPipeGuard guard;
        const BrokenPipeGuard nested;
        EXPECT_EQ(::write(ends[1], "x", 1), -1);  // raises SIGPIPE for this thread
        EXPECT_EQ(errno, EPIPE);
    }
    ::close(ends[1]);
    sigset_t pending;
    ASSERT_EQ(::sigpending(&pending), 0);
    EXPECT_FALSE(sigismember(&pending, SIGPIPE));
    EXPECT_TRUE(pipeSignalsAsTheProgramSetThem());
}

}  // namespace
}  // namespace vorn
