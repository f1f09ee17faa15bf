// Preset keys, operator configuration, clock, default labels and label layouts go from their
// editor models through the real engine and serial code to vornsim on a pseudo-terminal, and
// back into fresh models; the simulator's dump shows the records as they arrived on the wire.
#include <gtest/gtest.h>

#include <filesystem>

#include "editors/code/PresetKeyEditor.h"
#include "editors/setup/DateTimeRecord.h"
#include "editors/setup/DefaultLabel.h"
#include "editors/setup/LabelFile.h"
#include "editors/setup/OperatorConfig.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/ScaleEndToEnd.h"
#include "tests/support/SimulatedScale.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using Lines = std::vector<std::string>;

class ScaleSetupEndToEnd : public test::ScaleEndToEnd {};

TEST_F(ScaleSetupEndToEnd, PresetKeysGoToTheScaleAndComeBack) {
    PresetKeyEditor sent;
    sent.open();
    sent.keys().plu[0] = "123";
    sent.keys().plu[28] = "456";
    sent.keys().plu[55] = "999999";
    sent.setOperatorKeys(2);
    sent.setDiscount(true);
    sent.keys().discountNumber = "3";
    sent.keys().options.xKey = false;  // kept on the PC only: the record says FFFF
    sent.send();

    PresetKeyEditor received;
    received.open();
    received.keys().plu[4] = "5";  // a key the scale does not know keeps its PLU
    received.receive();
    EXPECT_EQ(prompter.texts(), Lines{});
    PresetKeys expected = sent.keys();
    expected.options = KeyOptions{};
    expected.plu[4] = "5";
    EXPECT_EQ(received.keys(), expected);

    const Lines presets = stored("16");
    ASSERT_EQ(presets.size(), 3u);
    EXPECT_EQ(presets[1],
              "0002160000000101029"
              "0000"
              "000456"
              "0000000000");
    EXPECT_EQ(test::dumpedRecords(dump, "33").at(0).substr(211, 4), "1027");
}

TEST_F(ScaleSetupEndToEnd, AnEmptyScaleLeavesTheKeysAsTheyWere) {
    PresetKeyEditor keys;
    keys.open();
    keys.keys().plu[2] = "3";
    keys.setOperatorKeys(4);
    keys.receive();
    EXPECT_EQ(prompter.texts(), Lines{});
    EXPECT_EQ(keys.keys().plu[2], "3");
    EXPECT_EQ(keys.keys().operatorKeys, 4);
}

TEST_F(ScaleSetupEndToEnd, OperatorConfigurationAndClock) {
    OperatorConfig sent;
    sent.open();
    sent.settings().powerOnMode = 1;
    sent.settings().printerMedia = 3;
    sent.settings().stub = true;
    sent.settings().marquee = true;
    sent.send();

    OperatorConfig received;
    received.open();
    received.settings().header = true;
    received.receive();
    EXPECT_EQ(received.settings(), sent.settings());

    VirtualClock clock;
    clock.set({2026, 3, 7, 14, 5, 9});
    ClockSetting(clock).send();
    EXPECT_EQ(prompter.texts(), Lines{});

    EXPECT_EQ(stored("02"), Lines{"0002020000000101"
                                  "00"
                                  "4"
                                  "00011"
                                  "8090"
                                  "0810"});
    EXPECT_EQ(test::dumpedRecords(dump, "38"), Lines{"0002380000000101"
                                                     "07"
                                                     "03"
                                                     "26"
                                                     "14"
                                                     "05"
                                                     "09"});
}

TEST_F(ScaleSetupEndToEnd, DefaultLabelsTravelWholeAndEachKindIsItsOwn) {
    test::writeFile("gnllabs.dat",
                    "000243000000010110300020304987601010712301020300da54320100"
                    "20\r\n");
    DefaultLabel sent(labelkind::kByWeight);
    sent.open();
    ASSERT_EQ(sent.fields().text(LabelField::LabelNumber), "3");
    sent.send();
    std::remove("gnllabs.dat");

    DefaultLabel received(labelkind::kByWeight);
    received.open();
    received.request();
    EXPECT_EQ(prompter.texts(), Lines{});
    EXPECT_EQ(received.fields(), sent.fields());
    ASSERT_TRUE(received.save());
    EXPECT_EQ(test::readFile("gnllabs.dat"),
              "000243000000010110300020304987601010712301020300da5432010020\r\n");

    DefaultLabel total(labelkind::kTotal);
    total.open();
    total.request();
    EXPECT_EQ(prompter.texts(), Lines{"error:10024340020001012"});
}

TEST_F(ScaleSetupEndToEnd, LabelLayoutsGoByNumberAndComeBackInNeutralForm) {
    const std::string layout =
        "0002600000000000"
        "00" +
        std::string(300, 'L') + "END";
    test::writeFile("lab.lbl", layout + "\r\n\r\n");
    EXPECT_EQ(sendLabelFile("lab.lbl", 2), LabelTransferResult::Succeeded);
    EXPECT_EQ(receiveLabelFile("copy.lbl", 2), LabelTransferResult::Succeeded);
    std::string neutral = layout;
    neutral.replace(13, 3, "101");  // the block digit and scale number the engine stamped stay
    EXPECT_EQ(test::readFile("copy.lbl"), neutral + "\r\n\r\n");

    test::writeFile("three.lbl", "keep\r\n");
    EXPECT_EQ(receiveLabelFile("three.lbl", 3), LabelTransferResult::Failed);
    EXPECT_EQ(test::readFile("three.lbl"), "keep\r\n");
    ASSERT_EQ(prompter.texts().size(), 1u);

    const Lines layouts = stored("60");
    ASSERT_EQ(layouts.size(), 1u);
    EXPECT_EQ(layouts[0].substr(0, 18), "000260000000110102");
}

}  // namespace
}  // namespace vorn
