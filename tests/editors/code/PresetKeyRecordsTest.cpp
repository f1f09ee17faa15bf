#include "editors/code/PresetKeyRecords.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

using Codes = std::vector<std::string>;

// Codes from..to in order, four digits each.
Codes run(int from, int to) {
    Codes out;
    for (int c = from; c <= to; ++c) {
        out.push_back(std::to_string(c));
    }
    return out;
}

Codes join(std::initializer_list<Codes> parts) {
    Codes out;
    for (const Codes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

const Codes kDownLayer = run(1565, 1588);

TEST(PresetKeyArea, WithoutDiscountForOneToFourOperatorKeys) {
    const auto area = [](int n) { return keyAreaCodes(n, std::nullopt, LowerDiscountKey::Zero); };
    EXPECT_EQ(area(1), run(1561, 1592));
    EXPECT_EQ(
        area(2),
        join({{"1561", "1562", "1563", "2050"}, kDownLayer, {"1590", "1591", "1592", "2051"}}));
    EXPECT_EQ(
        area(3),
        join({{"1561", "1562", "2051", "2050"}, kDownLayer, {"1591", "1592", "2052", "2051"}}));
    EXPECT_EQ(
        area(4),
        join({{"1561", "2052", "2051", "2050"}, kDownLayer, {"1592", "2053", "2052", "2051"}}));
}

TEST(PresetKeyArea, WithDiscountTheEditorZeroesTheLowerDiscountKeyAndTheBatchRepeatsItsCode) {
    const auto area = [](int n, LowerDiscountKey lower) { return keyAreaCodes(n, 4, lower); };
    EXPECT_EQ(
        area(1, LowerDiscountKey::Zero),
        join({{"1028", "1562", "1563", "1564"}, kDownLayer, {"0000", "1590", "1591", "1592"}}));
    EXPECT_EQ(
        area(2, LowerDiscountKey::Zero),
        join({{"1028", "1562", "1563", "2050"}, kDownLayer, {"0000", "1591", "1592", "2051"}}));
    EXPECT_EQ(
        area(3, LowerDiscountKey::Zero),
        join({{"1028", "1562", "2051", "2050"}, kDownLayer, {"0000", "1592", "2052", "2051"}}));
    EXPECT_EQ(
        area(4, LowerDiscountKey::Zero),
        join({{"1028", "2052", "2051", "2050"}, kDownLayer, {"0000", "2053", "2052", "2051"}}));
    EXPECT_EQ(
        area(2, LowerDiscountKey::DiscountCode),
        join({{"1028", "1562", "1563", "2050"}, kDownLayer, {"1028", "1591", "1592", "2051"}}));
}

TEST(PresetKeyArea, FiveOperatorKeysFromTheScaleTakeKey25AndLeaveNoRoomForTheDiscount) {
    EXPECT_EQ(
        keyAreaCodes(5, std::nullopt, LowerDiscountKey::Zero),
        join({{"2053", "2052", "2051", "2050"}, kDownLayer, {"2054", "2053", "2052", "2051"}}));
    PresetKeys keys;
    keys.operatorKeys = 5;
    EXPECT_TRUE(keyboardRecord(keys, PresetLineForm::Editor));
    keys.discount = true;
    keys.discountNumber = "3";
    EXPECT_FALSE(keyboardRecord(keys, PresetLineForm::Editor));
    const PresetSendLines out = presetSendLines(keys, PresetLineForm::Editor);
    EXPECT_TRUE(out.lines.empty());
    EXPECT_NE(out.problem, "");
}

TEST(PresetKeyboardRecord, ANewInstallationSendsTheFixedLayoutForOneOperatorKey) {
    const std::optional<std::string> r = keyboardRecord(PresetKeys{}, PresetLineForm::Editor);
    ASSERT_TRUE(r);
    ASSERT_EQ(r->size(), 535u);
    EXPECT_EQ(r->substr(0, 25), "0002330000000101005056001");
    EXPECT_EQ(r->substr(25, 70), std::string(70, '0'));
    EXPECT_EQ(r->substr(95, 4), "FFFF");
    std::string fixed;
    for (int c = 1537; c <= 1560; ++c) {
        fixed += std::to_string(c);
    }
    EXPECT_EQ(r->substr(99, 96), fixed);
    EXPECT_EQ(r->substr(195, 16), std::string(16, '0'));
    std::string area;
    for (int c = 1561; c <= 1592; ++c) {
        area += std::to_string(c);
    }
    EXPECT_EQ(r->substr(211, 128), area);
    EXPECT_EQ(r->substr(339), std::string(196, '0'));

    PresetKeys three;
    three.operatorKeys = 3;
    EXPECT_EQ(keyboardRecord(three, PresetLineForm::Editor)->substr(19, 6), "052003");
}

TEST(PresetKeyboardRecord, TheDiscountCodeStartsTheKeyAreaAndAWildNumberCannotWidenIt) {
    PresetKeys keys;
    keys.discount = true;
    keys.discountNumber = "4";
    EXPECT_EQ(keyboardRecord(keys, PresetLineForm::Editor)->substr(211, 4), "1028");
    // The batch does not check the number; the code still takes four characters.
    keys.discountNumber = "99999";
    const std::optional<std::string> wild = keyboardRecord(keys, PresetLineForm::Batch);
    ASSERT_TRUE(wild);
    EXPECT_EQ(wild->size(), 535u);
    EXPECT_EQ(wild->substr(211, 4), "9999");
}

TEST(PresetRecords, OneLinePerKeyWithAPluInKeyOrderAndKey29ForTheFirstDownLayerKey) {
    PresetKeys keys;
    keys.plu[28] = "123";    // key 29
    keys.plu[0] = "999999";  // key 1
    keys.plu[56] = "7";      // key 57, never shown, still sent
    const PresetSendLines out = presetSendLines(keys, PresetLineForm::Editor);
    ASSERT_EQ(out.problem, "");
    ASSERT_EQ(out.lines.size(), 4u);
    EXPECT_EQ(out.lines[0].size(), 535u);
    EXPECT_EQ(out.lines[1],
              "0002160000000101001"
              "0000"
              "999999"
              "0000000000");
    EXPECT_EQ(out.lines[2],
              "0002160000000101029"
              "0000"
              "000123"
              "0000000000");
    EXPECT_EQ(out.lines[3],
              "0002160000000101057"
              "0000"
              "000007"
              "0000000000");
    EXPECT_EQ(presetRecord(29, "123", PresetLineForm::Batch),
              "0002160000000100029"
              "0000"
              "000123"
              "0000000000");
}

TEST(PresetRecords, APluNumberThatIsNoNumberOfSixDigitsStopsTheSend) {
    for (const char* bad : {"1234567", "12A", " 12"}) {
        PresetKeys keys;
        keys.plu[4] = bad;
        const PresetSendLines out = presetSendLines(keys, PresetLineForm::Editor);
        EXPECT_TRUE(out.lines.empty()) << bad;
        EXPECT_NE(out.problem.find("key 5"), std::string::npos) << out.problem;
    }
}

// --- Receive ---------------------------------------------------------------------------------

std::string keyboardAnswer(const std::string& n, const std::string& options,
                           const std::string& discountCode) {
    std::string line = *keyboardRecord(PresetKeys{}, PresetLineForm::Editor);
    line[0] = '1';
    line.replace(22, 3, n);
    line.replace(95, 4, options);
    line.replace(211, 4, discountCode);
    return line;
}

std::string presetAnswer(const std::string& key, const std::string& plu) {
    return "1002160000000101" + key + "0000" + plu + "0000000000";
}

TEST(PresetAnswerParse, KeyboardSettingsAndPresetLinesUpToKey57) {
    const PresetAnswer a =
        parsePresetAnswer({keyboardAnswer("003", "0241", "1028"), presetAnswer("029", "000123"),
                           presetAnswer("005", "000000"), presetAnswer("057", "000042"),
                           presetAnswer("006", "000011")});
    EXPECT_TRUE(a.keyboard);
    EXPECT_EQ(a.operatorKeys, 3);
    KeyOptions expected;
    expected.cancelKey = true;   // bit 0
    expected.changeKey = false;  // bit 1
    expected.xKey = false;       // bit 3
    expected.minusKey = true;    // bit 6
    expected.plusKey = false;    // bit 7
    expected.hashKey = true;     // bit 9
    EXPECT_EQ(a.options, expected);
    EXPECT_EQ(a.discountCode, 1028);
    EXPECT_EQ(a.keys, (std::vector<std::pair<int, std::string>>{{29, "123"}, {5, ""}}));

    const PresetAnswer zero =
        parsePresetAnswer({keyboardAnswer("001", "ffff", "1561"), presetAnswer("001", "000001"),
                           presetAnswer("000", "000002"), presetAnswer("002", "000003")});
    EXPECT_EQ(zero.keys, (std::vector<std::pair<int, std::string>>{{1, "1"}}));
    EXPECT_EQ(zero.options, KeyOptions{});  // lower-case hexadecimal reads as well
}

TEST(PresetAnswerParse, AnswerTakesTheSettingsAndOnlyTheKeysAnswered) {
    PresetKeys keys;
    keys.plu[6] = "77";
    keys.plu[4] = "55";
    applyPresetAnswer(
        keys, parsePresetAnswer({keyboardAnswer("002", "0000", "1024"),
                                 presetAnswer("005", "000000"), presetAnswer("030", "004711")}));
    EXPECT_EQ(keys.operatorKeys, 2);
    EXPECT_TRUE(keys.discount);
    EXPECT_EQ(keys.discountNumber, "0");
    EXPECT_FALSE(keys.options.changeKey);
    EXPECT_EQ(keys.plu[6], "77");
    EXPECT_EQ(keys.plu[4], "");
    EXPECT_EQ(keys.plu[29], "4711");

    applyPresetAnswer(keys, parsePresetAnswer({keyboardAnswer("005", "0000", "1035")}));
    EXPECT_EQ(keys.operatorKeys, 5);
    EXPECT_FALSE(keys.discount);
    EXPECT_EQ(keys.discountNumber, "0");
}

TEST(PresetAnswerParse, AnAnswerWithoutKeyboardRecordOrWithAWildNumberKeepsTheSettings) {
    PresetKeys keys;
    keys.operatorKeys = 3;
    keys.discount = true;
    keys.discountNumber = "2";
    // An empty scale answers the request with itself.
    applyPresetAnswer(keys, parsePresetAnswer({"1002334002000101", presetAnswer("010", "000010")}));
    EXPECT_EQ(keys.operatorKeys, 3);
    EXPECT_TRUE(keys.discount);
    EXPECT_EQ(keys.plu[9], "10");

    applyPresetAnswer(keys, parsePresetAnswer({keyboardAnswer("000", "FFFF", "1025")}));
    EXPECT_EQ(keys.operatorKeys, 3);
    EXPECT_EQ(keys.discountNumber, "1");
}

TEST(PresetRequest, TwoRequestLines) {
    EXPECT_EQ(presetRequestLines(),
              (std::vector<std::string>{"0002330002000101", "0002160007000100000"}));
}

}  // namespace
}  // namespace vorn
