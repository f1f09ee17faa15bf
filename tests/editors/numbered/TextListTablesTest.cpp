// The list tables of texts and codes: advertisement texts, extra texts and barcode formats, as
// models in a scale directory with a fake transfer runner.
#include <gtest/gtest.h>

#include "editors/code/BarcodeTable.h"
#include "editors/kit/NumberedTable.h"
#include "editors/numbered/AdvertisementTable.h"
#include "editors/numbered/ExtraTextTable.h"
#include "tables/TableFiles.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::pad;
using test::readFile;
using test::writeFile;
using Rows = std::vector<std::string>;

const std::string kBreak(1, '\x10');

class TextListTablesTest : public ::testing::Test {
protected:
    static bool add(NumberedTable& t, const std::string& number, const std::string& value,
                    Rows displayed = {}) {
        t.fields().number = number;
        t.fields().value = value;
        t.fields().displayedLines = std::move(displayed);
        return t.add();
    }
    static std::string answerOf(std::string record) {
        record[0] = '1';
        return record;
    }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

// --- Advertisement texts ------------------------------------------------------------------

TEST_F(TextListTablesTest, AdvertisementTextsAreSentAsTwoScaleLines) {
    NumberedTable adv(advertisementTable());
    ASSERT_TRUE(add(adv, "2", std::string(50, 'a')));
    ASSERT_TRUE(add(adv, "1", "FRESH BREAD\r\nOPEN 7 DAYS"));
    EXPECT_EQ(adv.fields().number, "2");
    adv.send();
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.requests[0].message,
              "Transfering Advertisement Text information,please wait...");
    EXPECT_FALSE(runner.requests[0].receive);
    EXPECT_EQ(runner.trfOuts[0],
              "000220000000000001" + pad("FRESH BREAD" + kBreak + "OPEN 7 DAYS", 73) + "\r\n" +
                  "000220000000000002" +
                  pad(std::string(36, 'a') + kBreak + std::string(14, 'a'), 73) + "\r\n");
}

TEST_F(TextListTablesTest, AnAdvertisementRecordNeverPassesItsSeventyThreeCharacters) {
    NumberedTable adv(advertisementTable());
    // Two full lines with their CR LF are the 74 characters of the field.
    const std::string twoLines = std::string(36, 'a') + "\r\n" + std::string(36, 'b');
    ASSERT_TRUE(add(adv, "1", twoLines));
    ASSERT_TRUE(add(adv, "2", std::string(74, 'c')));
    adv.send();
    const Rows lines = {runner.trfOuts[0].substr(0, 91), runner.trfOuts[0].substr(93, 91)};
    EXPECT_EQ(runner.trfOuts[0].size(), 2 * (91 + 2u));
    EXPECT_EQ(lines[0].substr(18), std::string(36, 'a') + kBreak + std::string(36, 'b'));
    EXPECT_EQ(lines[1].substr(18), std::string(36, 'c') + kBreak + std::string(36, 'c'));

    // Saved and opened again, the whole two-line text is there.
    ASSERT_TRUE(adv.save());
    NumberedTable reopened(advertisementTable());
    reopened.open();
    EXPECT_EQ(reopened.rows().text(0), " 1\t" + twoLines);
}

