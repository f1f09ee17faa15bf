// The single-record tables: store address, marquee message, and label header and bottom, from
// their files through their records and answers.
#include <gtest/gtest.h>

#include "editors/text/HeaderBottom.h"
#include "editors/text/MarqueeMessage.h"
#include "editors/text/StoreAddress.h"
#include "tables/TableFiles.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::pad;
using Rows = std::vector<std::string>;

const std::string kBreak(1, '\x10');

class SingleRecordTablesTest : public ::testing::Test {
protected:
    static std::string answerOf(std::string record) {
        record[0] = '1';
        return record + "\r\n";
    }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

TEST_F(SingleRecordTablesTest, AStoreAddressOfOneLongLineIsSentAsTwoScaleLines) {
    StoreAddress address;
    address.text = std::string(50, 's');
    address.send();
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.requests[0].message, "Transfering Store Address information,please wait...");
    EXPECT_EQ(runner.trfOuts[0], "000212000000000001" +
                                     pad(std::string(36, 's') + kBreak + std::string(14, 's'), 73) +
                                     "\r\n");
    address.text = "CORNER GROCERY\r\n12 HIGH STREET";
    address.send();
    EXPECT_EQ(
        runner.trfOuts[1],
        "000212000000000001" + pad("CORNER GROCERY" + kBreak + "12 HIGH STREET", 73) + "\r\n");
    // A one-line address of 74 characters is cut to the record's 73.
    address.text = std::string(74, 'x');
    address.send();
    EXPECT_EQ(runner.trfOuts[2].size(), 91u + 2);
}

TEST_F(SingleRecordTablesTest, AReceivedStoreAddressShowsItsBreaksAsLines) {
    StoreAddress address;
    address.text = "OLD";
    runner.answerWith(answerOf("000212000000000101" + pad("NEW STORE" + kBreak + "MAIN ST", 73)));
    address.receive();
    EXPECT_EQ(runner.trfOuts[0], "000212000700000000\r\n");
    EXPECT_EQ(address.text, "NEW STORE\r\nMAIN ST");
    runner.answerWith("02206\r\n");
    address.receive();
    EXPECT_EQ(address.text, "NEW STORE\r\nMAIN ST");
    EXPECT_EQ(prompter.texts(), Rows{"02206\nerror"});

    ASSERT_TRUE(address.save());
    StoreAddress reopened;
    reopened.open();
    EXPECT_EQ(reopened.text, "NEW STORE\r\nMAIN ST");
    const LoadedRows<NumberWordRow> file = loadNumberWordFile(tablefile::kStoreAddress);
    ASSERT_EQ(file.rows.size(), 1u);
    EXPECT_EQ(file.rows[0].number, 1);
}

TEST_F(SingleRecordTablesTest, AMarqueeMessageOf100CharactersComesBackWhole) {
    MarqueeMessage message;
    message.text = std::string(99, 'm') + "!";
    message.send();
    EXPECT_EQ(runner.requests[0].message,
              "Transfering Marquee  message information,please wait...");
    const std::string sent = "0002130000000100" + message.text;
    EXPECT_EQ(runner.trfOuts[0], sent + "\r\n");

    MarqueeMessage received;
    runner.answerWith(answerOf(sent));
    received.receive();
    EXPECT_EQ(runner.trfOuts[1], "0002130007000100\r\n");
    EXPECT_EQ(received.text, message.text);

    // The padding of a short message is kept until it is saved and opened again.
    runner.answerWith(answerOf("0002130000000100" + pad("HELLO", 100)));
    received.receive();
    EXPECT_EQ(received.text, pad("HELLO", 100));
    ASSERT_TRUE(received.save());
    MarqueeMessage reopened;
    reopened.open();
    EXPECT_EQ(reopened.text, "HELLO");
}

TEST_F(SingleRecordTablesTest, HeaderAndBottomAreSentWithTheirLeadsAndFontsAfterTheFontCheck) {
    HeaderBottom hb;
    hb.header = {"AB\r\nCD", 1, "12"};
    hb.bottom = {"THANKS", 0, ""};
    ASSERT_TRUE(hb.send());
    EXPECT_EQ(hb.bottom.font, "5");
    EXPECT_EQ(runner.requests[0].message, "Transfering Head/foot information,please wait...");
    EXPECT_EQ(runner.trfOuts[0], "00021100000001000" +
                                     pad("\x0B"
                                         "CAB" +
                                             kBreak +
                                             "\x06"
                                             "CD",
                                         140) +
                                     "\r\n" + "00021100000001001" +
                                     pad("\x05"
                                         "5THANKS",
                                         140) +
                                     "\r\n");
}

