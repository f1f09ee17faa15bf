// A whole run: which lines of trf.out go out, what trf.in and the logs hold, Cancel, an empty
// trf.out, a port or a file that cannot be opened, the item count, and batch passes.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "comm/RunState.h"
#include "comm/TransferFileReader.h"
#include "comm/TransferProgress.h"
#include "comm/WireFrame.h"
#include "platform/PortFailure.h"
#include "tests/comm/EngineScriptedLine.h"

namespace vorn {
namespace {

using test::readFile;
using test::ScriptedLine;
using test::ScriptedTransfer;
using test::writeFile;
using Outcome = EngineTransferRunner::Outcome;

const std::string kA = "0002100000000100000001Fruit";
const std::string kB = "0002100000000100000002Meat";
const std::string kC = "0002100000000100000003Fish";

std::string sent(const std::string& line) {
    std::string s = line;
    s[13] = '1';
    s[14] = '0';
    s[15] = '1';
    return s;
}

TEST(EngineRun, CommentShortAndCtrlZLinesAreNotSent) {
    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    t.run("'header of a PLU file\r\n" + kA + "\r\n'comment\r\n" + kB + "\r\nshort line\r\n" + kC +
          "\r\n\x1A\r\n" + kA + "\r\n");
    EXPECT_EQ(t.sentTexts(), (std::vector<std::string>{sent(kA), sent(kB), sent(kC)}));
    for (const auto& f : t.line.frames) {
        EXPECT_EQ(f.find('\r'), std::string::npos);  // a CR never goes on the wire
    }
    EXPECT_EQ(t.trfIn(), "1" + sent(kA).substr(1) + "\r\n1" + sent(kB).substr(1) + "\r\n1" +
                             sent(kC).substr(1) + "\r\n");
}

TEST(EngineRun, LongCtrlZLineEndsTheFileUnsent) {
    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    t.run(kA + "\n\x1A" + std::string(30, '0') + "\n" + kB + "\n");
    EXPECT_EQ(t.sentTexts(), std::vector<std::string>{sent(kA)});
}

TEST(EngineRun, EmptyOrShortFirstLineSendsNothingAndEndsStopped) {
    for (const std::string& out : {std::string(), std::string("'only a comment\n"),
                                   std::string("0002100000\n") + kA + "\n"}) {
        ScriptedTransfer t;
        t.line.scale = test::goodScale;
        writeFile(t.dir.file("trf.in"), "old answer\r\n");
        EXPECT_EQ(t.run(out), Outcome::Stopped);
        EXPECT_TRUE(t.line.written.empty());
        EXPECT_EQ(readFile(t.dir.file("trf.in")), "");
        EXPECT_EQ(readFile(t.dir.file("log.asc")), "");
        EXPECT_EQ(readFile(t.dir.file("log.hex")), "");
        EXPECT_EQ(t.line.closes, 1);
        EXPECT_EQ(runState().stop, 1);
        EXPECT_TRUE(t.prompts.texts().empty());
    }
}

std::string hexOf(const std::string& bytes) {
    std::string out;
    for (const char c : bytes) {
        char h[8];
        std::snprintf(h, sizeof h, "%x ", static_cast<unsigned char>(c));
        out += h;
    }
    return out;
}

TEST(EngineRun, LogsHoldEveryByteOfAnExchange) {
    ScriptedTransfer t;
    const std::string answer = test::scaleFrame("1002100000000101000007");
    t.line.scale = [&](ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1) {
            l.send("\x06");
            l.send(answer, 6000);  // one patient read of the answer goes without a byte
        }
    };
    t.run("0002100000000100000007\n");
    const std::string frame = test::scaleFrame("0002100000000101000007");
    ASSERT_NE(frame.back(), '\0');
    EXPECT_EQ(readFile(t.dir.file("log.asc")),
              " \nw: |" + frame + " \nBeginWaitAckTime:00:00:00 \nr: |\x06" +
                  " \nEndWaitAckTime: 00:00:00 \nr: | (Time: 00:00:05)\xff \nr: |" + answer);
    EXPECT_EQ(readFile(t.dir.file("log.hex")),
              " \nw: |" + hexOf(frame) +
                  " \nBeginWaitAckTime:00:00:00 \nr: |6 \nEndWaitAckTime: 00:00:00 \nr: |"
                  " (Time: 00:00:05)ff  \nr: |" +
                  hexOf(answer));
    EXPECT_EQ(t.trfIn(), "1002100000000101000007\r\n");
}

TEST(EngineRun, FrameWithZeroBlockCheckEndsEarlyInTheAsciiLog) {
    ScriptedTransfer t;
    ASSERT_EQ(wire::blockCheck("0002100000000101", 0x03), 0);
    t.line.scale = test::goodScale;
    t.run("0002100000000100\n");
    const std::string asc = readFile(t.dir.file("log.asc"));
    EXPECT_EQ(asc.substr(0, 30),
              " \nw: |\x02"
              "0002100000000101\x03 \nBegi");
    EXPECT_EQ(readFile(t.dir.file("log.hex")).substr(0, 62),
              " \nw: |2 30 30 30 32 31 30 30 30 30 30 30 30 30 31 30 31 3 0  \n");
}

TEST(EngineRun, CancelMidLineClosesEverythingAndKeepsTheAnswersSoFar) {
    ScriptedTransfer t;
    int answers = 0;
    t.line.scale = [&](ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1) {
            l.send("\x06");
            if (++answers <= 2) {
                l.send(test::scaleFrame(test::acceptedAnswer(test::frameText(unit))));
            }
        }
    };
    // The third line's answer never comes; Cancel is pressed from another thread meanwhile.
    std::atomic<bool> cancelled = false;
    t.line.beforeRead = [&](int) {
        if (answers == 3 && !cancelled) {
            cancelled = true;
            std::thread([] { runState().requestStop(); }).join();
        }
    };
    EXPECT_EQ(t.run(kA + "\n" + kB + "\n" + kC + "\n"), Outcome::Stopped);
    EXPECT_EQ(t.line.frames.size(), 3u);
    EXPECT_FALSE(t.line.isOpen);
    EXPECT_FALSE(runState().transferSucceeded);
    EXPECT_EQ(t.trfIn(), "1" + sent(kA).substr(1) + "\r\n1" + sent(kB).substr(1) +
                             "\r\n02211 user break or unnormally terminate!\r\n");
    EXPECT_TRUE(t.prompts.texts().empty());  // no TimeOut after a stop
    // The files are closed: they can be replaced at once.
    std::filesystem::remove(t.dir.file("trf.in"));
    std::filesystem::remove(t.dir.file("trf.out"));
}

