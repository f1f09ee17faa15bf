#include "editors/kit/NumberedTable.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "comm/ConnectionTest.h"
#include "comm/TableTransfer.h"
#include "editors/numbered/DateTextTable.h"
#include "editors/numbered/GroupTable.h"
#include "editors/numbered/OperatorTable.h"
#include "editors/numbered/TareTable.h"
#include "editors/numbered/VatTable.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::pad;

using test::readFile;
using test::writeFile;
using Rows = std::vector<std::string>;

// Every test runs in its own scale directory with a recording prompter and a fake runner.
class NumberedTableTest : public ::testing::Test {
protected:
    void add(NumberedTable& t, const std::string& number, const std::string& value) {
        t.fields() = {number, value};
        t.add();
    }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

// --- Add, delete, pick --------------------------------------------------------------------

TEST_F(NumberedTableTest, AddInsertsInNumberOrderAndReplacesAnEqualNumberInPlace) {
    NumberedTable groups(groupTable());
    add(groups, "2", "MEAT");
    add(groups, "7", "FISH");
    add(groups, "5", "FRUIT");
    EXPECT_EQ(groups.rows().texts(), (Rows{"   2\tMEAT", "   5\tFRUIT", "   7\tFISH"}));
    add(groups, "7", "BREAD");
    EXPECT_EQ(groups.rows().texts(), (Rows{"   2\tMEAT", "   5\tFRUIT", "   7\tBREAD"}));
    add(groups, "1", "DELI");
    EXPECT_EQ(groups.rows().text(0), "   1\tDELI");
}

TEST_F(NumberedTableTest, AFileThatCannotBeReadOrSavedIsToldWithWhatItMeans) {
    NumberedTable groups(groupTable());
    add(groups, "2", "MEAT");
    add(groups, "7", "FISH");
    ASSERT_TRUE(groups.save());
    const std::string bytes = readFile(tablefile::kGroups.name);
    writeFile(tablefile::kGroups.name, bytes.substr(0, bytes.size() - 3));
    groups.open();
    std::filesystem::remove(tablefile::kGroups.name);
    std::filesystem::create_directory(tablefile::kGroups.name);  // no file can replace it
    EXPECT_FALSE(groups.save());
    const std::vector<Prompt> told = prompter.prompts();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0].detail, tablefile::kDamagedMeaning);
    EXPECT_EQ(told[1].detail, tablefile::kUnsavedMeaning);
}

TEST_F(NumberedTableTest, AddIgnoresAnEmptyFieldAndKeepsTheSelection) {
    NumberedTable groups(groupTable());
    add(groups, "2", "MEAT");
    groups.rows().setSelected(0, true);
    add(groups, "1", "FISH");
    EXPECT_EQ(groups.rows().selectedIndexes(), std::vector<std::size_t>{1});
    groups.fields() = {"3", ""};
    EXPECT_FALSE(groups.add());
    groups.fields() = {"", "X"};
    EXPECT_FALSE(groups.add());
    EXPECT_EQ(groups.rows().size(), 2u);
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(NumberedTableTest, AddProposesTheNextNumberUpToEachTablesHighest) {
    NumberedTable groups(groupTable());
    add(groups, "5", "A");
    EXPECT_EQ(groups.fields().number, "6");
    EXPECT_EQ(groups.fields().value, "");
    add(groups, "20", "B");
    EXPECT_EQ(groups.fields().number, "20");

    NumberedTable operators(operatorTable());
    add(operators, "4", "ANN");
    EXPECT_EQ(operators.fields().number, "4");

    NumberedTable tares(tareTable());
    add(tares, "16", "1.5");
    EXPECT_EQ(tares.fields().number, "16");
    EXPECT_EQ(tares.fields().value, "");

    NumberedTable dates(dateTextTable());
    add(dates, "1", "BEST BEFORE");
    NumberedTable vat(vatTable());
    add(vat, "1", "7.5");
    for (NumberedTable* t : {&dates, &vat}) {
        EXPECT_EQ(t->fields().number, "");
        EXPECT_EQ(t->fields().value, "");
    }
}

TEST_F(NumberedTableTest,
       GroupNumberTypedWithALeadingZeroIsShownAsTypedPlacedAsItsValueSentPadded) {
    NumberedTable groups(groupTable());
    add(groups, "2", "MEAT");
    add(groups, "7", "FISH");
    add(groups, "05", "FRUIT");
    EXPECT_EQ(groups.rows().text(1), "  05\tFRUIT");
    groups.send();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0],
              "0002100000000100"
              "0002" +
                  pad("MEAT", 20) + "0000\r\n" +
                  "0002100000000100"
                  "0005" +
                  pad("FRUIT", 20) + "0000\r\n" +
                  "0002100000000100"
                  "0007" +
                  pad("FISH", 20) + "0000\r\n");
    EXPECT_FALSE(runner.requests[0].receive);
    EXPECT_EQ(runner.requests[0].message, "Transfering Articlegroup information,please wait...");
    EXPECT_EQ(runner.requests[0].keyWidth, 0);
}

