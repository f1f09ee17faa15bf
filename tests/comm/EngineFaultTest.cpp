// A scale that misbehaves as real lines and firmware do, against the engine in virtual time:
// every run must end, and trf.in must hold exactly one copy of each record the scale sent, or
// the line of the failure and nothing of the failed answer.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "comm/RunState.h"
#include "tests/comm/EngineScriptedLine.h"

namespace vorn {
namespace {

using test::RecordScale;
using test::ScriptedTransfer;
using test::Spoil;
using Outcome = EngineTransferRunner::Outcome;

const std::string kRequest = "00021000070001000000";

// Six article groups as the scale answers them.
std::vector<std::string> sixGroups() {
    std::vector<std::string> records;
    for (const char* name : {"FRUIT", "MEAT", "FISH", "BREAD", "CHEESE", "WINE"}) {
        records.push_back("100210000000010100" + std::to_string(10 + records.size()) + name);
    }
    return records;
}

std::string linesOf(const std::vector<std::string>& records) {
    std::string text;
    for (const std::string& r : records) {
        text += r + "\r\n";
    }
    return text;
}

const std::string kNoAnswerLine = "02202 no answer from the scale, or only part of one\r\n";

struct Case {
    const char* name;
    std::deque<Spoil> spoils;  // one per send of an answer frame
    std::string trfIn;         // empty: all six groups once
};

std::deque<Spoil> spoilsAt(std::size_t frame, Spoil spoil) {
    std::deque<Spoil> spoils(frame, Spoil::None);
    spoils.push_back(spoil);
    return spoils;
}

TEST(EngineFault, EachRecordIsStoredOnceWhateverTheAttemptsBeforeItBrought) {
    std::deque<Spoil> twoOfSixEveryTime;
    for (int send = 0; send < 4; ++send) {
        twoOfSixEveryTime.insert(twoOfSixEveryTime.end(), {Spoil::None, Spoil::None, Spoil::Never});
    }
    const std::vector<Case> cases = {
        {"the last frame with a wrong status digit", spoilsAt(5, Spoil::Status), {}},
        {"a middle frame with a wrong block check", spoilsAt(2, Spoil::Check), {}},
        {"the last frame with a NUL", spoilsAt(5, Spoil::Nul), {}},
        {"the last frame too long", spoilsAt(5, Spoil::TooLong), {}},
        {"the last frame cut off", spoilsAt(5, Spoil::Cut), {}},
        {"the last frame after all its attempts", spoilsAt(5, Spoil::Late), {}},
        {"a frame sent twice", spoilsAt(3, Spoil::Repeated), {}},
        {"the first frame sent twice", spoilsAt(0, Spoil::Repeated), {}},
        {"two of six frames every time", twoOfSixEveryTime, kNoAnswerLine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTransfer t;
        RecordScale scale(sixGroups());
        scale.spoils = c.spoils;
        t.line.scale = std::ref(scale);
        EXPECT_EQ(t.run(kRequest + "\n"), Outcome::Finished);
        EXPECT_EQ(t.trfIn(), c.trfIn.empty() ? linesOf(sixGroups()) : c.trfIn);
    }
}

TEST(EngineFault, EveryRequestEndsInBoundedTime) {
    struct Bound {
        const char* name;
        std::vector<std::string> records;
        bool endless;
        std::deque<Spoil> spoils;
        int frameLimit;
        std::string trfIn;
        std::int64_t mostSeconds;
    };
    const std::string endless =
        "02212 the answer did not end: more records than the table holds\r\n";
    const std::string busy = "02213 the scale stayed busy: no answer came in 60 seconds\r\n";
    const std::vector<Bound> cases = {
        {"endless ETB frames", sixGroups(), true, {}, 20, endless, 5},
        {"one frame over and over", {sixGroups()[0]}, true, {}, 20, endless, 5},
        {"as many frames as the bound",
         sixGroups(),
         false,
         {},
         6,
         linesOf(sixGroups()) + linesOf(sixGroups()),
         5},
        {"busy frames without end", sixGroups(), false, {Spoil::Busy}, 0, busy, 70},
        {"busy frames after a record", sixGroups(), false, {Spoil::None, Spoil::Busy}, 0, busy, 70},
    };
    for (const Bound& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTransfer t;
        RecordScale scale(c.records);
        scale.endless = c.endless;
        scale.spoils = c.spoils;
        t.line.scale = std::ref(scale);
        TransferRequest request;
        request.answerFrameLimit = c.frameLimit;
        EXPECT_EQ(t.run(kRequest + "\n" + kRequest + "\n", request), Outcome::Finished);
        EXPECT_EQ(t.trfIn(), c.trfIn);
        EXPECT_LE(t.clock.nowSeconds(), c.mostSeconds);
        // A bound reached is not sent again, nor is the rest of trf.out.
        EXPECT_EQ(scale.requests.size(), c.trfIn.rfind("022", 0) == 0 ? 1u : 2u);
    }
}

TEST(EngineFault, RequestAcknowledgedButNeverAnsweredLeavesItsErrorLine) {
    const std::string plu = "100207000000010100001234APPLES";
    const std::string label = "100208000000010100001234LABEL";
    struct Unanswered {
        const char* name;
        int silentFrom;
        std::string trfIn;
    };
    const std::vector<Unanswered> cases = {
        {"the only request", 0, kNoAnswerLine},
        // The label data of a PLU receive: its PLU records stand, then the failure.
        {"the second request", 1, plu + "\r\n" + kNoAnswerLine},
    };
    for (const Unanswered& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTransfer t;
        RecordScale scale({});
        scale.answerOf = [&](const std::string& request) {
            return std::vector<std::string>{request.substr(4, 2) == "07" ? plu : label};
        };
        scale.silentFrom = c.silentFrom;
        t.line.scale = std::ref(scale);
        EXPECT_EQ(t.run("00020700070001000000\n00020800070001000000\n"), Outcome::Finished);
        EXPECT_EQ(t.trfIn(), c.trfIn);
    }
}

TEST(EngineFault, OnlyAWholeFrameAnswersAndOnlyALoneByteAcknowledges) {
    const std::string staleTail = "000011WINE\x17" + std::string(1, 'W' ^ 'I');
    const std::string centredText = std::string("HEAD\x10\x06LINE\x03") + '\x4e';
    struct Stray {
        const char* name;
        std::string beforeAck;
        int unheard;  // frames answered with the stray bytes alone
        std::deque<Spoil> spoils;
        int sends;  // frames the engine wrote
        std::int64_t mostSeconds;
    };
    const std::vector<Stray> cases = {
        // The tail of an old answer frame, its ETB included, is no acknowledgement: the
        // request goes again at once, not after an answer's wait.
        {"a stale frame's tail instead of the ACK", staleTail, 1, {}, 2, 10},
        {"a stale frame's tail before the ACK", staleTail, 0, {}, 1, 1},
        {"a text's centred line break instead of the ACK", centredText, 1, {}, 2, 10},
        // A frame whose STX was lost is never taken: the request is sent again.
        {"an answer frame without its STX", "", 0, {Spoil::Headless}, 2, 20},
        {"a line feed inside an answer", "", 0, spoilsAt(2, Spoil::LineFeed), 2, 20},
    };
    for (const Stray& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTransfer t;
        RecordScale scale(sixGroups());
        scale.beforeAck = c.beforeAck;
        scale.unheard = c.unheard;
        scale.spoils = c.spoils;
        t.line.scale = std::ref(scale);
        EXPECT_EQ(t.run(kRequest + "\n"), Outcome::Finished);
        EXPECT_EQ(t.trfIn(), linesOf(sixGroups()));
        EXPECT_EQ(static_cast<int>(t.line.frames.size()), c.sends);
        EXPECT_LE(t.clock.nowSeconds(), c.mostSeconds);
    }
}

TEST(EngineFault, StaleInputIsDrainedBeforeTheNextFrameGoesOut) {
    ScriptedTransfer t;
    RecordScale scale(sixGroups());
    int acks = 0;
    t.line.scale = [&](test::ScriptedLine& l, const std::string& unit) {
        scale(l, unit);
        // After the first answer a stray ACK, and the next request goes unheard once: the
        // stray byte must not stand for its acknowledgement.
        if (unit == "\x06" && ++acks == 6) {
            l.send("\x06");
            scale.unheard = 1;
        }
    };
    EXPECT_EQ(t.run(kRequest + "\n" + kRequest + "\n"), Outcome::Finished);
    EXPECT_EQ(t.trfIn(), linesOf(sixGroups()) + linesOf(sixGroups()));
    EXPECT_EQ(t.line.frames.size(), 3u);
    EXPECT_LE(t.clock.nowSeconds(), 10);  // no answer was awaited for the unheard request
}

TEST(EngineFiles, AnswersAndLogsAreSavedSafely) {
    struct FileCase {
        const char* name;
        std::function<void(ScriptedTransfer&)> prepare;
        std::function<void(ScriptedTransfer&)> check;
    };
    const auto symlinked = [](const char* file) {
        return [file](ScriptedTransfer& t) {
            test::writeFile(t.dir.file("elsewhere"), "keep");
            std::filesystem::create_symlink(t.dir.file("elsewhere"), t.dir.file(file));
        };
    };
    const auto elsewhereKept = [](ScriptedTransfer& t) {
        EXPECT_EQ(test::readFile(t.dir.file("elsewhere")), "keep");
        EXPECT_EQ(t.trfIn(), linesOf(sixGroups()));
        EXPECT_TRUE(t.prompts.texts().empty());
    };
    const std::vector<FileCase> cases = {
        {"trf.in a symbolic link", symlinked("trf.in"), elsewhereKept},
        {"log.hex a symbolic link", symlinked("log.hex"), elsewhereKept},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTransfer t;
        RecordScale scale(sixGroups());
        t.line.scale = std::ref(scale);
        c.prepare(t);
        t.run(kRequest + "\n");
        c.check(t);
    }
}

// A full disk: the transfer is stopped, the message names the file and the reason, and the
// answers of an earlier transfer are gone from trf.in.
TEST(EngineFiles, AWriteThatFailsIsToldByFileAndReasonNotAsTheScalesError) {
    ScriptedTransfer t;
    RecordScale scale(sixGroups());
    scale.endless = true;
    t.line.scale = std::ref(scale);
    test::writeFile(t.dir.file("trf.in"), "1002100000000101001099OLD\r\n");
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 20000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    TransferRequest request;
    request.answerFrameLimit = 5000;
    const Outcome outcome = t.run(kRequest + "\n", request);
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(outcome, Outcome::Stopped);
    EXPECT_EQ(t.trfIn(), "02211 user break or unnormally terminate!\r\n");
    ASSERT_FALSE(t.prompts.texts().empty());
    EXPECT_EQ(t.prompts.texts()[0].rfind("Cannot save log.", 0), 0u) << t.prompts.texts()[0];
    EXPECT_NE(t.prompts.texts()[0].find(": File too large"), std::string::npos);
    EXPECT_LT(scale.requests.size(), 2u);
}

}  // namespace
}  // namespace vorn
