// The nine discounts: typed rates in exact hundredths, their signs and widths in the record and
// in discount.dat, the send that has nothing to send, and answers that change only their rows.
#include "editors/code/DiscountTable.h"

#include <gtest/gtest.h>

#include "tables/Archive.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::pad;
using Rows = std::vector<std::string>;

class DiscountTableTest : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

std::string record(char k, const std::string& displayed, const std::string& printed,
                   const std::string& rate) {
    return std::string("0002210000000000") + k + pad(displayed, 20) + pad(printed, 20) + rate;
}

TEST(DiscountRate, TypedRatesAreExactHundredthsWithinPlusMinus99Point99) {
    EXPECT_EQ(parseDiscountRate("12.5"), 1250);
    EXPECT_EQ(parseDiscountRate("-5"), -500);
    EXPECT_EQ(parseDiscountRate("4.35"), 435);
    EXPECT_EQ(parseDiscountRate("0.29"), 29);
    EXPECT_EQ(parseDiscountRate(" +99.99 "), 9999);
    EXPECT_EQ(parseDiscountRate("-99.99"), -9999);
    EXPECT_EQ(parseDiscountRate(".5"), 50);
    EXPECT_EQ(parseDiscountRate(""), 0);
    for (const char* bad : {"100", "99.991", "1.234", "-", ".", "1e2", "12a", "1 2", "--1"}) {
        EXPECT_FALSE(parseDiscountRate(bad).has_value()) << bad;
    }
    EXPECT_EQ(discountRateText(1250), "12.5");
    EXPECT_EQ(discountRateText(-500), "-5");
    EXPECT_EQ(discountRateText(435), "4.35");
    EXPECT_EQ(discountRateText(29), "0.29");
    EXPECT_EQ(discountRateText(0), "0");
    EXPECT_EQ(badDiscountRateMessage(3),
              "The discount of row 3 must be a number from -99.99 to 99.99 with at most two "
              "decimals!");
}

TEST_F(DiscountTableTest, RatesGoWithTheirSignInFourDigitsAndAtLeastThreeInTheFile) {
    DiscountTable table;
    table.rows()[0] = {1250, "SALE", "REDUCED"};
    table.rows()[1] = {-500, "UP", "MORE"};
    table.rows()[2] = {0, "NOT SENT", "HAS TEXTS"};
    table.rows()[3] = {435, "", ""};
    table.rows()[4] = {29, "", ""};
    table.send();
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.requests[0].message, "Transfering Discount information,please wait...");
    EXPECT_EQ(runner.trfOuts[0], record('1', "SALE", "REDUCED", "+1250") + "\r\n" +
                                     record('2', "UP", "MORE", "-0500") + "\r\n" +
                                     record('4', "", "", "+0435") + "\r\n" +
                                     record('5', "", "", "+0029") + "\r\n");
    EXPECT_TRUE(prompter.texts().empty());

    ASSERT_TRUE(table.save());
    std::string expected;
    const auto string = [&expected](const std::string& s) {
        expected += static_cast<char>(s.size());
        expected += s;
    };
    string(record('1', "SALE", "REDUCED", "+1250"));
    string(record('2', "UP", "MORE", "-500"));
    string(record('3', "NOT SENT", "HAS TEXTS", "+000"));
    string(record('4', "", "", "+435"));
    string(record('5', "", "", "+029"));
    for (char k = '6'; k <= '9'; ++k) {
        string(record(k, "", "", "+000"));
    }
    EXPECT_EQ(test::readFile("discount.dat"), expected);

    DiscountTable reopened;
    reopened.open();
    EXPECT_EQ(reopened.rows()[1].rate, -500);
    EXPECT_EQ(reopened.rows()[2].displayed, "NOT SENT");
    EXPECT_EQ(reopened.rows()[4].rate, 29);
}

TEST_F(DiscountTableTest, NothingToSendWhenEveryRateIsZero) {
    DiscountTable table;
    table.rows()[0] = {0, "TEXT", "ONLY"};
    table.send();
    EXPECT_TRUE(runner.requests.empty());
    EXPECT_EQ(prompter.texts(), Rows{"No data to transmit!"});
}

TEST_F(DiscountTableTest, ARateOutsideTheRecordIsRefusedNamingItsRow) {
    ArchiveWriter file;
    file.string(record('1', "", "", "+99999"));
    writeFileAtomically("discount.dat", file.bytes());
    DiscountTable table;
    table.open();
    EXPECT_EQ(table.rows()[0].rate, 9999);  // five characters read: the sign and four digits
    table.rows()[6].rate = 10000;
    table.send();
    EXPECT_TRUE(runner.requests.empty());
    EXPECT_EQ(prompter.texts().back(), badDiscountRateMessage(7));
}

TEST_F(DiscountTableTest, AReceivedRowChangesOnlyItself) {
    DiscountTable table;
    for (std::size_t i = 0; i < table.rows().size(); ++i) {
        table.rows()[i] = {100, "KEEP", "KEEP"};
    }
    std::string answer = record('4', "FOUR", "PRINTED FOUR", "+1000");
    answer[0] = '1';
    std::string rowZero = record('0', "ZERO", "", "+0100");
    rowZero[0] = '1';
    runner.answerWith(answer + "\r\n" + rowZero + "\r\n");
    table.receive();
    EXPECT_EQ(runner.trfOuts[0], "00022100070001000\r\n");
    EXPECT_TRUE(runner.requests[0].receive);
    EXPECT_EQ(table.rows()[3].rate, 1000);
    EXPECT_EQ(table.rows()[3].displayed, "FOUR");
    EXPECT_EQ(table.rows()[3].printed, "PRINTED FOUR");
    for (std::size_t i : {0u, 1u, 2u, 4u, 8u}) {
        EXPECT_EQ(table.rows()[i].displayed, "KEEP");
        EXPECT_EQ(table.rows()[i].rate, 100);
    }
}

TEST_F(DiscountTableTest, AFailedOrMissingAnswerLeavesTheRows) {
    DiscountTable table;
    table.rows()[0] = {100, "KEEP", ""};
    runner.answerWith("02210\r\n");
    table.receive();
    runner.answerWith(std::nullopt);
    table.receive();
    EXPECT_EQ(table.rows()[0].displayed, "KEEP");
    EXPECT_EQ(prompter.texts(), (Rows{"02210\nerror!", "Can't read file!"}));
}

}  // namespace
}  // namespace vorn
