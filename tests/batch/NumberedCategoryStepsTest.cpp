// The batch steps of article groups, operators, date texts and tares: the lines they send and
// the table files they store, byte for byte; and the answers that no table's request takes.
#include <gtest/gtest.h>

#include <filesystem>

#include "batch/BatchCategories.h"
#include "tables/TableFiles.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::lengthPrefixed;
using test::pad;
using Texts = std::vector<std::string>;

std::string word(int v) {
    return {static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff)};
}

std::string header(const char* signature, int rows, int valueWidth) {
    return lengthPrefixed(signature) + word(rows) + word(valueWidth);
}

const BatchCategory& category(const char* name) {
    return *batchCategoryNamed(name);
}

std::optional<TransferSettings> send(const char* name) {
    return category(name).send(BatchContext{});
}

std::optional<TransferSettings> request(const char* name) {
    return category(name).request(BatchContext{});
}

StoreOutcome store(const char* name) {
    const BatchCategory& c = category(name);
    return c.store(BatchContext{}, c);
}

class NumberedCategorySteps : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
};

TEST_F(NumberedCategorySteps, AGroupTableOfThreeSendsThreeLinesEndingIn0001) {
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups,
                                   {{"   1", "FRUIT"}, {"  12", "VEGETABLES"}, {"  20", "MEAT"}}),
              "");
    const auto settings = send("group");
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->recordsPerItem, 1);
    EXPECT_EQ(settings->keyWidth, 0);
    EXPECT_EQ(test::readFile("trf.out"), "00021000000001000001" + pad("FRUIT", 20) + "0001\r\n" +
                                             "00021000000001000012" + pad("VEGETABLES", 20) +
                                             "0001\r\n" + "00021000000001000020" + pad("MEAT", 20) +
                                             "0001\r\n");
}

TEST_F(NumberedCategorySteps, LinesFollowTheFileOrderAndAnyNumberColumnWidth) {
    // A file from elsewhere: rows out of order, a number column of one character.
    ASSERT_EQ(saveNumberStringFile(tablefile::kOperators, {{"4", "DAVE"}, {"  1", "ANN"}}), "");
    ASSERT_TRUE(send("operator"));
    EXPECT_EQ(test::readFile("trf.out"), "0002040000000000004" + pad("DAVE", 20) + "\r\n" +
                                             "0002040000000000001" + pad("ANN", 20) + "\r\n");
}

TEST_F(NumberedCategorySteps, DateTextsAndTaresSendTheirRecords) {
    ASSERT_EQ(saveNumberWordFile(tablefile::kDateTexts, {{1, "PACKED ON"}, {3, "SELL BY"}}), "");
    ASSERT_TRUE(send("datetext"));
    EXPECT_EQ(test::readFile("trf.out"), "000219000000000001" + pad("PACKED ON", 30) + "\r\n" +
                                             "000219000000000003" + pad("SELL BY", 30) + "\r\n");

    ASSERT_EQ(saveNumberStringFile(tablefile::kTares, {{" 1", "1.234"}, {"16", "0.029"}}), "");
    ASSERT_TRUE(send("tare"));
    EXPECT_EQ(test::readFile("trf.out"),
              "00021500000001000100001234\r\n"
              "00021500000001001600000029\r\n");
}

TEST_F(NumberedCategorySteps, AMissingOrEmptyTableStartsNoTransferButAnEmptyOperatorTableDoes) {
    for (const char* name : {"group", "operator", "datetext", "tare"}) {
        EXPECT_FALSE(send(name)) << name;
    }
    EXPECT_FALSE(std::filesystem::exists("trf.out"));

    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {}), "");
    ASSERT_EQ(saveNumberWordFile(tablefile::kDateTexts, {}), "");
    ASSERT_EQ(saveNumberStringFile(tablefile::kTares, {}), "");
    for (const char* name : {"group", "datetext", "tare"}) {
        EXPECT_FALSE(send(name)) << name;
    }
    EXPECT_FALSE(std::filesystem::exists("trf.out"));

    ASSERT_EQ(saveNumberStringFile(tablefile::kOperators, {}), "");
    EXPECT_TRUE(send("operator"));
    EXPECT_EQ(test::readFile("trf.out"), "");
    EXPECT_EQ(prompter.texts(), Texts{});
}

TEST_F(NumberedCategorySteps, ATableThatIsDamagedOrDoesNotFitItsRecordIsNotSent) {
    test::writeFile("Artgrp.dat", header("KVRAWobnOpt", 3, 20) + lengthPrefixed("   1") +
                                      lengthPrefixed("FRUIT") + lengthPrefixed("   2"));
    EXPECT_FALSE(send("group"));
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_NE(prompter.texts()[0].find("Artgrp.dat"), std::string::npos);

    prompter.clear();
    ASSERT_EQ(saveNumberStringFile(tablefile::kTares, {{" 1", "1.5"}, {" 2", "123456.789"}}), "");
    EXPECT_FALSE(send("tare"));
    EXPECT_EQ(prompter.texts().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists("trf.out"));
}

