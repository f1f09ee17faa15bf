// What a receive does before it replaces a table: the question or refusal when the answer would
// empty or shrink it, by the installed way, the backup of the table's file, and the history's
// line of a receive that was not taken.
#include <gtest/gtest.h>

#include <filesystem>

#include "comm/ReceiveGuard.h"
#include "comm/TransferHistory.h"
#include "comm/TransferWords.h"
#include "tables/TableBackup.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

struct Case {
    ShrinkingReceive way;
    std::size_t kept;
    std::size_t received;
    PromptAnswer answer;
    bool replaces;
    std::size_t prompts;
};

TEST(ReceiveGuard, AsksOrRefusesOnlyWhenTheAnswerEmptiesOrHalvesTheTable) {
    const Case cases[] = {
        {ShrinkingReceive::Ask, 0, 0, PromptAnswer::Cancel, true, 0},
        {ShrinkingReceive::Ask, 4, 2, PromptAnswer::Cancel, true, 0},
        {ShrinkingReceive::Ask, 4, 9, PromptAnswer::Cancel, true, 0},
        {ShrinkingReceive::Ask, 5, 2, PromptAnswer::Cancel, false, 1},
        {ShrinkingReceive::Ask, 3, 0, PromptAnswer::Cancel, false, 1},
        {ShrinkingReceive::Ask, 3, 0, PromptAnswer::Ok, true, 1},
        {ShrinkingReceive::RefuseEmpty, 3, 0, PromptAnswer::Ok, false, 1},
        {ShrinkingReceive::RefuseEmpty, 5, 1, PromptAnswer::Cancel, true, 0},
        {ShrinkingReceive::AllowEmpty, 3, 0, PromptAnswer::Cancel, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << static_cast<int>(c.way) << " " << c.kept << "->" << c.received);
        test::TempDir dir(test::TempDir::Enter);
        test::writeFile("Tare.dat", "old");
        ASSERT_TRUE(appendHistory({"t", "receive", "Tare", 0, "received"}));
        test::RecordingPrompter prompter;
        prompter.answerNext(c.answer);
        const ShrinkingReceive previous = installShrinkingReceive(c.way);
        EXPECT_EQ(receiveMayReplace({"Tare", {"Tare.dat", "none.dat"}, c.kept, c.received}),
                  c.replaces);
        installShrinkingReceive(previous);
        EXPECT_EQ(prompter.texts().size(), c.prompts);
        EXPECT_EQ(hasBackup("Tare.dat"), c.replaces);
        EXPECT_FALSE(hasBackup("none.dat"));
        EXPECT_EQ(isFailureInWords(loadHistory().at(0).outcome), !c.replaces);
    }
}

TEST(ReceiveGuard, HistorySaysWhenAnAnswerWasNotTaken) {
    test::TempDir dir(test::TempDir::Enter);
    test::RecordingPrompter prompter;
    const HistoryEntry sent{"t1", "send", "Tare", 2, "2 records sent to scale 01"};
    const HistoryEntry received{"t2", "receive", "Tare", 2, "2 records received from scale 01"};
    ASSERT_TRUE(appendHistory(sent));
    refuseAnswer("the answer holds a Group record");
    EXPECT_EQ(loadHistory(), std::vector<HistoryEntry>{sent});
    ASSERT_TRUE(appendHistory(received));
    refuseAnswer("the answer holds a Group record");
    EXPECT_EQ(loadHistory().at(0).outcome,
              "2 records received from scale 01; not taken: the answer holds a Group record");
    EXPECT_EQ(loadHistory().at(1), sent);
    EXPECT_EQ(prompter.texts().size(), 2u);
}

TEST(ReceiveGuard, KeepsOneGenerationAndRestoresIt) {
    test::TempDir dir(test::TempDir::Enter);
    test::RecordingPrompter prompter;
    EXPECT_NE(restoreBackup("plurec.dat"), "");
    for (const char* content : {"first", "second"}) {
        test::writeFile("plurec.dat", content);
        ASSERT_TRUE(receiveMayReplace({"PLU", {"plurec.dat"}, std::nullopt, std::nullopt}));
    }
    test::writeFile("plurec.dat", "received");
    EXPECT_EQ(restoreBackup("plurec.dat"), "");
    EXPECT_EQ(test::readFile("plurec.dat"), "second");
    // A backup that cannot be made stops the receive.
    std::filesystem::remove_all("backup");
    test::writeFile("backup", "a file where the folder goes");
    EXPECT_FALSE(receiveMayReplace({"PLU", {"plurec.dat"}, std::nullopt, std::nullopt}));
    EXPECT_EQ(prompter.texts().size(), 1u);
}

}  // namespace
}  // namespace vorn