TEST_F(NumberedTableTest, PickFillsTheFieldsFromTheCaretRow) {
    NumberedTable groups(groupTable());
    add(groups, "05", "FRUIT");
    EXPECT_FALSE(groups.pick());  // no caret row yet
    groups.rows().setCaret(0);
    ASSERT_TRUE(groups.pick());
    EXPECT_EQ(groups.fields().number, "  05");
    EXPECT_EQ(groups.fields().value, "FRUIT");

    NumberedTable operators(operatorTable());
    operators.rows().addSorted("  1\tANN                 ");
    operators.rows().setCaret(0);
    operators.pick();
    EXPECT_EQ(operators.fields().number, "  1");
    EXPECT_EQ(operators.fields().value, "ANN");

    NumberedTable vat(vatTable());
    add(vat, "2", "5");
    vat.rows().setCaret(0);
    vat.pick();
    EXPECT_EQ(vat.fields().number, " 2");
    EXPECT_EQ(vat.fields().value, "   5");

    // A row whose number column is not the list's width (a table file written elsewhere): the
    // number field gets the first w characters, the value field the text after the TAB.
    NumberedTable tares(tareTable());
    tares.rows().addSorted("3\t1.5");
    tares.rows().setCaret(0);
    tares.pick();
    EXPECT_EQ(tares.fields().number, "3\t");
    EXPECT_EQ(tares.fields().value, "1.5");
}

// --- Checks while typing and on Add --------------------------------------------------------