TEST_F(NumberedCategorySteps, RequestsAskForTheWholeTable) {
    const std::pair<const char*, const char*> requests[] = {
        {"group", "00021000070001000000\r\n"},
        {"operator", "0002040007000000000\r\n"},
        {"datetext", "000219000700000000\r\n"},
        {"tare", "000215000700010000\r\n"},
    };
    for (const auto& [name, line] : requests) {
        ASSERT_TRUE(request(name)) << name;
        EXPECT_EQ(test::readFile("trf.out"), line) << name;
    }
}

TEST_F(NumberedCategorySteps, AGroupAnswerIsStoredAsReceived) {
    test::writeFile("trf.in", "10021000000001010012" + pad("VEGETABLES", 20) + "0001\r\n" +
                                  "10021000000001010005FRUIT\r\n");
    EXPECT_EQ(store("group"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("Artgrp.dat"), header("KVRAWobnOpt", 2, 20) + lengthPrefixed("  12") +
                                                lengthPrefixed(pad("VEGETABLES", 20)) +
                                                lengthPrefixed("   5") + lengthPrefixed("FRUIT"));
}

TEST_F(NumberedCategorySteps, AGroupAnswerWithFourAtPositionSixStoresAnEmptyTable) {
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "OLD"}}), "");
    test::writeFile("trf.in", "10021040070001010000" + pad("", 20) + "0000\r\n");
    EXPECT_EQ(store("group"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("Artgrp.dat"), header("KVRAWobnOpt", 0, 20));
}

TEST_F(NumberedCategorySteps, OperatorDateTextAndTareAnswersAreStoredAsTheirFilesHoldThem) {
    // An operator answer whose first number is 0 is stored like any other.
    test::writeFile("trf.in", "1002040000000101000" + pad("", 20) + "\n" + "1002040000000101004" +
                                  pad("DAVE", 20) + "\n");
    EXPECT_EQ(store("operator"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("Opt.dat"), header("KVRAWobnOpt", 2, 20) + lengthPrefixed("  0") +
                                             lengthPrefixed(pad("", 20)) + lengthPrefixed("  4") +
                                             lengthPrefixed(pad("DAVE", 20)));

    test::writeFile("trf.in", "100219000000010103" + pad("SELL BY", 30) + "\r\n");
    EXPECT_EQ(store("datetext"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("dattxt.dat"),
              header("KVRAWobnDat", 1, 30) + word(3) + lengthPrefixed(pad("SELL BY", 30)));

    // Weights in thousandths become pounds; an empty slot (weight 0) is no row.
    test::writeFile("trf.in",
                    "10021500000001010100001234\r\n"
                    "10021500000001010200000000\r\n"
                    "10021500000001011600012500\r\n");
    EXPECT_EQ(store("tare"), StoreOutcome::Stored);
    EXPECT_EQ(test::readFile("Tare.dat"), header("KVRAWobnTar", 2, 8) + lengthPrefixed(" 1") +
                                              lengthPrefixed("1.234") + lengthPrefixed("16") +
                                              lengthPrefixed("12.500"));
    EXPECT_EQ(prompter.texts(), Texts{});
}

TEST_F(NumberedCategorySteps, AnAnswerCutShortByAnErrorLineOfTheEngineIsNotStored) {
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}, {"   2", "MEAT"}}), "");
    test::writeFile("trf.in", "10021000000001010003" + pad("BREAD", 20) + "0000\r\n" +
                                  "02211 user break or unnormally terminate!\r\n");
    EXPECT_EQ(store("group"), StoreOutcome::ErrorAnswer);
    EXPECT_EQ(prompter.texts(), Texts{"02211 user break or unnormally terminate!\nerror"});
    EXPECT_EQ(loadNumberStringFile(tablefile::kGroups).rows.size(), 2u);
}

TEST_F(NumberedCategorySteps, AnErrorAnswerIsShownWithTheSuffixAndLeavesTheFile) {
    for (const char* name : {"group", "operator", "datetext", "tare"}) {
        SCOPED_TRACE(name);
        prompter.clear();
        test::writeFile("trf.in", "02206\r\n");
        EXPECT_EQ(store(name), StoreOutcome::ErrorAnswer);
        EXPECT_EQ(prompter.texts(), Texts{"02206\nerror"});
        EXPECT_TRUE(category(name).errorStopsRun);
    }
    for (const char* file : {"Artgrp.dat", "Opt.dat", "dattxt.dat", "Tare.dat"}) {
        EXPECT_FALSE(std::filesystem::exists(file)) << file;
    }
    // An empty answer file is an error answer whose message is the suffix alone.
    prompter.clear();
    test::writeFile("trf.in", "");
    EXPECT_EQ(store("group"), StoreOutcome::ErrorAnswer);
    EXPECT_EQ(prompter.texts(), Texts{"error"});
    // No answer file: nothing at all.
    prompter.clear();
    std::filesystem::remove("trf.in");
    EXPECT_EQ(store("group"), StoreOutcome::NoAnswer);
    EXPECT_EQ(prompter.texts(), Texts{});
}

