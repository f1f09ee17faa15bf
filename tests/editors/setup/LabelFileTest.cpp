#include "editors/setup/LabelFile.h"

#include <gtest/gtest.h>

#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::readFile;
using test::writeFile;

// A layout line as the layout editor leaves it: write form, label number 00, then layout data.
const std::string kLayout =
    "0002600000000000"
    "00"
    "A1B2C3 layout data 0123456789";

class LabelFileTest : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

TEST(LabelFileName, OnlyTheExactExtensionLbl) {
    EXPECT_TRUE(hasLabelFileExtension("/home/store/lab.lbl"));
    EXPECT_TRUE(hasLabelFileExtension("x.y.lbl"));
    EXPECT_FALSE(hasLabelFileExtension("/home/store/LAB.LBL"));
    EXPECT_FALSE(hasLabelFileExtension("lab.Lbl"));
    EXPECT_FALSE(hasLabelFileExtension("lab"));
    EXPECT_FALSE(hasLabelFileExtension("lab.lbl.bak"));
    EXPECT_FALSE(hasLabelFileExtension("/dir.lbl/lab"));
}

TEST(LabelLayoutLine, FourPositionsRewrittenForSendingAndForStoring) {
    const std::string received =
        "1002600002345601"
        "03"
        "LAYOUT";
    EXPECT_EQ(layoutLineForStoring(received),
              "0002600000340601"
              "00"
              "LAYOUT");
    EXPECT_EQ(layoutLineForSending(kLayout, 3),
              "0002600000001000"
              "03" +
                  kLayout.substr(18));
    // Positions a short line does not reach are left out.
    EXPECT_EQ(layoutLineForSending("1234567890", 2), "0234567890");
    EXPECT_EQ(layoutRequestLine(2), "000260000200000002");
}

TEST_F(LabelFileTest, SendingLabel3PutsItsNumberAndTheWriteFormIn) {
    writeFile("lab.lbl", kLayout + "\r\n\r\n");
    EXPECT_EQ(sendLabelFile("lab.lbl", 3), LabelTransferResult::Succeeded);
    ASSERT_EQ(runner.trfOuts.size(), 1u);
    EXPECT_EQ(runner.trfOuts[0],
              "0002600000001000"
              "03" +
                  kLayout.substr(18) + "\r\n\r\n");
    EXPECT_EQ(runner.requests[0].message, "Transfering label information ,please wait...");
    EXPECT_FALSE(runner.requests[0].receive);
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(LabelFileTest, AMissingFileRunsAnEmptyTransferThatIsToldAsAFailure) {
    runner.answerWith("");
    EXPECT_EQ(sendLabelFile("missing.lbl", 1), LabelTransferResult::Failed);
    EXPECT_EQ(runner.trfOuts, std::vector<std::string>{""});
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"error"});
}

TEST_F(LabelFileTest, ALayoutLongerThanTheFileLimitIsRefusedNotCut) {
    writeFile("long.lbl", kLayout + std::string(647 - kLayout.size(), 'x') + "\r\n");
    EXPECT_EQ(sendLabelFile("long.lbl", 1), LabelTransferResult::Succeeded);
    writeFile("long.lbl", kLayout + std::string(648 - kLayout.size(), 'x') + "\r\n");
    EXPECT_EQ(sendLabelFile("long.lbl", 1), LabelTransferResult::NotRun);
    EXPECT_EQ(runner.requests.size(), 1u);
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_NE(prompter.texts()[0].find("long.lbl"), std::string::npos);
}

TEST_F(LabelFileTest, ReceivingIntoANewFileStoresTheLayoutInNeutralForm) {
    runner.answerWith(
        "1002600002000001"
        "01"
        "LAYOUT DATA\r\n");
    EXPECT_EQ(receiveLabelFile(dir.file("new.lbl"), 1), LabelTransferResult::Succeeded);
    EXPECT_EQ(runner.trfOuts[0], "000260000200000001\r\n");
    EXPECT_TRUE(runner.requests[0].receive);
    EXPECT_EQ(readFile("new.lbl"),
              "0002600000000001"
              "00"
              "LAYOUT DATA\r\n\r\n");
}

TEST_F(LabelFileTest, TheLastLayoutOfTheAnswerWinsAndNoOtherLineIsStored) {
    const std::string answer =
        "1002600002000001"
        "02"
        "FIRST\r\n"
        "3002600002000001"
        "02"
        "SECOND\r\n";
    runner.answerWith(answer);
    EXPECT_EQ(receiveLabelFile("lab.lbl", 2), LabelTransferResult::Succeeded);
    EXPECT_EQ(readFile("lab.lbl"),
              "0002600000000001"
              "00"
              "SECOND\r\n\r\n");
    // An answer broken off (the transfer was stopped) is only part of it: the file stays.
    runner.answerWith(answer + "02211\r\n");
    writeFile("lab.lbl", "kept");
    EXPECT_EQ(receiveLabelFile("lab.lbl", 2), LabelTransferResult::Failed);
    EXPECT_EQ(readFile("lab.lbl"), "kept");
}

TEST_F(LabelFileTest, AnErrorAnswerOrAnAnswerWithoutLayoutLeavesTheFileAlone) {
    writeFile("lab.lbl", kLayout + "\r\n");
    runner.answerWith("02206\r\n");
    EXPECT_EQ(receiveLabelFile("lab.lbl", 1), LabelTransferResult::Failed);
    runner.answerWith(
        "1002604002000000"
        "01\r\n");  // the scale has no layout 1
    EXPECT_EQ(receiveLabelFile("lab.lbl", 1), LabelTransferResult::Failed);
    runner.answerWith(
        "1002600002000001"
        "03LAYOUT THREE\r\n");  // another layout than the one asked for
    EXPECT_EQ(receiveLabelFile("lab.lbl", 1), LabelTransferResult::Failed);
    runner.answerWith(std::nullopt);
    EXPECT_EQ(receiveLabelFile("lab.lbl", 1), LabelTransferResult::NoAnswer);
    EXPECT_EQ(readFile("lab.lbl"), kLayout + "\r\n");
    const std::vector<std::string> told = prompter.texts();
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[0], "02206\nerror");
    EXPECT_NE(told[1].find("lab.lbl was not changed"), std::string::npos);
    EXPECT_EQ(told[2],
              "The scale answered with record 3 where record 1 was asked for. Nothing was taken. "
              "lab.lbl was not changed.");
}

TEST_F(LabelFileTest, AnEmptyPathIsToldAndNothingRuns) {
    EXPECT_EQ(sendLabelFile("", 1), LabelTransferResult::NotRun);
    EXPECT_EQ(receiveLabelFile("", 1), LabelTransferResult::NotRun);
    EXPECT_TRUE(runner.requests.empty());
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{"Please enter the file path and name in the textbox!",
                                        "Please enter the file path and name in the textbox!"}));
}

}  // namespace
}  // namespace vorn