TEST_F(SingleRecordTablesTest, FontsAbove20AreRefusedTheBottomOneSilently) {
    HeaderBottom hb;
    hb.header = {"H", 0, "21"};
    hb.bottom = {"B", 0, "3"};
    HeaderBottom::Field refused = HeaderBottom::Field::None;
    EXPECT_FALSE(hb.send(&refused));
    EXPECT_EQ(refused, HeaderBottom::Field::HeaderFont);
    EXPECT_EQ(hb.header.font, "");
    EXPECT_EQ(prompter.texts(), Rows{"Fonts range: 0 ~ 20 !"});

    prompter.clear();
    hb.header.font = "99";
    hb.bottom.font = "25";
    EXPECT_FALSE(hb.save(&refused));
    EXPECT_EQ(refused, HeaderBottom::Field::BottomFont);
    EXPECT_EQ(hb.bottom.font, "");
    EXPECT_EQ(hb.header.font, "99");
    EXPECT_TRUE(prompter.texts().empty());
    EXPECT_TRUE(runner.requests.empty());
    EXPECT_FALSE(std::ifstream("hbtext.dat").good());

    // The check passes with font 20; OK fills the empty bottom font with 5 and saves.
    hb.header.font = "20";
    ASSERT_TRUE(hb.save(&refused));
    EXPECT_EQ(refused, HeaderBottom::Field::None);
    HeaderBottom reopened;
    reopened.open();
    EXPECT_EQ(reopened.header.font, "20");
    EXPECT_EQ(reopened.bottom.font, "5");
    EXPECT_EQ(reopened.header.text, "H");
}

TEST_F(SingleRecordTablesTest, ReceivedHeaderAndBottomAreDecodedAndAFontZeroIsRefused) {
    HeaderBottom hb;
    hb.header = {"OLD HEADER", 1, "7"};
    hb.bottom = {"OLD BOTTOM", 0, "3"};
    runner.answerWith(answerOf("00021100000001000" + pad("\x05"
                                                         "0BAD FONT",
                                                         140)) +
                      answerOf("00021100000001001" + pad("\x0B"
                                                         "BSEE" +
                                                             kBreak +
                                                             "\x06"
                                                             "YOU",
                                                         140)));
    hb.receive();
    EXPECT_EQ(runner.trfOuts[0], "00021100070001000\r\n");
    EXPECT_EQ(prompter.texts(), Rows{"Transfer error!"});
    EXPECT_EQ(hb.header.text,
              "\x05"
              "0BAD FONT");
    EXPECT_EQ(hb.header.centred, 1);
    EXPECT_EQ(hb.header.font, "7");
    EXPECT_EQ(hb.bottom.text, "SEE\r\nYOU");
    EXPECT_EQ(hb.bottom.centred, 1);
    EXPECT_EQ(hb.bottom.font, "B");

    // The font B goes back as it came.
    prompter.clear();
    hb.header = {"", 0, ""};
    ASSERT_TRUE(hb.send());
    EXPECT_EQ(runner.trfOuts[1].substr(157 + 2 + 17, 7),
              "\x0B"
              "BSEE" +
                  kBreak + "\x06");
}

TEST_F(SingleRecordTablesTest, EveryFurtherAnswerLineIsTheBottomAndTheLastWins) {
    HeaderBottom hb;
    hb.takeAnswer(
        {"10021100000001000"
         "\x05"
         "1HEAD",
         "10021100000001001"
         "\x05"
         "2FIRST",
         "10021100000001001"
         "\x05"
         "3LAST",
         "02211"});
    EXPECT_EQ(hb.header.text, "HEAD");
    EXPECT_EQ(hb.bottom.text, "LAST");
    EXPECT_EQ(hb.bottom.font, "3");
}

}  // namespace
}  // namespace vorn