TEST_F(NumberedTableTest, NumberChecksRefuseOutOfRangeNumbersAndEmptyTheField) {
    struct Case {
        const NumberedTableKind& kind;
        std::string typed;
        const char* message;  // nullptr: accepted
    };
    const Case cases[] = {
        {groupTable(), "-1", "The Number must be Num & plus!"},
        {groupTable(), "21", "The Max Number is 20!"},
        {groupTable(), "", nullptr},
        {groupTable(), "0", nullptr},
        {groupTable(), "20", nullptr},
        {operatorTable(), "5", "The Max Number is 5!"},
        {operatorTable(), "4", nullptr},
        {operatorTable(), "", "The Number must be plus!"},
        {dateTextTable(), "4", "The Max Number is 3!"},
        {dateTextTable(), "0", "The Number must be plus!"},
        {vatTable(), "9", "The Max Number is 8!"},
        {vatTable(), "", "The Number must be + !"},
        {vatTable(), "8", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        prompter.clear();
        NumberedTable t(c.kind);
        t.fields().number = c.typed;
        EXPECT_EQ(t.checkNumber(), c.message != nullptr);
        if (c.message != nullptr) {
            EXPECT_EQ(prompter.texts(), Rows{c.message});
            EXPECT_EQ(t.fields().number, "");
        } else {
            EXPECT_TRUE(prompter.texts().empty());
            EXPECT_EQ(t.fields().number, c.typed);
        }
    }
}

TEST_F(NumberedTableTest, VatRateChecksRefuseNegativeRatesAndRatesThatDoNotFitTheRecord) {
    const std::pair<std::string, const char*> cases[] = {
        {"-1", "The VAT must be plus!"},
        {"10000", "The Max VAT is 99.99% !"},
        {"100", "The VAT must be below 100% !"},
        {"99.99", nullptr},
        {"17.5", nullptr},
        {"0", nullptr},
    };
    for (const auto& [typed, message] : cases) {
        SCOPED_TRACE(typed);
        prompter.clear();
        NumberedTable vat(vatTable());
        vat.fields().value = typed;
        EXPECT_EQ(vat.checkValue(), message != nullptr);
        EXPECT_EQ(prompter.texts(), message ? Rows{message} : Rows{});
        EXPECT_EQ(vat.fields().value, message ? "" : typed);
    }
}

TEST_F(NumberedTableTest, TareChecksOnAddWeightFirstThenNumber) {
    NumberedTable tares(tareTable());
    tares.fields() = {"3", "31"};
    EXPECT_FALSE(tares.add());
    EXPECT_EQ(prompter.texts(), Rows{"The Max Tare Weight is 30 lb!"});
    EXPECT_EQ(tares.fields().value, "");
    EXPECT_EQ(tares.fields().number, "3");

    prompter.clear();
    tares.fields() = {"", "2.5"};
    EXPECT_FALSE(tares.add());
    EXPECT_EQ(prompter.texts(), (Rows{"Fill the Tare!", "The Number is from 1 to 16!"}));

    prompter.clear();
    tares.fields() = {"17", ""};
    EXPECT_FALSE(tares.add());
    EXPECT_EQ(prompter.texts(), Rows{"Fill the Tare!"});
    EXPECT_EQ(tares.fields().number, "17");

    prompter.clear();
    tares.fields() = {"17", "30.5"};
    EXPECT_FALSE(tares.add());
    EXPECT_EQ(prompter.texts(), Rows{"The Number is from 1 to 16!"});
    EXPECT_EQ(tares.fields().number, "");
    EXPECT_EQ(tares.fields().value, "30.5");

    prompter.clear();
    tares.fields() = {"16", "30.5"};
    EXPECT_TRUE(tares.add());
    EXPECT_TRUE(prompter.texts().empty());
    EXPECT_EQ(tares.rows().texts(), Rows{"16\t30.5"});
}

// --- Send -------------------------------------------------------------------------------

TEST_F(NumberedTableTest, SendingAnEmptyListWritesNothingAndRunsNoTransfer) {
    NumberedTable groups(groupTable());
    groups.send();
    EXPECT_TRUE(runner.requests.empty());
    EXPECT_FALSE(std::filesystem::exists("trf.out"));
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(NumberedTableTest, TareAndVatAreSentInExactUnits) {
    NumberedTable tares(tareTable());
    add(tares, "3", "1.5");
    add(tares, "1", "0.029");
    add(tares, "2", "30.999");
    tares.send();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0],
              "000215000000010001"
              "00000029\r\n"
              "000215000000010002"
              "00030999\r\n"
              "000215000000010003"
              "00001500\r\n");
    EXPECT_EQ(runner.requests[0].message, "Transfering Tare information,please wait...");

    NumberedTable vat(vatTable());
    add(vat, "1", "5");
    add(vat, "2", "17.5");
    add(vat, "3", "0.29");
    EXPECT_EQ(vat.rows().texts(), (Rows{" 1\t   5", " 2\t17.5", " 3\t0.29"}));
    vat.send();
    ASSERT_EQ(runner.trfOuts.size(), 2u);
    EXPECT_EQ(runner.trfOuts[1],
              "000218000000000001"
              "0500\r\n"
              "000218000000000002"
              "1750\r\n"
              "000218000000000003"
              "0029\r\n");
}

