// Sending lines: framing and stamping, the acknowledgement wait, attempts, beeps and the error
// lines of a send, against a scripted scale in virtual time.

#include <gtest/gtest.h>

#include "comm/Engine.h"
#include "comm/WireFrame.h"
#include "tests/comm/EngineScriptedLine.h"

namespace vorn {
namespace {

using test::ScriptedTransfer;
using Outcome = EngineTransferRunner::Outcome;

TEST(EngineSend, RequestGoesOutStampedAndFramedByteForByte) {
    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    EXPECT_EQ(t.run("00021000070001000000\n"), Outcome::Finished);
    ASSERT_FALSE(t.line.frames.empty());
    const std::string expected = {0x02, 0x30, 0x30, 0x30, 0x32, 0x31, 0x30, 0x30,
                                  0x30, 0x30, 0x37, 0x30, 0x30, 0x30, 0x31, 0x30,
                                  0x31, 0x30, 0x30, 0x30, 0x30, 0x03, 0x07};
    EXPECT_EQ(t.line.frames[0], expected);
    // Frame, then the ACK of the answer, nothing else.
    EXPECT_EQ(t.line.written, expected + "\x06");
    EXPECT_EQ(t.trfIn(), "10021000070001010000\r\n");
    EXPECT_EQ(t.line.opens, 1);
    EXPECT_EQ(t.line.closes, 1);
    EXPECT_FALSE(t.line.isOpen);
    EXPECT_TRUE(t.prompts.texts().empty());
}

TEST(EngineSend, StampingReplacesBlockDigitAndScaleOnly) {
    EXPECT_EQ(stampLine("00021000000001000001Fruit", "01"), "00021000000001010001Fruit");
    EXPECT_EQ(stampLine("0002100000000000", "07"), "0002100000000107");
    EXPECT_EQ(wire::frameLine("2abc").back(), static_cast<char>('2' ^ 'a' ^ 'b' ^ 'c' ^ 0x17));
}

TEST(EngineSend, ScaleThatNeverAnswersCostsThreeAttemptsAndTheLine) {
    ScriptedTransfer t;
    t.run("0002100000000100000001Fruit\n0002100000000100000002Meat\n");
    ASSERT_EQ(t.line.frames.size(), 3u);  // one line, three attempts; the second is not sent
    EXPECT_EQ(t.sentTexts()[2], "0002100000000101000001Fruit");
    EXPECT_EQ(t.beepsOf(Beep::Question), 2);
    EXPECT_EQ(t.trfIn(), "02206\r\n");
    // Each attempt waits a little over six seconds of silence.
    EXPECT_GE(t.clock.nowMs(), 3 * 7000);
    EXPECT_LT(t.clock.nowMs(), 3 * 8000);
    const auto prompts = t.prompts.prompts();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].text, "TimeOut");
    EXPECT_EQ(prompts[0].icon, PromptIcon::Error);
    EXPECT_EQ(prompts[0].caption, std::string());
}

TEST(EngineSend, OnceAcknowledgedAFailedLineIsSentFourTimesThenTheScaleIsLeft) {
    ScriptedTransfer t;
    int frames = 0;
    t.line.scale = [&](test::ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1 && ++frames == 1) {
            test::goodScale(l, unit);  // only the first line is acknowledged
        }
    };
    t.run(
        "0002100000000100000001Fruit\n0002100000000100000002Meat\n"
        "0002100000000100000003Fish\n");
    // The second line: four sends of three attempts each; the third line is not sent.
    ASSERT_EQ(t.line.frames.size(), 1u + 4u * 3u);
    EXPECT_EQ(t.sentTexts().back(), "0002100000000101000002Meat");
    EXPECT_EQ(t.trfIn(), "1002100000000101000001Fruit\r\n02206\r\n");
    EXPECT_EQ(t.beepsOf(Beep::Question), 4 * 2);
}

TEST(EngineSend, BlockLineThatGoesThroughOnItsSecondSendLeavesNoErrorLine) {
    ScriptedTransfer t;
    int frames = 0;
    t.line.scale = [&](test::ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1 && (++frames == 1 || frames > 4)) {
            test::goodScale(l, unit);
        }
    };
    t.run("0002600000000100first\n2002600000000100block\n0002600000000100last\n");
    EXPECT_EQ(t.line.frames.size(), 1u + 3u + 1u + 1u);
    EXPECT_EQ(t.trfIn(), "1002600000000101first\r\n1002600000000101last\r\n");
}

TEST(EngineSend, QuietRunShowsNoTimeOut) {
    ScriptedTransfer t;
    TransferRequest quiet;
    quiet.quiet = true;
    t.run("0002100000000100000001Fruit\n", quiet);
    EXPECT_EQ(t.trfIn(), "02206\r\n");
    EXPECT_TRUE(t.prompts.texts().empty());
}

