#include "editors/setup/OperatorConfig.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::readFile;
using test::writeFile;

class OperatorConfigTest : public ::testing::Test {
protected:
    // Opens a dialog model, lets the test change its settings, and returns what OK writes.
    template <class Change>
    std::string savedAfter(Change change) {
        OperatorConfig config;
        config.open();
        change(config.settings());
        EXPECT_TRUE(config.save());
        return readFile("Mode.dat");
    }

    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

TEST_F(OperatorConfigTest, WithoutModeDatOkWritesTheStartingRecordWithBit7AndTheHiddenRadio) {
    EXPECT_EQ(savedAfter([](ModeSettings&) {}),
              "0002020000000101"
              "00"
              "0"
              "00011"
              "0080"
              "0010\r\n");
    EXPECT_EQ(savedAfter([](ModeSettings& s) { s.powerOnMode = 1; }).substr(24, 8), "00800810");
    EXPECT_EQ(savedAfter([](ModeSettings& s) { s.marquee = true; }).substr(24, 8), "80800810");
}

TEST_F(OperatorConfigTest, EveryControlHasItsBitBothWays) {
    writeFile("Mode.dat",
              "1002020002000101"
              "99"
              "2"
              "17777"
              "fFfF"
              "FfFf"
              "\r\n");
    OperatorConfig config;
    config.open();
    ModeSettings all;
    all.powerOnMode = 1;
    all.printerMedia = 2;
    all.pluNumber = all.header = all.footer = all.totalWeight = all.stub = all.barcode =
        all.barcodeOnStub = all.marquee = all.ticketNumberOnLabel = all.tareDisplay = true;
    all.hiddenRadio = 1;
    EXPECT_EQ(config.settings(), all);
    ASSERT_TRUE(config.save());
    // Only the bits of the controls (and bit 7) are written; positions 16-17 and 19-23 are
    // carried through, the envelope gets '0' and "0000".
    EXPECT_EQ(readFile("Mode.dat"),
              "0002020000000101"
              "99"
              "2"
              "17777"
              "80FF"
              "4A10\r\n");

    writeFile("Mode.dat", "00020200000001010000000000000000");
    config.open();
    EXPECT_EQ(config.settings(), [] {
        ModeSettings none;
        none.printerMedia = 0;
        none.hiddenRadio = 0;
        return none;
    }());
}

TEST_F(OperatorConfigTest, PrinterMediaCodes) {
    EXPECT_EQ(savedAfter([](ModeSettings& s) { s.printerMedia = 3; })[18], '4');
    OperatorConfig config;
    config.open();
    EXPECT_EQ(config.settings().printerMedia, 3);

    const std::pair<char, int> readings[] = {{'0', 0}, {'1', 1},  {'2', 2}, {'3', 0}, {'4', 3},
                                             {'5', 0}, {'6', -1}, {'7', 0}, {'8', 1}, {'9', 2}};
    for (const auto& [code, entry] : readings) {
        EXPECT_EQ(printerMediaEntry(code), entry) << code;
    }
    // No entry selected writes the code 0.
    writeFile("Mode.dat", "00020200000001010060001100800010\n");
    EXPECT_EQ(savedAfter([](ModeSettings& s) { EXPECT_EQ(s.printerMedia, -1); })[18], '0');
}

TEST_F(OperatorConfigTest, AShortFirstLineIsIgnoredAndNoFileSelectsTheFirstMediaEntry) {
    OperatorConfig config;
    config.open();
    EXPECT_EQ(config.settings().printerMedia, 0);
    writeFile("Mode.dat", "0002020000000101001000110080001\n00020200000001010020001100800010\n");
    config.open();
    EXPECT_EQ(config.settings().printerMedia, -1);
    EXPECT_EQ(config.record(), std::string(moderecord::kStartRecord));
}

TEST_F(OperatorConfigTest, SendWritesTheRecordAndReceiveShowsTheScalesUntilOk) {
    OperatorConfig config;
    config.open();
    config.settings().stub = true;
    config.send();
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_FALSE(runner.requests[0].receive);
    EXPECT_EQ(runner.requests[0].message, "Transfering Operator config information,please wait...");
    EXPECT_EQ(runner.trfOuts[0], "00020200000001010000001100900010\r\n");
    EXPECT_FALSE(std::filesystem::exists("Mode.dat"));

    runner.answerWith(
        "1002020000000101"
        "77"
        "1"
        "43210"
        "0001"
        "4810\r\n");
    config.receive();
    EXPECT_EQ(runner.trfOuts[1], "0002020002000101\r\n");
    EXPECT_TRUE(runner.requests[1].receive);
    EXPECT_EQ(config.settings().printerMedia, 1);
    EXPECT_TRUE(config.settings().barcode);
    EXPECT_TRUE(config.settings().tareDisplay);
    EXPECT_FALSE(config.settings().stub);
    EXPECT_EQ(config.record()[0], '1');
    EXPECT_FALSE(std::filesystem::exists("Mode.dat"));
    ASSERT_TRUE(config.save());
    EXPECT_EQ(readFile("Mode.dat"),
              "0002020000000101"
              "77"
              "1"
              "43210"
              "0081"
              "4810\r\n");
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(OperatorConfigTest, AFailedReceiveIsToldAndChangesNothing) {
    OperatorConfig config;
    config.open();
    config.settings().footer = true;
    runner.answerWith("02206\r\n");
    config.receive();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"02206\nerror"});
    EXPECT_TRUE(config.settings().footer);
    // A scale without a record answers the request itself: too short to take.
    runner.answerWith("1002024002000101\r\n");
    config.receive();
    EXPECT_TRUE(config.settings().footer);
}

TEST_F(OperatorConfigTest, TheBatchStoresAnAnswerInTheDialogsForm) {
    EXPECT_EQ(storedModeRecord("1002020002000101"
                               "12"
                               "1"
                               "43210"
                               "0021"
                               "4810"
                               " and more"),
              "0002020000000101"
              "12"
              "1"
              "43210"
              "0021"
              "4810");
    EXPECT_EQ(storedModeRecord("1002024002000101"), std::nullopt);
}

}  // namespace
}  // namespace vorn
