#include "editors/code/PresetKeyEditor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "editors/code/PresetKeyRecords.h"
#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using Captions = std::vector<std::string>;

Captions captions(const PresetKeyEditor& e) {
    Captions out;
    for (const KeyFace& f : e.faces()) {
        out.push_back(f.caption);
    }
    return out;
}

Captions lastFour(const PresetKeyEditor& e) {
    const Captions all = captions(e);
    return Captions(all.end() - 4, all.end());
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

class PresetKeyEditorTest : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

TEST_F(PresetKeyEditorTest, ANewInstallationShowsPlainKeysAndSendsOnlyTheKeyboard) {
    PresetKeyEditor e;
    e.open();
    EXPECT_EQ(captions(e), Captions(28, "P"));
    EXPECT_STREQ(e.layerCaption(), "Up Layer");
    e.send();
    const std::vector<std::string> sent = linesOf(runner.trfOuts.at(0));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].substr(19, 6), "056001");
    EXPECT_EQ(runner.requests[0].message, "Transfering Preset Key information,please wait...");
    EXPECT_FALSE(runner.requests[0].receive);
}

TEST_F(PresetKeyEditorTest, TheFirstDownLayerButtonIsKey29AndTogglingTwiceShowsTheUpLayerAgain) {
    PresetKeyEditor e;
    e.open();
    e.clickKey(0);
    e.add("5");
    e.toggleLayer();
    EXPECT_STREQ(e.layerCaption(), "Down Layer");
    EXPECT_EQ(captions(e), Captions(28, "P"));
    e.clickKey(0);
    EXPECT_EQ(e.currentKey(), 29);
    e.add("123");
    EXPECT_EQ(e.faces()[0].caption, "P123");
    e.toggleLayer();
    e.toggleLayer();
    EXPECT_EQ(e.faces()[0].caption, "P123");
    e.toggleLayer();
    EXPECT_EQ(e.faces()[0].caption, "P5");

    e.send();
    const std::vector<std::string> sent = linesOf(runner.trfOuts.at(0));
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1].substr(16, 3), "001");
    EXPECT_EQ(sent[2].substr(16, 3), "029");
    EXPECT_EQ(sent[2].substr(23, 6), "000123");

    // An empty entry clears the key.
    e.clickKey(0);
    e.add("");
    EXPECT_EQ(e.keys().plu[0], "");
}

TEST_F(PresetKeyEditorTest, OperatorKeysAndTheDiscountKeyOverlayTheLastButtonsOnBothLayers) {
    PresetKeyEditor e;
    e.open();
    for (int b = 24; b < 28; ++b) {
        e.clickKey(b);
        e.add(std::to_string(b + 1));
    }
    e.setOperatorKeys(3);
    EXPECT_EQ(lastFour(e), (Captions{"P25", "P26", "V.3", "V.2"}));
    EXPECT_FALSE(e.faces()[27].enabled);
    EXPECT_TRUE(e.faces()[25].enabled);
    e.setDiscount(true);
    EXPECT_EQ(e.keys().discountNumber, "1");
    EXPECT_EQ(lastFour(e), (Captions{"S", "P26", "V.3", "V.2"}));
    e.toggleLayer();
    EXPECT_EQ(lastFour(e), (Captions{"S", "P", "V.3", "V.2"}));
    e.setOperatorKeys(1);
    e.setDiscount(false);
    e.toggleLayer();
    // The PLU numbers under the overlays stayed.
    EXPECT_EQ(lastFour(e), (Captions{"P25", "P26", "P27", "P28"}));
    EXPECT_TRUE(e.faces()[27].enabled);
}

TEST_F(PresetKeyEditorTest, ADiscountNumberOutsideOneToNineStopsOkAndSend) {
    PresetKeyEditor e;
    e.open();
    e.setDiscount(true);
    e.keys().discountNumber = "0";
    EXPECT_FALSE(e.save());
    e.send();
    EXPECT_FALSE(std::filesystem::exists("key.dat"));
    EXPECT_TRUE(runner.requests.empty());
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"the Discout number is from 1 to 9",
                                                          "the Discout number is from 1 to 9"}));
    e.keys().discountNumber = "4";
    e.send();
    EXPECT_EQ(linesOf(runner.trfOuts.at(0))[0].substr(211, 4), "1028");
    ASSERT_TRUE(e.save());
    PresetKeyEditor reopened;
    reopened.open();
    EXPECT_EQ(reopened.keys(), e.keys());
}

TEST_F(PresetKeyEditorTest, ReceiveTakesTheScalesKeyboardAndPresetsUpToKey57) {
    std::string keyboard = *keyboardRecord(PresetKeys{}, PresetLineForm::Editor);
    keyboard[0] = '1';
    keyboard.replace(22, 3, "005");
    keyboard.replace(95, 4, "0000");
    runner.answerWith(keyboard + "\r\n" +
                      "1002160000000101029"
                      "0000"
                      "000123"
                      "0000000000\r\n"
                      "1002160000000101057"
                      "0000"
                      "000001"
                      "0000000000\r\n"
                      "1002160000000101003"
                      "0000"
                      "000003"
                      "0000000000\r\n");
    PresetKeyEditor e;
    e.open();
    e.receive();
    EXPECT_EQ(runner.trfOuts.at(0), "0002330002000101\r\n0002160007000100000\r\n");
    EXPECT_TRUE(runner.requests[0].receive);
    EXPECT_TRUE(std::filesystem::exists("trf1.out"));
    EXPECT_EQ(e.keys().operatorKeys, 5);
    EXPECT_FALSE(e.keys().options.hashKey);
    EXPECT_EQ(e.keys().plu[28], "123");
    EXPECT_EQ(e.keys().plu[2], "");
    EXPECT_EQ(lastFour(e), (Captions{"V.5", "V.4", "V.3", "V.2"}));
    EXPECT_FALSE(std::filesystem::exists("key.dat"));

    runner.answerWith("02206\r\n");
    e.receive();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"02206\nerror"});
    EXPECT_EQ(e.keys().plu[28], "123");
}

}  // namespace
}  // namespace vorn