TEST_F(TextListTablesTest, ReceivedAdvertisementsAreSortedAndShowTheirBreaksAsLines) {
    runner.answerWith(answerOf("000220000000000107" + pad("SALE" + kBreak + "TODAY", 73)) + "\r\n" +
                      answerOf("000220000000000102" + pad("HELLO", 73)) + "\r\n" +
                      "1002204007\r\n");  // a line of another length is no record
    NumberedTable adv(advertisementTable());
    adv.rows().addSorted(" 5\tOLD");
    adv.receive();
    EXPECT_EQ(runner.trfOuts[0], "000220000700010000\r\n");
    EXPECT_TRUE(runner.requests[0].receive);
    EXPECT_EQ(adv.rows().texts(),
              (Rows{" 2\t" + pad("HELLO", 73), " 7\t" + pad("SALE\r\nTODAY", 74)}));
    adv.rows().setCaret(1);
    ASSERT_TRUE(adv.pick());
    EXPECT_EQ(adv.fields().number, " 7");
    EXPECT_EQ(adv.fields().value, "SALE\r\nTODAY");
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(TextListTablesTest, AFailedAdvertisementReceiveKeepsTheListAndSaysWhy) {
    NumberedTable adv(advertisementTable());
    adv.rows().addSorted(" 5\tOLD");
    runner.answerWith("02206\r\n");
    adv.receive();
    EXPECT_EQ(adv.rows().texts(), Rows{" 5\tOLD"});
    EXPECT_EQ(prompter.texts(), Rows{"02206\nerror!"});

    prompter.clear();
    runner.answerWith(std::nullopt);
    adv.receive();
    EXPECT_EQ(adv.rows().texts(), Rows{" 5\tOLD"});
    EXPECT_EQ(prompter.texts(), Rows{"Can't Write file!"});
}

TEST_F(TextListTablesTest, AdvertisementNumbersRunFrom1To10) {
    NumberedTable adv(advertisementTable());
    adv.fields().number = "11";
    EXPECT_TRUE(adv.checkNumber());
    adv.fields().number = "";
    EXPECT_TRUE(adv.checkNumber());
    adv.fields().number = "10";
    EXPECT_FALSE(adv.checkNumber());
    EXPECT_EQ(prompter.texts(), (Rows{"The Max Number is 10!", "The Number must be Num & plus!"}));
    ASSERT_TRUE(add(adv, "10", "LAST"));
    EXPECT_EQ(adv.fields().number, "10");
}

// --- Extra texts --------------------------------------------------------------------------

TEST_F(TextListTablesTest, ExtraText7IsStoredAsItsFixedRecord) {
    NumberedTable extra(extraTextTable());
    ASSERT_TRUE(add(extra, "7", "ABC"));
    EXPECT_EQ(extra.rows().texts(), Rows{"   7 ABC"});
    EXPECT_EQ(extra.fields().number, "8");
    ASSERT_TRUE(extra.save());
    EXPECT_EQ(readFile("extratextrec.dat"),
              "0002090000000100"
              "000000"
              "007"
              "ABC" +
                  std::string(487, ' ') + "\r\n");
}

TEST_F(TextListTablesTest, ExtraTextsAreAssembledFromTheDisplayedLines) {
    NumberedTable extra(extraTextTable());
    ASSERT_TRUE(add(extra, "1", "ignored when the lines are known",
                    {"KEEP IN A COOL ", "DRY PLACE\r\n", "SERVE CHILLED"}));
    EXPECT_EQ(extra.rows().text(0), "   1 KEEP IN A COOL DRY PLACE" + kBreak + "SERVE CHILLED");
    EXPECT_TRUE(extra.fields().value.empty());
    EXPECT_TRUE(extra.fields().displayedLines.empty());
    // Without the field's lines, the text goes with its breaks as they are.
    ASSERT_TRUE(add(extra, "2", "A\r\nB"));
    EXPECT_EQ(extra.rows().text(1), "   2 A" + kBreak + "B");

    extra.rows().setCaret(0);
    ASSERT_TRUE(extra.pick());
    EXPECT_EQ(extra.fields().number, "1");
    EXPECT_EQ(extra.fields().value, "KEEP IN A COOL DRY PLACE\r\nSERVE CHILLED");
}

TEST_F(TextListTablesTest, ExtraTextNumbersAbove150AreDroppedSilentlyAndOkAddsThePendingEntry) {
    NumberedTable extra(extraTextTable());
    EXPECT_FALSE(add(extra, "151", "TOO HIGH"));
    EXPECT_TRUE(extra.rows().empty());
    EXPECT_EQ(extra.fields().value, "TOO HIGH");
    ASSERT_TRUE(add(extra, "150", "LAST"));
    EXPECT_EQ(extra.fields().number, "150");
    EXPECT_TRUE(prompter.texts().empty());

    // A number typed with leading zeros sorts apart from the others, and still replaces the
    // row of its number wherever it stands.
    ASSERT_TRUE(add(extra, "8", "EIGHT"));
    ASSERT_TRUE(add(extra, "007", "SEVEN"));
    EXPECT_EQ(extra.rows().texts(), (Rows{"   8 EIGHT", " 007 SEVEN", " 150 LAST"}));
    ASSERT_TRUE(add(extra, "7", "SEVEN AGAIN"));
    EXPECT_EQ(extra.rows().texts(), (Rows{"   7 SEVEN AGAIN", "   8 EIGHT", " 150 LAST"}));
    extra.rows().clear();

    // A number added again replaces its row; OK keeps what the fields still hold.
    extra.fields() = {"150", "REPLACED"};
    extra.rows().addSorted("   3");  // a row of the number alone is not written
    ASSERT_TRUE(extra.saveOnOk());
    NumberedTable reopened(extraTextTable());
    reopened.open();
    EXPECT_EQ(reopened.rows().texts(), Rows{" 150 REPLACED"});
}

TEST_F(TextListTablesTest, ExtraTextsLongerThan490AreCutWhenWritten) {
    NumberedTable extra(extraTextTable());
    ASSERT_TRUE(add(extra, "5", std::string(495, 'x')));
    const Rows records = extraTextRecordsOfRows(extra.rows().texts());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].size(), 515u);
    EXPECT_EQ(records[0].substr(25), std::string(490, 'x'));
}