TEST_F(NumberedCategorySteps, AStoreThatCannotWriteItsFileSaysSo) {
    std::filesystem::create_directory("Tare.dat");
    test::writeFile("trf.in", "10021500000001010100001234\r\n");
    EXPECT_EQ(store("tare"), StoreOutcome::NotStored);
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_NE(prompter.texts()[0].find("Tare.dat"), std::string::npos);
}

// An answer that is not the table asked for (another table's records, other numbers than the
// table holds, more records than it holds, records out of the order asked) stores nothing.
TEST_F(NumberedCategorySteps, AnAnswerThatDoesNotFitItsRequestStoresNothing) {
    const std::string group = "1002100000000101";
    const std::string op = "1002040000000101";
    const std::string layout = "1002600002000101";
    std::string fortyOperators;
    for (int n = 1; n <= 40; ++n) {
        fortyOperators += op + (n < 10 ? "00" : "0") + std::to_string(n) + pad("OP", 20) + "\r\n";
    }
    struct Case {
        const char* category;
        std::string answer;
        std::string message;
    };
    const std::string none = " Nothing was taken.";
    const Case cases[] = {
        {"group", "10021500000001010100001234\r\n",
         "The scale answered with a record of table 15 to a request for table 10." + none},
        {"group", group + "0021" + pad("A", 20) + "0000\r\n",
         "The scale sent record 21; the table holds numbers 0 to 20." + none},
        {"group",
         group + "0003" + pad("A", 20) + "0000\r\n" + group + "0003" + pad("B", 20) + "0000\r\n",
         "The scale sent record 3 twice." + none},
        {"operator", fortyOperators,
         "The scale sent record 5; the table holds numbers 0 to 4." + none},
        {"operator",
         op + "000" + pad("", 20) + "\r\n" + op + "002" + pad("A", 20) + "\r\n" + op + "002" +
             pad("B", 20) + "\r\n",
         "The scale sent record 2 twice." + none},
        {"tare", "10021500000001011700001234\r\n",
         "The scale sent record 17; the table holds numbers 1 to 16." + none},
        {"extra-text", "1002090000000100000000151" + pad("TEXT", 490) + "\r\n",
         "The scale sent record 151; the table holds numbers 0 to 150." + none},
        {"header-bottom",
         "10021100000001011" + pad("BOTTOM", 140) + "\r\n10021100000001010" + pad("HEAD", 140) +
             "\r\n",
         "The scale answered with record 1 where record 0 was asked for." + none},
        {"default-label", layout + "03" + pad("L3", 40) + "\r\n",
         "The scale answered with record 3 where record 1 was asked for." + none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.category);
        prompter.clear();
        test::writeFile("trf.in", c.answer);
        EXPECT_EQ(store(c.category), StoreOutcome::ErrorAnswer);
        EXPECT_EQ(prompter.texts(), Texts{c.message});
        for (const std::string& file : category(c.category).files) {
            EXPECT_FALSE(std::filesystem::exists(file)) << file;
        }
    }
}

TEST_F(NumberedCategorySteps, ARequestBringsNoMoreFramesThanItsTableHolds) {
    const std::pair<const char*, int> limits[] = {{"group", 21},       {"operator", 6},
                                                  {"datetext", 3},     {"tare", 16},
                                                  {"extra-text", 151}, {"header-bottom", 2}};
    for (const auto& [name, frames] : limits) {
        const std::optional<TransferSettings> settings = request(name);
        ASSERT_TRUE(settings) << name;
        EXPECT_EQ(settings->answerFrameLimit, frames) << name;
    }
}

// trf.out and the split PLU answers are saved as the tables are: a link there is replaced, not
// followed, and a write that fails names the file and the reason.
TEST_F(NumberedCategorySteps, TransferFilesAreSavedSafely) {
    test::writeFile("elsewhere", "KEEP");
    std::filesystem::create_symlink("elsewhere", "trf.out");
    ASSERT_TRUE(request("group"));
    EXPECT_EQ(test::readFile("elsewhere"), "KEEP");
    EXPECT_FALSE(std::filesystem::is_symlink("trf.out"));
    EXPECT_EQ(test::readFile("trf.out"), "00021000070001000000\r\n");

    std::filesystem::remove("trf.out");
    std::filesystem::create_directory("trf.out");
    EXPECT_FALSE(request("group"));
    std::filesystem::create_directory("trf1.in");
    test::writeFile("trf.in", "1");
    EXPECT_EQ(store("plu"), StoreOutcome::NotStored);
    EXPECT_EQ(prompter.texts(), (Texts{"Cannot save trf.out: Is a directory",
                                       "Cannot save trf1.in: Is a directory"}));
}

}  // namespace
}  // namespace vorn
