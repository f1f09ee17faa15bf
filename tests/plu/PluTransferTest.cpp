// The PLU transfers with a prepared trf.in: the lines a range sends, the reception split into
// trf1.in and trf2.in, the pairing of PLU and label-data records, the take with '0' and "0000"
// put back, "Clear Scale", and the messages of each failure.
#include "plu/PluTransfer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "comm/TransferFiles.h"
#include "plu/PluTable.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/PluSamples.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using Lines = std::vector<std::string>;

PluPair pairOf(int number, const std::string& description = "ITEM") {
    PluPair pair = test::samplePluPair(number, description, "0");
    pair.label.replace(22, 2, "07");  // label number 7: no default line
    return pair;
}

// A record as the scale answers it: status '1' and its operation.
std::string answered(std::string record, const char* operation = "0007") {
    record[0] = '1';
    record.replace(6, 4, operation);
    return record;
}

std::string crlf(const Lines& lines) {
    std::string out;
    for (const std::string& l : lines) {
        out += l + "\r\n";
    }
    return out;
}

class PluTransferTest : public ::testing::Test {
protected:
    void fill(std::initializer_list<int> numbers) {
        std::vector<PluPair> pairs;
        for (int n : numbers) {
            pairs.push_back(pairOf(n));
        }
        table.take(pairs);
    }
    static std::function<std::optional<PluRange>()> range(int first, int last) {
        return [first, last] { return std::optional<PluRange>(PluRange{first, last}); };
    }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
    PluTable table;
};

TEST_F(PluTransferTest, ARangeSendsTheRecordsOfItsPlusInOrder) {
    fill({3, 5, 9, 12});
    sendPlus(table.list(), range(5, 5));
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0], crlf({pairOf(5).plu, pairOf(5).label}));
    const TransferRequest& r = runner.requests[0];
    EXPECT_EQ(r.message, "Transfering PLU items,please wait...");
    EXPECT_FALSE(r.receive);
    EXPECT_EQ(r.keyWidth, 6);
    EXPECT_EQ(r.recordsPerItem, 2);

    sendPlus(table.list(), range(0, 999999));
    EXPECT_EQ(runner.trfOuts[1],
              crlf({pairOf(3).plu, pairOf(3).label, pairOf(5).plu, pairOf(5).label, pairOf(9).plu,
                    pairOf(9).label, pairOf(12).plu, pairOf(12).label}));
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(PluTransferTest, NothingIsSentForAnEmptyListACancelledOrEmptyRangeOrAReversedOne) {
    bool asked = false;
    sendPlus(table.list(), [&asked] {
        asked = true;
        return std::optional<PluRange>(PluRange{});
    });
    EXPECT_FALSE(asked);  // empty list: not even the range is asked

    fill({3, 5, 9});
    sendPlus(table.list(), [] { return std::optional<PluRange>(); });
    EXPECT_TRUE(prompter.texts().empty());
    // A range without a PLU says so.
    sendPlus(table.list(), range(6, 8));
    sendPlus(table.list(), range(10, 999999));
    sendPlus(table.list(), range(9, 5));
    EXPECT_EQ(prompter.texts(),
              (Lines{"No PLU of the list lies in the range 6 to 8: nothing was sent.",
                     "No PLU of the list lies in the range 10 to 999999: nothing was sent.",
                     "PLU range error!"}));
    EXPECT_TRUE(runner.requests.empty());
    EXPECT_EQ(test::readFile("trf.out"), "");
}

TEST_F(PluTransferTest, AFailedSendShowsTheStartOfTrfInAndError) {
    fill({1, 2});
    runner.answerWith("02206\r\n");
    sendPlus(table.list(), range(1, 2));
    runner.answerWith("");
    sendPlus(table.list(), range(1, 2));
    // The first PLU went through, the second was refused: the run stopped there.
    runner.answerWith(
        crlf({answered(pairOf(1).plu, "0000"), answered(pairOf(1).label, "0000"), "02210"}));
    sendPlus(table.list(), range(1, 2));
    runner.answerWith(std::nullopt);  // no trf.in at all: nothing to show
    sendPlus(table.list(), range(1, 2));
    EXPECT_EQ(prompter.texts(), (Lines{"02206\nerror", "error", "02210\nerror"}));
}