TEST(EngineRun, CancelFromTheLineCallbackDuringTheAckWait) {
    ScriptedTransfer t;
    t.line.beforeRead = [](int n) {
        if (n == 3) {
            runState().requestStop();
        }
    };
    EXPECT_EQ(t.run(kA + "\n"), Outcome::Stopped);
    EXPECT_EQ(t.line.reads, 4);  // no read after the stop was noticed
    EXPECT_LT(t.clock.nowMs(), 2000);
    EXPECT_EQ(t.trfIn(), "02211 user break or unnormally terminate!\r\n");
}

TEST(EngineRun, ItemsSentTextCountsItemsOfSeveralRecords) {
    EXPECT_EQ(itemsSentText(6, 2, ""), " 3 items has sent!");
    EXPECT_EQ(itemsSentText(2, 2, ""), " 1 item has sent!");
    EXPECT_EQ(itemsSentText(1, 2, "before"), "before");
    EXPECT_EQ(itemsSentText(3, 0, ""), " 3 items has sent!");
    EXPECT_EQ(scaleTitle(1, "Deli        "), "Scale No.:1:Deli        ");

    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    TransferRequest r;
    r.recordsPerItem = 2;
    std::string out;
    for (int i = 0; i < 6; ++i) {
        out += kA + "\n";
    }
    t.run(out + "0002100000\n", r);  // the short line is passed over, not counted
    ASSERT_FALSE(t.progress.empty());
    EXPECT_EQ(t.progress.back().answerCount, 6);
    EXPECT_EQ(t.progress.back().itemsSentText, " 3 items has sent!");
    EXPECT_EQ(t.progress.front().scaleNumber, 1);
    EXPECT_EQ(t.progress.front().scaleName, std::string(12, ' '));
}

TEST(EngineRun, ErrorLinesAreNotCountedAndNoCountStaysFromAnEarlierRun) {
    ScriptedTransfer t;
    runState().answerCount = 5;
    TransferRequest r;
    t.run(kA + "\n", r);
    EXPECT_EQ(t.progress.front().answerCount, 0);
    EXPECT_EQ(t.progress.back().answerCount, 0);
    EXPECT_EQ(t.progress.back().itemsSentText, "");
}

TEST(EngineRun, PortThatCannotBeOpenedIsReportedAndLeavesNoEarlierAnswers) {
    // Refused at once, or by a device server that took the connection and refused it when the
    // first frame had gone (the line then fails; the refusal counts as the open's).
    const OpenError refusal{OpenFailure::UserRefused, 0, "Port already in use"};
    for (const bool afterOpen : {false, true}) {
        SCOPED_TRACE(afterOpen ? "after the open" : "at the open");
        ScriptedTransfer t;
        const OpenError why = afterOpen ? refusal : OpenError{OpenFailure::Busy, 0};
        if (afterOpen) {
            t.line.refusal = refusal;
            t.line.failReadsFrom = 0;
        } else {
            t.line.openSucceeds = false;
            t.line.openFailure = OpenFailure::Busy;
        }
        writeFile(t.dir.file("trf.in"), "10021000000001010001FRUIT               0000\r\n");
        EXPECT_EQ(t.run(kA + "\n"), Outcome::PortFailed);
        const auto prompts = t.prompts.prompts();
        ASSERT_EQ(prompts.size(), 1u);
        EXPECT_EQ(prompts[0].text, "Error opening COM port");
        // The device and the reason come as the box's detail.
        EXPECT_EQ(prompts[0].detail, openFailureText(t.line.openedDevice, why));
        EXPECT_EQ(prompts[0].icon, PromptIcon::Error);
        EXPECT_EQ(prompts[0].caption, std::string());
        EXPECT_EQ(readFile(t.dir.file("trf.in")), "");
        EXPECT_FALSE(t.line.isOpen);
    }
}

