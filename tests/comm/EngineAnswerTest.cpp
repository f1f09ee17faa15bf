// Receiving answers: block check, busy frames, multi-frame answers, the checks that tie an
// answer to its line, and the repeat rule, against a scripted scale in virtual time.

#include <gtest/gtest.h>

#include <functional>

#include "comm/RunState.h"
#include "tests/comm/EngineScriptedLine.h"

namespace vorn {
namespace {

using test::acceptedAnswer;
using test::frameText;
using test::scaleFrame;
using test::ScriptedLine;
using test::ScriptedTransfer;

const std::string kGroup = "0002100000000100000001Fruit";
const std::string kGroupSent = "0002100000000101000001Fruit";
const std::string kGroupAnswer = "1002100000000101000001Fruit";

int acksIn(const std::string& written) {
    return static_cast<int>(std::count(written.begin(), written.end(), '\x06'));
}

TEST(EngineAnswer, WrongBlockCheckIsNotAcknowledgedAndTheRepeatIsAccepted) {
    ScriptedTransfer t;
    t.line.scale = [](ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1) {
            l.send("\x06");
            l.send(scaleFrame(acceptedAnswer(frameText(unit)), '\x03', 0x40));
            l.send(scaleFrame(acceptedAnswer(frameText(unit))), 1000);
        }
    };
    t.run(kGroup + "\n");
    EXPECT_EQ(t.trfIn(), kGroupAnswer + "\r\n");
    EXPECT_EQ(acksIn(t.line.written), 1);
    EXPECT_EQ(t.line.frames.size(), 1u);
}

TEST(EngineAnswer, BusyFramesAreWaitedThroughWithoutUsingAttempts) {
    ScriptedTransfer t;
    t.line.scale = [](ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1) {
            l.send("\x06");
            for (int i = 0; i < 5; ++i) {
                l.send(scaleFrame("32E-3"), 300);
            }
            l.send(scaleFrame(acceptedAnswer(frameText(unit))), 300);
        }
    };
    t.run(kGroup + "\n");
    EXPECT_EQ(t.trfIn(), kGroupAnswer + "\r\n");
    EXPECT_EQ(acksIn(t.line.written), 1);  // busy frames are not acknowledged
}

TEST(EngineAnswer, MultiFrameAnswerGivesOneLinePerFrameInOrder) {
    ScriptedTransfer t;
    const std::vector<std::string> records = {
        "1002100000000101000001Fruit", "1002100000000101000002Meat", "1002100000000101000003Fish"};
    t.line.scale = [&](ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1) {
            l.send("\x06");
            l.send(scaleFrame(records[0], '\x17'));
        } else if (unit == "\x06") {
            static int acked = 0;
            ++acked;
            if (acked < 3) {
                l.send(scaleFrame(records[acked], acked == 2 ? '\x03' : '\x17'));
            } else {
                acked = 0;
            }
        }
    };
    t.run("00021000070001000000\n");
    EXPECT_EQ(t.trfIn(), records[0] + "\r\n" + records[1] + "\r\n" + records[2] + "\r\n");
    EXPECT_EQ(t.line.frames.size(), 1u);
    EXPECT_EQ(acksIn(t.line.written), 3);
    ASSERT_FALSE(t.progress.empty());
    EXPECT_EQ(t.progress.back().answerCount, 3);
    EXPECT_EQ(t.progress.back().itemsSentText, " 3 items has sent!");
}

// A scale that acknowledges every frame and answers with the given text, sending it again
// while it is not acknowledged, as a scale does.
auto answering(std::string answer) {
    return [answer](ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1) {
            l.send("\x06");
            for (int i = 0; i < 3; ++i) {
                l.send(scaleFrame(answer), i == 0 ? 0 : 1000);
            }
        }
    };
}

