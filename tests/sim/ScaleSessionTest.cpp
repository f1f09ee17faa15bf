// The simulator's side of the protocol and its memory, driven through a fake link.

#include <gtest/gtest.h>

#include <deque>

#include "sim/ScaleSession.h"
#include "sim/SimOptions.h"
#include "tests/support/TempDir.h"

namespace vornsim {
namespace {

// The PC's end: bytes queued for the scale, everything the scale wrote, and an automatic ACK
// for each good answer frame when wanted.
class FakeLink : public ScaleLink {
public:
    static bool isGoodAnswer(std::string_view bytes) {
        if (bytes.size() < 4 || bytes[0] != STX || bytes[1] != '1') {
            return false;
        }
        const std::string_view text = bytes.substr(1, bytes.size() - 3);
        return text.find('\n') == std::string_view::npos &&
               encodeFrame(text, bytes[bytes.size() - 2]) == bytes;
    }

    std::optional<char> read(int) override {
        if (input.empty()) {
            return std::nullopt;
        }
        const char c = input.front();
        input.pop_front();
        return c;
    }
    void write(std::string_view bytes) override {
        output.append(bytes);
        if (ackAnswers && isGoodAnswer(bytes) && acksLeft != 0) {
            acksLeft -= acksLeft > 0 ? 1 : 0;
            input.push_back(ACK);
        }
        if (bytes == encodeFrame("32E-3") && ++busyHeard == moveOnAfterBusy) {
            input.push_back(STX);  // the PC gives up waiting and sends again
        }
    }
    int baud() override { return 9600; }
    void pc(const std::string& bytes) { input.insert(input.end(), bytes.begin(), bytes.end()); }