TEST_F(PluTransferTest, DamagedRowsAreNotSentAndTold) {
    PluPair cut = pairOf(4);
    cut.label.resize(50);
    table.take({pairOf(2), cut});
    sendPlus(table.list(), range(0, 10));
    EXPECT_EQ(runner.trfOuts.at(0), crlf({pairOf(2).plu, pairOf(2).label}));
    EXPECT_EQ(prompter.texts(), Lines{"1 damaged PLU row was not sent."});
}

TEST_F(PluTransferTest, AReceptionRequestsBothTablesAndSplitsTheAnswer) {
    const Lines answer = {answered(pairOf(12).plu), answered(pairOf(13).plu),
                          "1002070007000101000000",  // too short: passed over
                          answered(pairOf(13).label)};
    runner.answerWith(crlf(answer));
    EXPECT_TRUE(requestPlus());
    EXPECT_EQ(runner.trfOuts.at(0),
              "0002070007000100000000" + std::string(23, ' ') + "\r\n0002080007000100000000\r\n");
    const TransferRequest& r = runner.requests[0];
    EXPECT_TRUE(r.receive);
    EXPECT_EQ(r.keyWidth, 0);
    EXPECT_EQ(r.recordsPerItem, 2);
    EXPECT_EQ(test::readFile("trf1.in"), crlf({answer[0], answer[1]}));
    EXPECT_EQ(test::readFile("trf2.in"), crlf({answer[3]}));
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(PluTransferTest, AReceptionStopsOnNothingAFailureOrARecordOfAnotherTable) {
    runner.answerWith("");
    EXPECT_FALSE(requestPlus());
    runner.answerWith(std::nullopt);
    EXPECT_FALSE(requestPlus());
    runner.answerWith("02206\r\n");
    EXPECT_FALSE(requestPlus());
    std::string foreign = answered(pairOf(5).plu);
    foreign.replace(4, 2, "15");
    runner.answerWith(crlf({answered(pairOf(4).plu), foreign, answered(pairOf(6).plu)}));
    EXPECT_FALSE(requestPlus());
    EXPECT_EQ(prompter.texts(),
              (Lines{"cant read data", "cant read data", "02206\nerror", foreign + "\nerror"}));
    // Under the system's text, what it means for the user.
    EXPECT_EQ(prompter.prompts().at(0).detail, transferfile::kInEmpty);
    EXPECT_FALSE(std::filesystem::exists("trf1.in"));
}

TEST_F(PluTransferTest, EachPluFindsItsOwnLabelDataOrTheDefaultLine) {
    const Lines plus = {answered(pairOf(12).plu), answered(pairOf(13).plu),
                        answered(pairOf(20).plu)};
    const Lines labels = {answered(pairOf(3).label), answered(pairOf(13).label),
                          answered(pairOf(15).label), answered(pairOf(20).label)};
    const std::vector<ReceivedPlu> received = pairReceived(plus, labels);
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[0].label, defaultLabelLine(12));  // 12 has none; 13's line stays
    EXPECT_EQ(received[1].label, labels[1]);
    EXPECT_EQ(received[2].label, labels[3]);  // 15 belongs to no PLU
    EXPECT_EQ(selectionRow(received[1]), "  13\tITEM" + std::string(15, ' ') + "   0.00\t\t\t");
}

// Label data is paired by PLU number wherever it stands, in the reception and in the chosen
// files alike; a PLU or its label data sent twice is no table, and nothing is taken.
TEST_F(PluTransferTest, LabelDataIsPairedByPluNumberInAnyOrder) {
    const Lines plus = {answered(pairOf(12).plu), answered(pairOf(13).plu)};
    const Lines labels = {answered(pairOf(13).label), answered(pairOf(12).label)};
    const std::vector<ReceivedPlu> received = pairReceived(plus, labels);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].label, labels[1]);
    EXPECT_EQ(received[1].label, labels[0]);
    EXPECT_EQ(chosenPairs(plus, labels), (std::vector<PluPair>{pairOf(12), pairOf(13)}));

    for (const Lines& twice :
         {Lines{plus[0], plus[0], labels[0]}, Lines{plus[0], plus[1], labels[0], labels[0]}}) {
        prompter.clear();
        runner.answerWith(crlf(twice));
        EXPECT_FALSE(requestPlus());
        ASSERT_EQ(prompter.texts().size(), 1u);
        EXPECT_NE(prompter.texts()[0].find("twice. Nothing was taken."), std::string::npos);
    }
}