TEST_F(NumberedTableTest, RowsThatDoNotFitTheirRecordFieldsAreRefusedAndNothingIsSent) {
    NumberedTable vat(vatTable());
    vat.rows().addSorted(" 1\t 5.00");
    vat.rows().addSorted(" 2\t  150");  // from an old file: 150 percent needs five digits
    vat.send();
    EXPECT_TRUE(runner.requests.empty());
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_NE(prompter.texts()[0].find("2   150"), std::string::npos);

    NumberedTable tares(tareTable());
    tares.rows().addSorted(" 1\t123456.789");  // 123456789 thousandths: nine digits
    tares.send();
    tares.rows().clear();
    tares.rows().addSorted(" 1\t-1.5");
    tares.send();
    EXPECT_TRUE(runner.requests.empty());
    EXPECT_EQ(prompter.texts().size(), 3u);

    tares.rows().clear();
    tares.rows().addSorted(" 1\t99999.999");  // the widest weight that fits
    tares.send();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0],
              "000215000000010001"
              "99999999\r\n");
}

TEST_F(NumberedTableTest, DateTextAndOperatorRecordsCutTheValueToTheRecordWidth) {
    NumberedTable dates(dateTextTable());
    dates.rows().addSorted(" 2\t" + std::string(35, 'x'));
    dates.send();
    NumberedTable operators(operatorTable());
    add(operators, "3", "ANN");
    operators.send();
    ASSERT_EQ(runner.trfOuts.size(), 2u);
    EXPECT_EQ(runner.trfOuts[0], "000219000000000002" + std::string(30, 'x') + "\r\n");
    EXPECT_EQ(runner.trfOuts[1], "0002040000000000003" + pad("ANN", 20) + "\r\n");
}

TEST_F(NumberedTableTest, AFailedSendShowsTheFirstLineOfTrfInAndTheErrorSuffix) {
    NumberedTable groups(groupTable());
    add(groups, "1", "A");
    runner.answerWith(std::string(""));
    groups.send();
    EXPECT_EQ(prompter.texts(), Rows{"error!"});

    prompter.clear();
    runner.answerWith(std::string("02206\r\n"));
    groups.send();
    EXPECT_EQ(prompter.texts(), Rows{"02206\nerror!"});

    prompter.clear();
    runner.answerWith(std::nullopt);  // no trf.in: silently over
    groups.send();
    runner.answerWith(std::string("3002100000000101\r\n"));
    groups.send();
    EXPECT_TRUE(prompter.texts().empty());

    // The line is read into 99 characters, line end included.
    runner.answerWith(std::string(150, '2') + "\r\n");
    groups.send();
    EXPECT_EQ(prompter.texts(), Rows{std::string(99, '2') + "error!"});

    // Broken off after the first record: a failure, with what reached the scale in words.
    prompter.clear();
    add(groups, "2", "B");
    runner.answerWith(std::string("1002100000000107\r\n02211 user break\r\n"));
    groups.send();
    ASSERT_EQ(prompter.texts(), Rows{"02211 user break\nerror!"});
    EXPECT_EQ(prompter.prompts()[0].detail,
              "Group: 1 of 2 records reached scale 07; then the transfer was stopped (02211)");
}

// --- Receive ------------------------------------------------------------------------------

TEST_F(NumberedTableTest, ReceivedGroupsAreSortedAndKeepTheirPaddingUntilSavedAndReopened) {
    NumberedTable groups(groupTable());
    add(groups, "9", "OLD");
    runner.answerWith(
        "1002100000000101"
        "0012" +
        pad("FISH", 20) + "0000\r\n" +
        "1002100000000101"
        "0003" +
        pad("FRUIT", 20) + "0000\r\n");
    groups.receive();
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0], "00021000070001000000\r\n");
    EXPECT_TRUE(runner.requests[0].receive);
    EXPECT_EQ(groups.rows().texts(),
              (Rows{"   3\t" + pad("FRUIT", 20), "  12\t" + pad("FISH", 20)}));

    ASSERT_TRUE(groups.save());
    NumberedTable reopened(groupTable());
    reopened.open();
    EXPECT_EQ(reopened.rows().texts(), (Rows{"   3\tFRUIT", "  12\tFISH"}));
}

