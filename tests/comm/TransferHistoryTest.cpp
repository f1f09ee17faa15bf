// The transfer history: its lines read and written, rotation, newest first, and the outcome in
// words that the engine writes for a transfer.
#include <gtest/gtest.h>

#include "comm/TransferHistory.h"
#include "comm/TransferWords.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

TEST(TransferHistory, ReadsOnlyWholeLinesOfFiveFields) {
    const HistoryEntry sent{"2026-12-08 21:30:05", "send", "Group", 2,
                            "2 records sent to scale 01"};
    EXPECT_EQ(parseHistoryLine(historyLine(sent)), sent);
    EXPECT_EQ(parseHistoryLine(historyLine(sent) + "\r"), sent);
    for (const char* bad :
         {"", "a\tb\tc\t1", "a\tb\tc\t1\td\te", "\tsend\tGroup\t1\tok", "t\tsend\tGroup\t-1\tok",
          "t\tsend\tGroup\t1x\tok", "t\tsend\tGroup\t\tok", "t\rx\tsend\tGroup\t1\tok"}) {
        EXPECT_EQ(parseHistoryLine(bad), std::nullopt) << bad;
    }
    // A field cannot carry the separators.
    const HistoryEntry odd{"t", "send", "a\tb\nc", 1, "x\ry"};
    EXPECT_EQ(parseHistoryLine(historyLine(odd))->table, "a b c");
    EXPECT_EQ(parseHistory(historyLine(sent) + "\r\nnoise\n" + historyLine(odd)).size(), 2u);
}

TEST(TransferHistory, RotatesAtItsSizeAndListsNewestFirst) {
    test::TempDir dir(test::TempDir::Enter);
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(appendHistory({"t" + std::to_string(i), "send", "Tare", i, "ok"}, {}, 30));
    }
    // A line is 19 bytes: a file of two lines is full, and the oldest lines go at the second turn.
    std::vector<std::string> times;
    for (const HistoryEntry& e : loadHistory()) {
        times.push_back(e.time);
    }
    EXPECT_EQ(times, (std::vector<std::string>{"t4", "t3", "t2"}));
}

TEST(TransferWords, SaysWhatReachedTheScaleAndWhatFailed) {
    using D = ScaleTransfer::Direction;
    const struct {
        ScaleTransfer transfer;
        const char* words;
    } cases[] = {
        {{D::Send, "Group", "01", 3, 3, 0, "", false}, "3 records sent to scale 01"},
        {{D::Receive, "PLU", "02", 2, 2, 4, "", false}, "2 PLUs received from scale 02"},
        {{D::Receive, "VAT", "02", 1, 1, 1, "", false}, "1 record received from scale 02"},
        {{D::Send, "Tare", "01", 5, 2, 0, "02210", false},
         "2 of 5 records reached scale 01; then the scale refused the record (02210)"},
        {{D::Send, "Tare", "01", 5, 0, 0, "02206", false},
         "0 of 5 records reached scale 01; then the scale did not acknowledge the record (02206)"},
        {{D::Send, "Tare", "01", 5, 4, 0, "", true},
         "4 of 5 records reached scale 01; then the transfer was stopped"},
        {{D::Receive, "VAT", "01", 1, 0, 0, "02202", false},
         "failed at scale 01 after 0 records received; then the scale did not answer in time "
         "(02202)"},
        {{D::Send, "Tare", "01", 1, 0, 0, "02299 odd", false},
         "0 of 1 record reached scale 01; then the scale answered 02299"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(outcomeInWords(c.transfer), c.words);
    }
    EXPECT_EQ(tableNameOfLine("0002100000000100"), "Group");
    EXPECT_EQ(tableNameOfLine("0002990000000100"), "table 99");
    EXPECT_EQ(directionWord(directionOfLine("00021000070001000000")), std::string("receive"));
    EXPECT_EQ(directionWord(directionOfLine("0002070008000100")), std::string("delete"));
}

}  // namespace
}  // namespace vorn
