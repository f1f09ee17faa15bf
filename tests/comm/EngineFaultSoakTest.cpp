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
#include "tests/comm/CompressedLine.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"
#include "tests/support/ThreadCount.h"

namespace vorn {
namespace {

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
    int msPerByte = 0;  // the engine's time a byte read takes (busy frames come on for ever)
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
        // Answer frames spoilt once: the scale's own resend, a second later, is taken.
        {"answer cut off", {"--cut", "1"}, kAllAnswered, false, 250},
        {"answer with a wrong status",
         {"--after", "1", "--bad-status", "1"},
         kAllAnswered,
         false,
         250},
        {"line feed in an answer", {"--line-feed", "2"}, kAllAnswered, false, 250},
        {"answer without its STX", {"--headless", "1"}, kAllAnswered, false, 250},
        // An answer sent again after its acknowledgement lands in the next line's exchange.
        {"answer repeated", {"--repeat", "3"}, kAllAnswered},
        {"stale bytes before the ACK", {"--stale", "3"}, kAllAnswered},
        {"request never answered once", {"--no-answer", "1"}, kAllAnswered},
        {"request never answered",
         {"--no-answer", "4"},
         "02202 no answer from the scale, or only part of one\r\n"},
        {"endless ETB frames",
         {"--endless", "etb"},
         "02212 the answer did not end: more records than the table holds\r\n"},
        {"endless busy frames",
         {"--endless", "busy"},
         "02213 the scale stayed busy: no answer came in 60 seconds\r\n",
         false,
         20,
         -1,
         1000},
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
        test::CompressedLine line(clock, fault.realWaitMs);
        line.vanishAfterBytes = fault.vanishAfterBytes;
        line.msPerByte = fault.msPerByte;
        line.vanish = [&scale] { scale.vanish(); };
        EngineEnvironment env;
        env.line = &line;
        env.clock = &clock;
        env.device = scale.device();
        env.comPortFile = dir.file("comport.ini");
        EngineTransferRunner runner(env);
        TransferRequest request{"", false, 0, 1, true};
        request.answerFrameLimit = 50;
        runner.run(request);

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
