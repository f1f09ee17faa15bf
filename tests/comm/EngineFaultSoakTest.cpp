// Transfers of the real engine over the real serial code to vornsim with each of its faults
// switched on (NAK, silence, a bad block check, busy frames, dropped acknowledgements) and with
// a scale that vanishes in the middle of a frame. Every run must end with the right first line
// of trf.in, the port released and no thread left behind; the simulator must end cleanly.
//
// The engine runs in compressed time: a read that finds no byte waits a few real milliseconds
// and tells the engine's clock that its whole time-out has passed, so that the long waits of
// the protocol (six seconds of silence, three attempts) take a fraction of a second.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "comm/EngineTransferRunner.h"
#include "comm/TransferFiles.h"
#include "platform/Clock.h"
#include "platform/SerialLine.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"
#include "tests/support/ThreadCount.h"

namespace vorn {
namespace {

// The real line in compressed time; it can make the scale vanish after some bytes written.
class CompressedLine : public SerialLine {
public:
    CompressedLine(VirtualClock& clock, int realWaitMs)
        : line_(makePosixSerialLine()), clock_(clock), realWaitMs_(realWaitMs) {}

    std::function<void()> vanish;
    int vanishAfterBytes = -1;

    bool open(const std::string& device, const LineSettings& settings) override {
        return line_->open(device, settings);
    }
    ReadResult readByte(int timeoutMs) override {
        const ReadResult r = line_->readByte(std::min(timeoutMs, realWaitMs_));
        if (r.status == ReadStatus::None) {
            clock_.advanceMs(timeoutMs);
        }
        return r;
    }
    bool writeByte(unsigned char byte) override {
        if (vanish && written_++ == vanishAfterBytes) {
            vanish();
        }
        return line_->writeByte(byte);
    }
    void drain() override { line_->drain(); }
    void purge() override { line_->purge(); }
    void setRts(bool on) override { line_->setRts(on); }
    void close() override { line_->close(); }

private:
    std::unique_ptr<SerialLine> line_;
    VirtualClock& clock_;
    int realWaitMs_;
    int written_ = 0;
};

const std::vector<std::string> kGroups = {
    "00021000000001000001FRUIT               0000",
    "00021000000001000002MEAT                0000",
    "00021000000001000003FISH                0000",
};

// The scale's answer to a line: status '1' and scale 01 stamped in.
std::string answerTo(std::string line) {
    line[0] = '1';
    line.replace(13, 3, "101");
    return line;
}

const std::string kAllAnswered =
    answerTo(kGroups[0]) + "\r\n" + answerTo(kGroups[1]) + "\r\n" + answerTo(kGroups[2]) + "\r\n";

struct Fault {
    const char* name;
    std::vector<std::string> switches;
    std::string trfIn;  // all of trf.in, or only its first line when firstLineOnly
    bool firstLineOnly = false;
    // The real wait of a read that finds no byte: time enough for the scale to answer on a busy
    // machine. Where vornsim must resend after its own second, the engine's patience covers it.
    int realWaitMs = 20;
    int vanishAfterBytes = -1;
};

std::vector<Fault> faults() {
    return {
        {"no fault", {}, kAllAnswered},
        {"two NAKs", {"--nak", "2"}, kAllAnswered},
        // A NAK does not end the acknowledgement wait: the silence after it does.
        {"three NAKs", {"--nak", "3"}, "02206\r\n"},
        {"silence", {"--silent"}, "02206\r\n"},
        {"bad block check", {"--bad-bcc", "1"}, kAllAnswered, false, 250},  // 10 reads > 1 s
        // Four sends of three attempts, every answer spoilt: its error code, not its text.
        {"bad block check every time",
         {"--bad-bcc", "12"},
         "02204 damaged answer from the scale\r\n",
         false,
         250},
        {"busy frames", {"--busy", "2"}, kAllAnswered},
        {"dropped acknowledgement", {"--no-ack", "1"}, kAllAnswered},
        {"vanished in the first frame", {}, "02207\r\n", true, 20, 10},
        {"vanished in the second frame", {}, answerTo(kGroups[0]) + "\r\n", true, 20, 60},
    };
}

std::string firstLineOf(const std::string& text) {
    const std::size_t end = text.find('\n');
    return end == std::string::npos ? text : text.substr(0, end + 1);
}

TEST(EngineFaultSoak, EveryFaultEndsRightWithThePortReleasedAndNoThreadLeft) {
    test::RecordingPrompter prompts;
    // A thread started and joined first: a sanitizer's runtime starts a helper thread of its
    // own along with the first thread of the process.
    std::thread([] {}).join();
    const int threadsBefore = test::threadsOfThisProcess();
    std::string out;
    for (const std::string& line : kGroups) {
        out += line + "\r\n";
    }
    for (const Fault& fault : faults()) {
        SCOPED_TRACE(fault.name);
        test::TempDir dir(test::TempDir::Enter);
        test::SimulatedScale scale(fault.switches);
        ASSERT_TRUE(scale.ready());
        test::writeFile(transferfile::kOut, out);

        VirtualClock clock;
        CompressedLine line(clock, fault.realWaitMs);
        line.vanishAfterBytes = fault.vanishAfterBytes;
        line.vanish = [&scale] { scale.vanish(); };
        EngineEnvironment env;
        env.line = &line;
        env.clock = &clock;
        env.device = scale.device();
        env.comPortFile = dir.file("comport.ini");
        EngineTransferRunner runner(env);
        runner.run(TransferRequest{"", false, 0, 1, true});

        const std::string trfIn = test::readFile(transferfile::kIn);
        EXPECT_EQ(fault.firstLineOnly ? firstLineOf(trfIn) : trfIn, fault.trfIn);
        EXPECT_TRUE(test::threadsSettleAt(threadsBefore));
        if (fault.vanishAfterBytes < 0) {
            // Released: the device opens again for a program of its own.
            const auto other = makePosixSerialLine();
            EXPECT_TRUE(other->open(scale.device(), LineSettings{}));
            other->close();
            EXPECT_EQ(scale.stop(), 0) << "the simulator did not end cleanly";
        }
    }
}

}  // namespace
}  // namespace vorn