    std::deque<char> input;
    std::string output;
    bool ackAnswers = true;
    int acksLeft = -1;  // answer frames acknowledged before the PC stops (-1: all)
    int busyHeard = 0;
    int moveOnAfterBusy = -1;
};

const std::string kFruit = "00021000000001010001Fruit               0000";
const std::string kMeat = "00021000000001010002Meat                0000";

std::string answer(std::string line) {
    line[0] = '1';
    return line;
}

TEST(ScaleSession, StoresRecordsAndAnswersRequestsFrameByFrame) {
    ScaleTables tables;
    FakeLink link;
    ScaleSession scale(link, tables, {});
    link.pc(encodeFrame(kMeat) + encodeFrame(kFruit));
    scale.serveUntilIdle(0);
    EXPECT_EQ(link.output,
              std::string(1, ACK) + encodeFrame(answer(kMeat)) + ACK + encodeFrame(answer(kFruit)));
    link.output.clear();
    link.pc(encodeFrame("00021000070001010000"));
    scale.serveUntilIdle(0);
    // In key order, ETB between the frames and ETX after the last.
    EXPECT_EQ(link.output, std::string(1, ACK) + encodeFrame(answer(kFruit), ETB) +
                               encodeFrame(answer(kMeat), ETX));
}

TEST(ScaleSession, AnswersOfRequestsNamedAndEmpty) {
    ScaleTables tables;
    tables.store("00024300000001010Label by count");
    tables.store("00024300000001011Label by weight");
    EXPECT_EQ(answersTo(tables, "0002430002000101"),
              (std::vector<std::string>{"10024300000001010Label by count",
                                        "10024300000001011Label by weight"}));
    EXPECT_EQ(answersTo(tables, "00024300020001011"),
              std::vector<std::string>{"10024300000001011Label by weight"});
    EXPECT_EQ(answersTo(tables, "00021900070001010"),
              std::vector<std::string>{"10021940070001010"});
    EXPECT_EQ(answersTo(tables, "00024300020001017"),
              std::vector<std::string>{"10024340020001017"});
}

TEST(ScaleSession, DeleteClearsBothPluTablesOnly) {
    ScaleTables tables;
    tables.store("00020700000001010000012" + std::string(20, 'x'));
    tables.store("00020800000001010000012" + std::string(20, '0'));
    tables.store(kFruit);
    answersTo(tables, "00020700080001010000000" + std::string(23, ' '));
    EXPECT_TRUE(tables.records("07").empty());
    EXPECT_TRUE(tables.records("08").empty());
    EXPECT_EQ(tables.records("10").size(), 1u);
}

TEST(ScaleSession, KeysFollowTheRecordNumberField) {
    EXPECT_EQ(keyOf(kFruit), "0001");
    EXPECT_EQ(keyOf("00020700000001010012345Apples"), "001234");
    EXPECT_EQ(keyOf("0002130000000101Marquee 123"), "");
    ScaleTables tables;
    tables.store(kFruit);
    tables.store("00021000000001010001Apples              0000");  // same group number
    EXPECT_EQ(tables.records("10"),
              std::vector<std::string>{"00021000000001010001Apples              0000"});
}

TEST(ScaleSession, ExtraTextsAreAnsweredAsWhole515CharacterRecords) {
    ScaleTables tables;
    FakeLink link;
    ScaleSession scale(link, tables, {});
    const std::string seven =
        "0002090000000101000000007ABC\x10"
        "DEF" +
        std::string(483, ' ');
    const std::string one = "0002090000000101000000001" + std::string(490, 'x');
    ASSERT_EQ(seven.size(), 515u);
    link.pc(encodeFrame(seven) + encodeFrame(one));
    scale.serveUntilIdle(0);
    link.output.clear();
    link.pc(encodeFrame("0002090007000101000000000"));
    scale.serveUntilIdle(0);
    EXPECT_EQ(link.output, std::string(1, ACK) + encodeFrame(answer(one), ETB) +
                               encodeFrame(answer(seven), ETX));
}

TEST(ScaleSession, ABarcodeFormatIsKeptByItsNumberWhateverItsPattern) {
    ScaleTables tables;
    tables.store("000214000000010103020000000000C000000");
    tables.store("000214000000010103010000000000C000000");
    tables.store("000214000000010104010000000000C000000");
    EXPECT_EQ(tables.records("14"),
              (std::vector<std::string>{"000214000000010103010000000000C000000",
                                        "000214000000010104010000000000C000000"}));
}

TEST(ScaleSession, WrongBlockCheckIsRefusedAndEtbBlocksAreOnlyAcknowledged) {
    ScaleTables tables;
    FakeLink link;
    ScaleSession scale(link, tables, {});
    link.pc(encodeFrame(kFruit, ETX, true) + encodeFrame("2002600000000101block", ETB));
    scale.serveUntilIdle(0);
    EXPECT_EQ(link.output, std::string(1, NAK) + ACK);
    EXPECT_EQ(tables.size(), 0u);
}

TEST(ScaleSession, FaultOptionsMisbehaveAsManyTimesAsAsked) {
    ScaleTables tables;
    FakeLink link;
    Faults faults;
    faults.nak = 1;
    faults.busy = 2;
    faults.badCheck = 1;
    faults.noAck = 1;
    ScaleSession scale(link, tables, faults);
    // Unacknowledged, then refused, then acknowledged and answered after two busy frames,
    // the first answer with a spoilt block check.
    link.pc(encodeFrame(kFruit) + encodeFrame(kFruit) + encodeFrame(kFruit));
    link.ackAnswers = false;
    scale.serveUntilIdle(0);
    const std::string busy = encodeFrame("32E-3");
    EXPECT_EQ(link.output, std::string(1, NAK) + ACK + busy + busy +
                               encodeFrame(answer(kFruit), ETX, true) +
                               encodeFrame(answer(kFruit)) + encodeFrame(answer(kFruit)));
    EXPECT_EQ(scale.framesHeard(), 3);
}

TEST(ScaleSession, AnswerFaultsSpoilTheFramesAsAsked) {
    const std::string fruit = encodeFrame(answer(kFruit), ETB);
    const std::string meat = encodeFrame(answer(kMeat));
    const std::string ack(1, ACK);
    std::string fed = answer(kFruit);
    fed.insert(fed.size() / 2, 1, '\n');
    struct Case {
        const char* name;
        std::vector<std::string> options;
        std::string output;
        int acks = -1;
        int busyFrames = -1;
    };
    const std::vector<Case> cases = {
        {"none", {}, ack + fruit + meat},
        {"cut", {"--cut", "1"}, ack + fruit.substr(0, fruit.size() / 2) + fruit + meat},
        {"after one, cut",
         {"--after", "1", "--cut", "1"},
         ack + fruit + meat.substr(0, meat.size() / 2) + meat},
        {"bad status",
         {"--bad-status", "1"},
         ack + encodeFrame("2" + answer(kFruit).substr(1), ETB) + fruit + meat},
        {"line feed", {"--line-feed", "1"}, ack + encodeFrame(fed, ETB) + fruit + meat},
        {"headless", {"--headless", "1"}, ack + fruit.substr(1) + fruit + meat},
        {"repeat", {"--repeat", "1"}, ack + fruit + fruit + meat},
        {"stale", {"--stale", "1"}, std::string("000001OLD\x17\x4c") + ack + fruit + meat},
        {"no answer", {"--no-answer", "1"}, ack},
        {"stop after one", {"--stop-after", "1"}, ack + fruit},
        {"endless ETB",
         {"--endless", "etb"},
         ack + fruit + encodeFrame(answer(kMeat), ETB) + fruit + encodeFrame(answer(kMeat), ETB) +
             fruit + fruit + fruit,  // the fifth, not acknowledged, three times
         4},
        {"endless busy",
         {"--endless", "busy"},
         ack + encodeFrame("32E-3") + encodeFrame("32E-3") + encodeFrame("32E-3"),
         -1,
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"--link", "/tmp/x"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        std::string error;
        const auto options = parseOptions(args, error);
        ASSERT_TRUE(options) << error;
        ScaleTables tables;
        tables.store(kFruit);
        tables.store(kMeat);
        FakeLink link;
        link.acksLeft = c.acks;
        link.moveOnAfterBusy = c.busyFrames;
        ScaleSession scale(link, tables, options->faults);
        link.pc(encodeFrame("00021000070001010000"));
        scale.serveUntilIdle(0);
        EXPECT_EQ(link.output, c.output);
    }
}

TEST(ScaleSession, SilentScaleSaysNothing) {
    ScaleTables tables;
    FakeLink link;
    Faults faults;
    faults.silent = true;
    ScaleSession scale(link, tables, faults);
    link.pc(encodeFrame(kFruit));
    scale.serveUntilIdle(0);
    EXPECT_EQ(link.output, "");
    EXPECT_EQ(scale.framesHeard(), 1);
}

TEST(ScaleSession, TablesSurviveDumpAndSeed) {
    vorn::test::TempDir dir;
    ScaleTables tables;
    tables.store(kFruit);
    tables.store(kMeat);
    tables.store("00020700000001010000012Apples");
    ASSERT_TRUE(tables.dump(dir.path().string()));
    EXPECT_EQ(vorn::test::readFile(dir.file("table10.txt")), kFruit + "\n" + kMeat + "\n");
    vorn::test::writeFile(dir.file("table15.txt"), "000215000000010103000015\r\n");
    ScaleTables loaded;
    ASSERT_TRUE(loaded.load(dir.path().string()));
    EXPECT_EQ(loaded.records("10"), tables.records("10"));
    EXPECT_EQ(loaded.records("15"), std::vector<std::string>{"000215000000010103000015"});
    loaded.clear("07");
    ASSERT_TRUE(loaded.dump(dir.path().string()));
    EXPECT_FALSE(std::filesystem::exists(dir.file("table07.txt")));
}

TEST(ScaleSession, CommandLine) {
    std::string error;
    const auto o = parseOptions({"--link", "/tmp/x", "--busy", "3", "--pace", "--silent"}, error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->link, "/tmp/x");
    EXPECT_EQ(o->faults.busy, 3);
    EXPECT_TRUE(o->faults.pace);
    EXPECT_TRUE(o->faults.silent);
    EXPECT_FALSE(parseOptions({"--link", "/tmp/x", "--nak", "-1"}, error));
    EXPECT_FALSE(parseOptions({"--nak", "2"}, error));
    EXPECT_FALSE(parseOptions({"--link", "/tmp/x", "--frobnicate"}, error));
    EXPECT_FALSE(parseOptions({"--link", "/tmp/x", "--endless", "forever"}, error));
}

}  // namespace
}  // namespace vornsim