TEST(EngineAnswer, AnswerThatDoesNotBelongIsSentFourTimesThenRefusedWithItsText) {
    struct Case {
        const char* why;
        std::string answer;
        int keyWidth;
    };
    const std::vector<Case> cases = {
        {"status", "0002100000000101000001Fruit", 0},
        {"short", "100210000000010", 0},
        {"key", "1002100000000101000002Fruit", 6},
        {"short for the key", "10021000000001010000", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ScriptedTransfer t;
        t.line.scale = answering(c.answer);
        TransferRequest r;
        r.keyWidth = c.keyWidth;
        t.run(kGroup + "\n" + kGroup + "\n", r);
        EXPECT_EQ(t.line.frames.size(), 4u);  // the line four times, then the scale is left
        EXPECT_EQ(acksIn(t.line.written), 0);
        EXPECT_EQ(t.trfIn(), "02204 answer not for this request: " + c.answer + "\r\n");
    }
}

TEST(EngineAnswer, MatchingKeyIsAccepted) {
    ScriptedTransfer t;
    t.line.scale = test::goodScale;
    TransferRequest r;
    r.keyWidth = 6;
    t.run(kGroup + "\n0002100000000100000002Meat\n", r);
    EXPECT_EQ(t.trfIn(), kGroupAnswer + "\r\n1002100000000101000002Meat\r\n");
}

TEST(EngineAnswer, ScaleListChecksTheAnsweringScaleAndServesEveryScale) {
    ScriptedTransfer t;
    // Scale 02 answers as if it were 01; scale 03 answers properly.
    t.line.scale = [](ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1) {
            std::string a = acceptedAnswer(frameText(unit));
            if (a.substr(14, 2) == "02") {
                a.replace(14, 2, "01");
            }
            l.send("\x06");
            for (int i = 0; i < 3; ++i) {
                l.send(scaleFrame(a), i == 0 ? 0 : 1000);
            }
        }
    };
    runState().setScaleList("02Deli        03Bakery      ");
    test::writeFile("trf.out", kGroup + "\n");
    // A runner's request has no scale list: run the worker directly with the list in place.
    struct Events : TransferEvents {
        void finished(bool) override {}
        void progress(int n, const std::string& name, int) override {
            titles.push_back(std::to_string(n) + name);
        }
        void portFailed() override {}
        std::vector<std::string> titles;
    } events;
    runState().batchRunning = false;
    runTransferWorker(t.environment(), events);
    runState().setScaleList({});
    EXPECT_EQ(t.sentTexts().size(), 4u + 1u);
    EXPECT_EQ(t.sentTexts()[0].substr(14, 2), "02");
    EXPECT_EQ(t.sentTexts()[4].substr(14, 2), "03");
    EXPECT_EQ(t.trfIn(),
              "02204 answer not for this request: 1002100000000101000001Fruit\r\n"
              "1002100000000103000001Fruit\r\n");
    ASSERT_GE(events.titles.size(), 2u);
    EXPECT_EQ(events.titles.front(), "2Deli        ");
}

TEST(EngineAnswer, AnswerRefusalsAndBrokenFramesAreRetried) {
    struct Case {
        const char* why;
        std::string firstTry;
    };
    const std::vector<Case> cases = {
        {"NAK", "\x15"},
        {"NUL inside", scaleFrame(std::string("1002\0", 5) + "1000000000101")},
        {"too long", scaleFrame("1" + std::string(1100, 'x'))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ScriptedTransfer t;
        t.line.scale = [&](ScriptedLine& l, const std::string& unit) {
            if (unit.size() > 1) {
                l.send("\x06");
                l.send(c.firstTry);
                l.send(scaleFrame(acceptedAnswer(frameText(unit))), 1000);
            }
        };
        t.run(kGroup + "\n");
        EXPECT_EQ(t.trfIn(), kGroupAnswer + "\r\n");
        EXPECT_EQ(t.line.frames.size(), 1u);
    }
}

TEST(EngineAnswer, AnswerDamagedOnEveryAttemptLeavesItsErrorCodeNotItsCharacters) {
    struct Case {
        const char* why;
        std::function<std::string(const std::string&)> frame;  // of the right answer text
        const char* trfIn;
        int delayMs;  // before each frame: a cut-off frame waits out its attempt's wait
    };
    const std::vector<Case> cases = {
        {"wrong block check", [](const std::string& a) { return scaleFrame(a, '\x03', 0x40); },
         "02204 damaged answer from the scale\r\n", 500},
        {"cut off", [](const std::string& a) { return "\x02" + a.substr(0, 20); },
         "02202 no answer from the scale, or only part of one\r\n", 6000},
        {"too long", [](const std::string& a) { return scaleFrame(a + std::string(1100, 'x')); },
         "02203 answer frame longer than 1022 characters\r\n", 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ScriptedTransfer t;
        t.line.scale = [&](ScriptedLine& l, const std::string& unit) {
            if (unit.size() > 1) {
                l.send("\x06");
                for (int i = 0; i < 3; ++i) {
                    l.send(c.frame(acceptedAnswer(frameText(unit))), c.delayMs);
                }
            }
        };
        t.run(kGroup + "\n");
        EXPECT_EQ(acksIn(t.line.written), 0);
        EXPECT_EQ(t.trfIn(), c.trfIn);
    }
}

TEST(EngineAnswer, SilentAnswerAfterAcknowledgementIsRepeatedThenAnErrorLine) {
    ScriptedTransfer t;
    t.line.scale = [](ScriptedLine& l, const std::string& unit) {
        if (unit.size() > 1) {
            l.send("\x06");
        }
    };
    t.run(kGroup + "\n" + kGroup + "\n");
    // Each send waits three times five seconds for an answer byte; four sends in all.
    EXPECT_EQ(t.line.frames.size(), 4u);
    EXPECT_EQ(t.trfIn(), "02202 no answer from the scale, or only part of one\r\n");
    EXPECT_GE(t.clock.nowMs(), 4 * 15000);
    EXPECT_EQ(t.prompts.texts(), std::vector<std::string>{"TimeOut"});
}

}  // namespace
}  // namespace vorn