TEST_F(TextListTablesTest, ExtraTextsAreSentWithTheirKeyAndAFailureShowsTheFirst100Bytes) {
    NumberedTable extra(extraTextTable());
    extra.send();  // nothing to send: no transfer
    EXPECT_TRUE(runner.requests.empty());
    ASSERT_TRUE(add(extra, "12", "EGGS"));
    const std::string failure = "02206\r\n" + std::string(120, 'x');
    runner.answerWith(failure);
    extra.send();
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.requests[0].keyWidth, 9);
    EXPECT_EQ(runner.requests[0].message, "Transfering Extra Text,please wait...");
    EXPECT_EQ(runner.trfOuts[0], extraTextRecord(12, "EGGS") + "\r\n");
    EXPECT_EQ(prompter.texts(), Rows{failure.substr(0, 100) + "error"});
}

TEST_F(TextListTablesTest, ReceivedExtraTextsComeFromWholeRecordsOnly) {
    NumberedTable extra(extraTextTable());
    extra.rows().addSorted("   1 OLD");
    runner.answerWith(answerOf(extraTextRecord(9, "NINE" + kBreak + "LINES")) + "\r\n" +
                      answerOf(extraTextRecord(3, "THREE")) + "\r\n" + "1002\r\n");
    extra.receive();
    EXPECT_EQ(runner.trfOuts[0], "0002090007000000000000000\r\n");
    EXPECT_EQ(runner.requests[0].keyWidth, 0);
    EXPECT_EQ(extra.rows().texts(), (Rows{"   3 THREE", "   9 NINE" + kBreak + "LINES"}));

    // A failed request leaves the list as it was.
    runner.answerWith("02206\r\n");
    extra.receive();
    EXPECT_EQ(extra.rows().size(), 2u);
    EXPECT_EQ(prompter.texts(), Rows{"02206\r\nerror"});

    // An empty table on the scale answers with the request alone: no rows.
    runner.answerWith("1002094007000000000000000\r\n");
    extra.receive();
    EXPECT_TRUE(extra.rows().empty());
}

// --- Barcode formats ----------------------------------------------------------------------

TEST_F(TextListTablesTest, UpcAndEanFormatsHaveTheirOwnRecords) {
    EXPECT_EQ(barcodeRecord(barcode::kUpc, 3, "20000000000"),
              "0002140000000100"
              "03"
              "0"
              "20000000000"
              "C000000");
    EXPECT_EQ(barcodeRecord(barcode::kEan, 8, "210000000009"),
              "0002140000000100"
              "08"
              "0"
              "210000000009"
              "C00000");
    NumberedTable codes(barcodeTable());
    ASSERT_TRUE(add(codes, "3", "20000000000"));
    EXPECT_EQ(codes.fields().number, "4");
    codes.send();
    EXPECT_EQ(runner.trfOuts[0], barcodeRecord(barcode::kUpc, 3, "20000000000") + "\r\n");
    EXPECT_EQ(runner.requests[0].message, "Transfering Barcode information,please wait...");
}