TEST_F(PluTransferTest, TakingPutsBackTheStoreCharactersAndReplacesListedPlus) {
    fill({1, 12, 30});
    table.take({pairOf(12, "OLD")});
    PluPair received12 = pairOf(12, "NEW");
    std::string statusThree = answered(pairOf(14, "FRESH").plu);
    statusThree[0] = '3';
    runner.answerWith(crlf({answered(received12.plu), statusThree, answered(pairOf(20).plu),
                            answered(received12.label)}));
    // The user picks the first two of three.
    receivePlus(table, [] {
        const std::vector<ReceivedPlu> received = readReceivedPlus();
        EXPECT_EQ(received.size(), 3u);
        return writeChosenPlus(received, {0, 1});
    });
    ASSERT_EQ(table.list().size(), 4u);
    EXPECT_EQ(table.list().pair(1), received12);  // replaced, '0' and "0000" back
    PluPair expected14 = pairOf(14, "FRESH");
    expected14.label = defaultLabelLine(14);
    expected14.label.replace(0, 16, "0002080000000101");
    EXPECT_EQ(table.list().pair(2), expected14);
    EXPECT_EQ(table.list().number(3), 30);
    EXPECT_EQ(table.current(), expected14);
    EXPECT_TRUE(prompter.texts().empty());

    // Cancel in the selection takes nothing.
    receivePlus(table, [] { return false; });
    EXPECT_EQ(table.list().size(), 4u);
}

TEST_F(PluTransferTest, TheChosenFilesAreReadPairByPair) {
    const PluPair a = pairOf(5);
    const Lines pluLines = {answered(a.plu), "short line", answered(pairOf(6).plu),
                            answered(pairOf(7).plu)};
    const Lines labelLines = {answered(a.label) + "tail", "partner of the short line",
                              answered(pairOf(6).label)};
    const std::vector<PluPair> pairs = chosenPairs(pluLines, labelLines);
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[0], a);  // the label line's first 133 characters
    EXPECT_EQ(pairs[1], pairOf(6));
    EXPECT_EQ(pairs[2].label, asStoredRecord(defaultLabelLine(7)));  // no line left for it

    EXPECT_FALSE(readChosenPlus());
    test::writeFile("trf3.in", crlf({a.plu}));
    EXPECT_FALSE(readChosenPlus());
    test::writeFile("trf4.in", crlf({a.label}));
    EXPECT_EQ(readChosenPlus(), std::vector<PluPair>{a});
    EXPECT_EQ(prompter.texts(), (Lines{"Transfer error!", "Transfer error!"}));
}

TEST_F(PluTransferTest, ClearScaleAsksThenSendsTheDeleteLine) {
    fill({1});
    prompter.answerNext(PromptAnswer::Cancel);
    clearScale();
    EXPECT_TRUE(runner.requests.empty());
    EXPECT_FALSE(std::filesystem::exists("trf.out"));

    clearScale();
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0], "0002070008000100000000" + std::string(23, ' ') + "\r\n");
    EXPECT_EQ(runner.requests[0].message, "Deleting PLU information,please wait...");
    EXPECT_EQ(runner.requests[0].keyWidth, 0);
    EXPECT_EQ(runner.requests[0].recordsPerItem, 1);
    EXPECT_FALSE(runner.requests[0].receive);
    runner.answerWith("02210\r\n");
    clearScale();
    const std::vector<Prompt> prompts = prompter.prompts();
    ASSERT_EQ(prompts.size(), 4u);
    EXPECT_EQ(prompts[0].text, "Do you want clear all PLU in scale ? they can not be restored!");
    EXPECT_EQ(prompts[0].icon, PromptIcon::Warning);
    EXPECT_TRUE(prompts[0].cancelIsDefault);  // Enter does not clear the scale
    EXPECT_EQ(prompts[3].text, "02210\nerror");
    EXPECT_EQ(table.list().size(), 1u);
}

}  // namespace
}  // namespace vorn