TEST_F(NumberedTableTest, OperatorsSkipOnlyAFirstReceivedLineWithNumberZero) {
    NumberedTable operators(operatorTable());
    runner.answerWith(
        "1002040000000001"
        "000" +
        pad("", 20) + "\r\n" +
        "1002040000000001"
        "002" +
        pad("BOB", 20) + "\r\n" +
        "1002040000000001"
        "000" +
        pad("ZED", 20) + "\r\n");
    operators.receive();
    EXPECT_EQ(runner.trfOuts[0], "0002040007000000000\r\n");
    EXPECT_EQ(operators.rows().texts(), (Rows{"  0\t" + pad("ZED", 20), "  2\t" + pad("BOB", 20)}));
}

TEST_F(NumberedTableTest, ReceivedTaresAndRatesAreShownAsDecimalsAndZeroSlotsAreDropped) {
    NumberedTable tares(tareTable());
    runner.answerWith(
        std::string("100215000000010101"
                    "00012500\r\n"
                    "100215000000010102"
                    "00000000\r\n"
                    "100215000000010103"
                    "00001500\r\n"));
    tares.receive();
    EXPECT_EQ(runner.trfOuts[0], "000215000700010000\r\n");
    EXPECT_EQ(tares.rows().texts(), (Rows{" 1\t12.500", " 3\t1.500"}));

    NumberedTable vat(vatTable());
    runner.answerWith(
        std::string("100218000000000101"
                    "1750\r\n"
                    "100218000000000102"
                    "0000\r\n"));
    vat.receive();
    EXPECT_EQ(runner.trfOuts[1], "000218000700000000\r\n");
    EXPECT_EQ(vat.rows().texts(), Rows{" 1\t17.50"});

    // The row saves the five characters 17.50 and is sent as 1750 again.
    ASSERT_TRUE(vat.save());
    NumberedTable reopened(vatTable());
    reopened.open();
    EXPECT_EQ(reopened.rows().texts(), Rows{" 1\t17.50"});
    reopened.send();
    EXPECT_EQ(runner.trfOuts[2],
              "000218000000000001"
              "1750\r\n");
}

TEST_F(NumberedTableTest, AFailedReceiveLeavesTheListUnchanged) {
    NumberedTable tares(tareTable());
    add(tares, "1", "2.5");
    runner.answerWith(std::string("02206\r\n"));
    tares.receive();
    EXPECT_EQ(prompter.texts(), Rows{"02206\nerror"});
    EXPECT_EQ(tares.rows().texts(), Rows{" 1\t2.5"});

    prompter.clear();
    runner.answerWith(std::nullopt);
    tares.receive();
    EXPECT_TRUE(prompter.texts().empty());
    EXPECT_EQ(tares.rows().size(), 1u);

    NumberedTable groups(groupTable());
    groups.receive();
    EXPECT_EQ(prompter.texts(), Rows{"Can't Write file!"});
}