TEST_F(TextListTablesTest, APatternOfTheWrongLengthIsRefusedWithTheTypesLength) {
    NumberedTable codes(barcodeTable());
    EXPECT_FALSE(add(codes, "1", "123"));
    EXPECT_EQ(codes.fields().value, "123");       // the fields keep their contents
    EXPECT_FALSE(add(codes, "", "20000000000"));  // an empty field: nothing, no message
    EXPECT_EQ(prompter.texts(), Rows{"This type BarCode's length is 11 !"});
    codes.fields().number = "9";
    EXPECT_TRUE(codes.checkNumber());
    codes.fields().number = "0";
    EXPECT_FALSE(codes.checkNumber());
    EXPECT_EQ(prompter.texts().back(), "The Number must be 1 - 8 !");
    EXPECT_EQ(codes.valueMaxLength(), 11);
}

TEST_F(TextListTablesTest, ChangingTheTypeAsksAndEmptiesTheListOnlyOnOk) {
    NumberedTable codes(barcodeTable());
    ASSERT_TRUE(add(codes, "1", "20000000000"));
    codes.fields().value = "2";
    prompter.answerNext(PromptAnswer::Cancel);
    codes.choose(barcode::kEan);
    EXPECT_EQ(codes.fields().type, barcode::kUpc);
    EXPECT_EQ(codes.rows().size(), 1u);
    codes.choose(barcode::kEan);
    EXPECT_EQ(codes.fields().type, barcode::kEan);
    EXPECT_TRUE(codes.rows().empty());
    EXPECT_TRUE(codes.fields().value.empty());
    EXPECT_EQ(codes.valueMaxLength(), 12);
    ASSERT_EQ(prompter.prompts().size(), 2u);
    EXPECT_EQ(prompter.prompts()[0].text,
              "This change will erease all existed BarCode,\n Are you sure?");
    EXPECT_EQ(prompter.prompts()[0].buttons, PromptButtons::OkCancel);
}

TEST_F(TextListTablesTest, AReceivedEanPatternSwitchesTheType) {
    NumberedTable codes(barcodeTable());
    ASSERT_TRUE(add(codes, "1", "20000000000"));
    runner.answerWith(answerOf(barcodeRecord(barcode::kEan, 2, "210000000009")) + "\r\n" +
                      answerOf(barcodeRecord(barcode::kEan, 1, "2200000000C1")) + "\r\n");
    codes.receive();
    EXPECT_EQ(runner.trfOuts[0], "000214000700010000\r\n");
    EXPECT_EQ(codes.fields().type, barcode::kEan);
    EXPECT_EQ(codes.rows().texts(), (Rows{"1\t2200000000C1", "2\t210000000009"}));

    // UPC answers switch back; an empty scale table leaves the type alone.
    runner.answerWith(answerOf(barcodeRecord(barcode::kUpc, 4, "2000000000C")) + "\r\n");
    codes.receive();
    EXPECT_EQ(codes.fields().type, barcode::kUpc);
    EXPECT_EQ(codes.rows().texts(), Rows{"4\t2000000000C"});
    runner.answerWith("100214400700010000\r\n");
    codes.receive();
    EXPECT_EQ(codes.fields().type, barcode::kUpc);
    EXPECT_TRUE(codes.rows().empty());
}

TEST_F(TextListTablesTest, TheBarcodeFileKeepsItsTypeAndDropsPatternsOfTheOtherLength) {
    saveBarcodeFile({barcode::kEan, {{"1", "210000000009"}, {"2", "20000000000"}, {"3", "1"}}});
    NumberedTable codes(barcodeTable());
    codes.open();
    EXPECT_EQ(codes.fields().type, barcode::kEan);
    EXPECT_EQ(codes.rows().texts(), Rows{"1\t210000000009"});
    ASSERT_TRUE(add(codes, "5", "220000000007"));
    ASSERT_TRUE(codes.save());
    const LoadedBarcodes saved = loadBarcodeFile();
    EXPECT_EQ(saved.table.type, barcode::kEan);
    ASSERT_EQ(saved.table.rows.size(), 2u);
    EXPECT_EQ(saved.table.rows[1].number, "5");
    EXPECT_EQ(saved.table.rows[1].value, "220000000007");
}

}  // namespace
}  // namespace vorn