TEST(EngineSend, NakThenSilenceFailsTheAttemptAndTheNextAttemptIsAcknowledged) {
    ScriptedTransfer t;
    int frames = 0;
    t.line.scale = [&](test::ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1 && ++frames == 1) {
            l.send("\x15");
        } else {
            test::goodScale(l, unit);
        }
    };
    t.run("0002100000000100000001Fruit\n");
    EXPECT_EQ(t.line.frames.size(), 2u);
    EXPECT_EQ(t.beepsOf(Beep::Question), 1);
    EXPECT_EQ(t.trfIn(), "1002100000000101000001Fruit\r\n");
}

TEST(EngineSend, NakInTheLastCycleOfEveryAttemptGives02210) {
    ScriptedTransfer t;
    // A scale that keeps refusing: NAK after NAK until the eleven seconds are over.
    t.line.scale = [](test::ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1) {
            for (int i = 0; i < 40; ++i) {
                l.send("\x15", 300);
            }
        }
    };
    t.run("0002100000000100000001Fruit\n");
    EXPECT_EQ(t.line.frames.size(), 3u);
    EXPECT_EQ(t.trfIn(), "02210\r\n");
}

TEST(EngineSend, EtxOrEtbAlsoCountAsAcknowledgement) {
    for (const char ack : {'\x03', '\x17'}) {
        ScriptedTransfer t;
        t.line.scale = [ack](test::ScriptedLine& l, const std::string& unit) {
            if (unit.size() > 1) {
                l.send(std::string(1, ack));
                l.send(test::scaleFrame(test::acceptedAnswer(test::frameText(unit))));
            }
        };
        t.run("0002100000000100000001Fruit\n");
        EXPECT_EQ(t.trfIn(), "1002100000000101000001Fruit\r\n");
    }
}

TEST(EngineSend, EtbLinesAwaitNoAnswer) {
    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    t.run("2002600000000100part one\n3002600000000100part two\n0002600000000100last part\n");
    EXPECT_EQ(t.sentTexts(),
              (std::vector<std::string>{"2002600000000101part one", "3002600000000101part two",
                                        "0002600000000101last part"}));
    EXPECT_EQ(t.line.frames[0][t.line.frames[0].size() - 2], '\x17');
    EXPECT_EQ(t.line.frames[2][t.line.frames[2].size() - 2], '\x03');
    EXPECT_EQ(t.trfIn(), "1002600000000101last part\r\n");
}

TEST(EngineSend, IncompleteWriteGives02207) {
    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    t.line.failWritesFrom = 5;
    t.run("0002100000000100000001Fruit\n");
    EXPECT_TRUE(t.line.frames.empty());
    EXPECT_EQ(t.beepsOf(Beep::Question), 2);
    EXPECT_EQ(t.trfIn(), "02207\r\n");
    // An attempt stops writing at the first refused byte; each failure beeps and counts as a
    // time-out, so the run ends with the "TimeOut" box.
    EXPECT_EQ(t.line.writes, 6 + 1 + 1);
    EXPECT_EQ(t.beepsOf(Beep::Plain), 3);
    EXPECT_EQ(t.prompts.texts(), std::vector<std::string>{"TimeOut"});
}

TEST(EngineSend, FailingReadsBeepCountAsTimeOutAndTheRunEnds) {
    ScriptedTransfer t;
    t.line.failReadsFrom = 0;
    t.run("0002100000000100000001Fruit\n0002100000000100000002Meat\n");
    EXPECT_EQ(t.trfIn(), "02206\r\n");
    EXPECT_GT(t.beepsOf(Beep::Plain), 10);
    EXPECT_EQ(t.prompts.texts(), std::vector<std::string>{"TimeOut"});
    EXPECT_FALSE(t.line.isOpen);
}

TEST(EngineSend, RtsIsOnForFramesAndOffWhileWaiting) {
    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    t.run("0002100000000100000001Fruit\n");
    // Port opened (on), frame (on, off), answer (off), its ACK (on).
    EXPECT_EQ(t.line.rts, (std::vector<bool>{true, true, false, false, true}));
}

TEST(EngineSend, PortSettingsComeFromComportIni) {
    ScriptedTransfer t;
    test::writeFile(t.dir.file("comport.ini"), "2,19200,7,2,2");
    t.line.scale = test::goodScale;
    t.run("0002100000000100000001Fruit\n");
    EXPECT_EQ(t.line.openedSettings.baudRate, 19200);
    EXPECT_EQ(t.line.openedSettings.dataBits, 7);
    EXPECT_EQ(t.line.openedSettings.stopBits, 2);
    EXPECT_EQ(t.line.openedSettings.parity, 2);
    EXPECT_EQ(t.line.openedDevice, "/dev/scripted");  // the override wins over the port number
}

}  // namespace
}  // namespace vorn