TEST(EngineRun, MissingTrfOutIsReportedAndThePortReleased) {
    ScriptedTransfer t;
    writeFile(t.dir.file("trf.in"), "10021000000001010001FRUIT               0000\r\n");
    EngineTransferRunner runner(t.environment());
    runner.run({});
    EXPECT_EQ(runner.lastOutcome(), Outcome::Stopped);
    EXPECT_EQ(t.prompts.texts(), std::vector<std::string>{"cant open file"});
    EXPECT_EQ(t.line.opens, 1);
    EXPECT_FALSE(t.line.isOpen);
    EXPECT_EQ(readFile(t.dir.file("trf.in")), "");
}

TEST(EngineRun, PortIsTheDeviceThatComportIniNames) {
    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    writeFile(t.dir.file("comport.ini"), "1,9600,8,0,0,/dev/pts/77");
    EngineEnvironment env = t.environment();
    env.device.clear();
    writeFile("trf.out", kA + "\n");
    EngineTransferRunner runner(env);
    runner.run({});
    EXPECT_EQ(t.line.openedDevice, "/dev/pts/77");
    writeFile(t.dir.file("comport.ini"), "2,9600,8,0,0");
    runner.run({});
    EXPECT_EQ(t.line.openedDevice, "/dev/ttyS1");
}

TEST(EngineRun, ScaleListEntriesMayLackTheirLastBlank) {
    const std::string list = "01Deli        02Bakery     ";
    EXPECT_EQ(scaleCount(list), 2);
    EXPECT_EQ(scaleEntry(list, 1), "02Bakery      ");
    EXPECT_EQ(scaleCount(""), 0);
}

TEST(EngineRun, TrfOutLinesAreCutAt1023CharactersAndKeepTheirLastCharacter) {
    test::TempDir dir;
    writeFile(dir.file("trf.out"), std::string(1030, 'a') + "\n'skip\r\nlast without end");
    TransferFileReader reader;
    ASSERT_TRUE(reader.open(dir.file("trf.out")));
    EXPECT_EQ(reader.next(), std::string(1023, 'a'));
    EXPECT_EQ(reader.next(), "last without end");
    EXPECT_EQ(reader.next(), std::nullopt);
    ASSERT_TRUE(reader.rewind());
    EXPECT_EQ(reader.next()->size(), 1023u);
}

// Batch passes: the worker sleeps between passes until the next is requested or the run stops.
struct CountingEvents : TransferEvents {
    void finished(bool stopped) override {
        finishedStopped = stopped;
        ++finishes;
    }
    void progress(int, const std::string&, int) override {}
    void portFailed() override {}
    std::atomic<int> finishes = 0;
    std::atomic<bool> finishedStopped = false;
};

void waitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 2000 && !done(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

TEST(EngineRun, BatchWorkerRunsAPassPerRequestUntilStopped) {
    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    writeFile("trf.out", kA + "\n");
    RunState& state = runState();
    prepareRunState({});
    state.setBatchRunning(true);
    state.stepReady = false;
    CountingEvents events;
    TransferWorker worker;
    worker.start(t.environment(), events);
    waitFor([&] { return t.line.opens == 1 && state.stepReady.load(); });
    ASSERT_TRUE(state.stepReady);
    EXPECT_EQ(t.line.opens, 1);
    EXPECT_TRUE(state.transferSucceeded);

    writeFile("trf.out", kB + "\n");
    state.requestNextPass();
    waitFor([&] { return t.line.opens == 2 && state.stepReady.load(); });
    EXPECT_EQ(t.trfIn(), "1" + sent(kB).substr(1) + "\r\n");
    EXPECT_EQ(events.finishes, 0);

    // An empty trf.out in a batch: the worker waits for the next step instead of ending.
    writeFile("trf.out", "");
    state.requestNextPass();
    waitFor([&] { return t.line.opens == 3 && state.stepReady.load(); });
    EXPECT_EQ(events.finishes, 0);

    // Stopped first: a worker woken by the end of the batch alone would finish unstopped.
    state.requestStop();
    state.setBatchRunning(false);
    worker.join();
    EXPECT_EQ(events.finishes, 1);
    EXPECT_TRUE(events.finishedStopped);
    EXPECT_EQ(t.line.opens, 3);
}

}  // namespace
}  // namespace vorn