TEST_F(NumberedTableTest, LinesWithoutARecordGiveNoRows) {
    NumberedTable groups(groupTable());
    runner.answerWith(
        "1002100000000101"
        "0001" +
        pad("A", 20) + "0000\r\n" + "\r\n" + "1002\r\n");
    groups.receive();
    EXPECT_EQ(groups.rows().texts(), Rows{"   1\t" + pad("A", 20)});

    // An error line of the engine after the answer: what came is only part of the table, so
    // the rows stay as they were and the error is told.
    runner.answerWith(
        "1002100000000101"
        "0002" +
        pad("B", 20) + "0000\r\n" + "02211 user break or unnormally terminate!\r\n");
    groups.receive();
    EXPECT_EQ(groups.rows().texts(), Rows{"   1\t" + pad("A", 20)});
    EXPECT_EQ(prompter.texts(), Rows{"02211 user break or unnormally terminate!\nerror!"});
    prompter.clear();

    // A scale with an empty table answers the request itself: no record, no row.
    runner.answerWith(std::string("10021040070001010000\r\n"));
    groups.receive();
    EXPECT_TRUE(groups.rows().empty());
    NumberedTable dates(dateTextTable());
    runner.answerWith(std::string("100219400700000100\r\n"));
    dates.receive();
    EXPECT_TRUE(dates.rows().empty());
    // Asked (and answered OK) before the group list was emptied.
    EXPECT_EQ(prompter.texts().size(), 1u);
}

// --- Table files --------------------------------------------------------------------------

TEST_F(NumberedTableTest, OpenAndSaveMapListRowsToTheTableFile) {
    NumberedTable groups(groupTable());
    add(groups, "1", "FRUIT");
    ASSERT_TRUE(groups.save());
    EXPECT_EQ(readFile("Artgrp.dat"), std::string("\x0bKVRAWobnOpt\x01\x00\x14\x00\x04   1\x05"
                                                  "FRUIT",
                                                  1 + 11 + 4 + 5 + 6));

    NumberedTable dates(dateTextTable());
    add(dates, "2", "USE BY");
    ASSERT_TRUE(dates.save());
    EXPECT_EQ(readFile("dattxt.dat"),
              std::string("\x0bKVRAWobnDat\x01\x00\x1e\x00\x02\x00\x06USE BY", 1 + 11 + 4 + 2 + 7));
    NumberedTable reopened(dateTextTable());
    reopened.open();
    EXPECT_EQ(reopened.rows().texts(), Rows{" 2\tUSE BY"});

    // Operators keep their names as stored; a missing file is an empty table, silently.
    NumberedTable operators(operatorTable());
    operators.open();
    EXPECT_TRUE(operators.rows().empty());
    operators.rows().addSorted("  1\tANN  ");
    ASSERT_TRUE(operators.save());
    NumberedTable operatorsAgain(operatorTable());
    operatorsAgain.open();
    EXPECT_EQ(operatorsAgain.rows().texts(), Rows{"  1\tANN  "});
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(NumberedTableTest, ATruncatedTableFileKeepsTheRowsReadAndTellsTheFileName) {
    NumberedTable groups(groupTable());
    add(groups, "1", "A");
    add(groups, "2", "B");
    ASSERT_TRUE(groups.save());
    std::string bytes = readFile("Artgrp.dat");
    writeFile("Artgrp.dat", bytes.substr(0, bytes.size() - 2));
    NumberedTable reopened(groupTable());
    reopened.open();
    EXPECT_EQ(reopened.rows().texts(), Rows{"   1\tA"});
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_NE(prompter.texts()[0].find("Artgrp.dat"), std::string::npos);
}

TEST(TableTransfer, TheFirstAnswerLineAcceptsBareLineFeedsAndTheAnswerLinesDropLineEnds) {
    test::TempDir dir(test::TempDir::Enter);
    EXPECT_FALSE(readFirstAnswerLine().has_value());
    EXPECT_TRUE(readAnswerLines().empty());
    writeFile("trf.in", "1abc\nsecond\r\nlast");
    EXPECT_EQ(readFirstAnswerLine(), "1abc\n");
    EXPECT_EQ(readAnswerLines(), (Rows{"1abc", "second", "last"}));
    writeFile("trf.in", "");
    EXPECT_EQ(readFirstAnswerLine(), "");
}

TEST(NumberedTableKinds, TheConnectionTestRequestsTheDateTexts) {
    EXPECT_STREQ(kConnectionTestRequest, dateTextTable().requestLine);
}

}  // namespace
}  // namespace vorn
