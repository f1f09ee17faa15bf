// The PLU record pair: the literal templates, the fields written byte for byte into their
// positions, the reserved positions of a scale's records kept, the list's display part and the
// request, delete and default label-data lines.
#include "plu/PluRecord.h"

#include <gtest/gtest.h>

#include "plu/PluForm.h"

namespace vorn {
namespace {

// A record line of a scale: every position a different character from the template's, so
// that a position the encoder touches (or not) shows.
PluPair scalePair() {
    std::string plu(plurecord::kLength, 'R');
    std::string label(labelrecord::kLength, 'S');
    plu.replace(0, 16, "1002070000000101");
    label.replace(0, 16, "1002080000000101");
    return {plu, label};
}

// The form of a new PLU filled in as a user would, accepted by OK.
PluValues typed(const std::string& number, const std::string& description,
                const std::string& price) {
    PluForm form = newPluForm(1);
    form.values.pluNumber = number;
    form.values.description1 = description;
    form.price = price;
    EXPECT_TRUE(acceptForm(form).passed());
    return form.values;
}

PluPair encoded(const PluValues& values, PluPair pair = templatePair()) {
    EXPECT_EQ(encodeValues(values, pair), "");
    return pair;
}

TEST(PluRecord, TemplatesAreTheLiteralLines) {
    const PluPair t = templatePair();
    EXPECT_EQ(t.plu,
              "00020700000001000000010001033001003" + std::string(73, ' ') + std::string(81, '0'));
    EXPECT_EQ(t.label,
              "0002080000000100000001000000000000000000000000000000000000000000000000000000000"
              "000000000000000000000000000000000000000000000000000000");
    EXPECT_EQ(t.plu.size(), 189u);
    EXPECT_EQ(t.label.size(), 133u);
    EXPECT_TRUE(t.intact());
}

TEST(PluRecord, AppleByWeightAtOneFiftyHasItsDisplayPartAndDescriptionField) {
    const PluPair pair = encoded(typed("5", "APPLE", "1.50"));
    EXPECT_EQ(displayPart(pair), "     5\tAPPLE             \t   1.50\t Weight  ");
    EXPECT_EQ(displayPart(pair).size(), kDisplayPartLength);
    EXPECT_EQ(pair.plu.substr(35, 73), "APPLE" + std::string(68, ' '));
    EXPECT_EQ(pair.plu.substr(16, 6), "000005");
    EXPECT_EQ(pair.label.substr(16, 6), "000005");
}

TEST(PluRecord, FieldsGoToTheirPositions) {
    PluValues v = typed("5", "APPLE", "1.5");
    v.description2 = "RED";
    v.byCount = true;
    v.discount = true;
    v.packFormat = 1;
    v.bestBeforeFormat = 3;
    v.sellByFormat = 2;
    v.fixweightThousandths = "1250";
    v.itemNumber = "4011";
    v.vatNumber = "3";
    v.groupNumber = "12";
    v.tareNumber = "16";
    v.labelNumber = "15";
    v.alignment = 2;
    v.fontSize1 = "7";
    v.fontSize2 = "20";
    v.extraFontSize = "9";
    v.printStoreAddress = true;
    v.advertisingTextNumber = "10";
    v.extraTextNumber = "150";
    v.packDateText = "1";
    v.bestBeforeDateText = "2";
    v.sellByDateText = "3";
    v.packCross = true;
    v.sellByCross = true;
    v.bestBeforeDays = "499";
    v.sellByDays = "7";
    const PluPair pair = encoded(v);
    const std::string& p = pair.plu;
    const std::string& l = pair.label;
    EXPECT_EQ(p.substr(35, 73), std::string("APPLE\x10RED") + std::string(64, ' '));
    EXPECT_EQ(p.substr(108, 8), "00000150");
    EXPECT_EQ(p.substr(22, 13), "0000000004011");
    EXPECT_EQ(p.substr(124, 2), "03");
    EXPECT_EQ(p.substr(170, 4), "0012");
    EXPECT_EQ(p.substr(174, 2), "16");
    EXPECT_EQ(p.substr(176, 4), "0021");  // by count and discount
    EXPECT_EQ(l.substr(22, 2), "15");
    EXPECT_EQ(l.substr(24, 4), "0002");
    EXPECT_EQ(l.substr(28, 2), "07");
    EXPECT_EQ(l.substr(30, 2), "20");
    EXPECT_EQ(l.substr(36, 2), "09");
    EXPECT_EQ(l.substr(38, 2), "01");
    EXPECT_EQ(l.substr(40, 2), "10");
    EXPECT_EQ(l.substr(42, 3), "150");
    EXPECT_EQ(l.substr(45, 6), "010203");
    EXPECT_EQ(l.substr(51, 4), "0099");  // MM/DD/YYYY, days, DD/MM/YYYY
    EXPECT_EQ(l.substr(55, 4), "0005");  // pack and sell-by crossed
    EXPECT_EQ(l.substr(68, 6), "499007");
    EXPECT_EQ(l.substr(74, 11), "00000001250");
    EXPECT_EQ(p.size(), 189u);
    EXPECT_EQ(l.size(), 133u);

    PluValues openPriceOnly = typed("6", "PEAR", "0");
    openPriceOnly.openPrice = true;
    EXPECT_EQ(encoded(openPriceOnly).plu.substr(176, 4), "0002");
}

TEST(PluRecord, EncodingKeepsEveryEnvelopeAndReservedCharacterOfTheScale) {
    const PluPair before = scalePair();
    PluPair pair = before;
    ASSERT_EQ(encodeValues(typed("77", "FISH", "12.99"), pair), "");
    // Positions no field owns.
    const std::pair<std::size_t, std::size_t> pluReserved[] = {
        {0, 16}, {116, 8}, {126, 44}, {180, 9}};
    const std::pair<std::size_t, std::size_t> labelReserved[] = {
        {0, 16}, {32, 4}, {59, 9}, {85, 48}};
    for (const auto& [pos, n] : pluReserved) {
        EXPECT_EQ(pair.plu.substr(pos, n), before.plu.substr(pos, n)) << pos;
    }
    for (const auto& [pos, n] : labelReserved) {
        EXPECT_EQ(pair.label.substr(pos, n), before.label.substr(pos, n)) << pos;
    }
    // And nothing else of the two lines stayed as it was.
    int kept = 0;
    for (std::size_t i = 0; i < pair.plu.size(); ++i) {
        kept += pair.plu[i] == before.plu[i];
    }
    EXPECT_EQ(kept, 16 + 8 + 44 + 9);
}

TEST(PluRecord, DecodeGivesTheFieldTextsAndEncodeOfThemGivesTheSameLines) {
    PluPair scale = scalePair();
    scale.plu.replace(16, 6, "004711");
    scale.plu.replace(22, 13, "0001033001003");
    scale.plu.replace(35, 73, std::string("BREAD  \x10WHOLE GRAIN") + std::string(54, ' '));
    scale.plu.replace(108, 8, "00001234");
    scale.plu.replace(124, 2, "02");
    scale.plu.replace(170, 10, "0003040023");  // group 3, tare 4, flags 0023
    scale.label.replace(16, 16, "0047110500010405");
    scale.label.replace(36, 23, "06010212300010230c00007");
    scale.label.replace(68, 17, "00001000000001500");
    const PluValues v = decodePair(scale);
    EXPECT_EQ(v.pluNumber, "004711");
    EXPECT_EQ(v.itemNumber, "0001033001003");
    EXPECT_EQ(v.description1, "BREAD");
    EXPECT_EQ(v.description2, "WHOLE GRAIN");
    EXPECT_EQ(v.priceHundredths, "00001234");
    EXPECT_EQ(v.groupNumber, "0003");
    EXPECT_EQ(v.tareNumber, "04");
    EXPECT_TRUE(v.byCount);
    EXPECT_TRUE(v.openPrice);
    EXPECT_TRUE(v.discount);
    EXPECT_EQ(v.labelNumber, "05");
    EXPECT_EQ(v.alignment, 1);
    EXPECT_EQ(v.fontSize1, "04");
    EXPECT_EQ(v.fontSize2, "05");
    EXPECT_EQ(v.extraFontSize, "06");
    EXPECT_TRUE(v.printStoreAddress);
    EXPECT_EQ(v.advertisingTextNumber, "02");
    EXPECT_EQ(v.extraTextNumber, "123");
    EXPECT_EQ(v.packDateText + v.bestBeforeDateText + v.sellByDateText, "000102");
    // 0x30c0: pack 0, best-before 0, sell-by 3 (bits 6-8); bits above are not the editor's.
    EXPECT_EQ(v.packFormat, 0);
    EXPECT_EQ(v.bestBeforeFormat, 0);
    EXPECT_EQ(v.sellByFormat, 3);
    EXPECT_TRUE(v.packCross);
    EXPECT_TRUE(v.bestBeforeCross);
    EXPECT_TRUE(v.sellByCross);
    EXPECT_EQ(v.bestBeforeDays, "0");
    EXPECT_EQ(v.sellByDays, "10");
    EXPECT_EQ(v.fixweightThousandths, "00000001500");

    // Encoding the decoded texts again changes only what the encoder rebuilds: the description's
    // blanks before the line break and the bits of the date format word that no list offers.
    PluPair again = scale;
    ASSERT_EQ(encodeValues(v, again), "");
    std::string expected = scale.plu;
    expected.replace(35, 73, std::string("BREAD\x10WHOLE GRAIN") + std::string(56, ' '));
    EXPECT_EQ(again.plu, expected);
    std::string expectedLabel = scale.label;
    expectedLabel.replace(51, 4, "00c0");
    EXPECT_EQ(again.label, expectedLabel);
}

TEST(PluRecord, EncodingOnlyTheChangedFieldsLeavesEveryOtherCharacter) {
    // The scale's pair holds characters in every field that no encoder would write.
    PluPair pair = scalePair();
    pair.plu.replace(176, 4, "0106");   // open price and two bits no field owns
    pair.label.replace(51, 4, "01c9");  // pack 1, best-before 1, sell-by 7 (no list offers it)
    const PluValues before = decodePair(pair);
    PluValues after = before;
    after.priceHundredths = "199";
    after.openPrice = false;
    after.byCount = true;
    after.sellByFormat = 2;
    PluPair changed = pair;
    ASSERT_EQ(encodeChangedValues(before, after, changed), "");
    PluPair expected = pair;
    expected.plu.replace(108, 8, "00000199");
    expected.plu.replace(176, 4, "0105");
    expected.label.replace(51, 4, "0089");
    EXPECT_EQ(changed, expected);

    // The two description lines share their positions: either change writes them both.
    PluPair apple = pair;
    apple.plu.replace(35, 73, "APPLE" + std::string(68, ' '));
    const PluValues appleBefore = decodePair(apple);
    after = appleBefore;
    after.description2 = "RED";
    changed = apple;
    ASSERT_EQ(encodeChangedValues(appleBefore, after, changed), "");
    expected = apple;
    expected.plu.replace(35, 73, "APPLE\x10RED" + std::string(64, ' '));
    EXPECT_EQ(changed, expected);
    // Nothing changed writes nothing; a value that does not fit writes nothing either.
    changed = pair;
    ASSERT_EQ(encodeChangedValues(before, before, changed), "");
    EXPECT_EQ(changed, pair);
    after = before;
    after.priceHundredths = "123456789";
    EXPECT_NE(encodeChangedValues(before, after, changed), "");
    EXPECT_EQ(changed, pair);
}

TEST(PluRecord, AValueThatDoesNotFitItsFieldWritesNothing) {
    PluPair pair = scalePair();
    const PluPair before = pair;
    PluValues v = typed("1", "X", "1");
    v.itemNumber = "12345678901234";  // 14 digits
    EXPECT_EQ(encodeValues(v, pair), "The Item No. does not fit the PLU record!");
    EXPECT_EQ(pair, before);

    v.itemNumber = "00012345678901";  // leading zeros beyond the width are no digits of value
    EXPECT_EQ(encodeValues(v, pair), "");
    EXPECT_EQ(pair.plu.substr(22, 13), "0012345678901");

    v.groupNumber = "-3";
    EXPECT_EQ(encodeValues(v, pair), "The Group No. does not fit the PLU record!");
    v.groupNumber = "3";
    v.description1 = std::string(40, 'A');
    v.description2 = std::string(40, 'B');
    EXPECT_EQ(encodeValues(v, pair), "The Description does not fit the PLU record!");
}

TEST(PluRecord, APriceOfTenThousandOrMoreKeepsEveryDigit) {
    const PluPair pair = encoded(typed("9", "HAM", "12345.67"));
    EXPECT_EQ(pair.plu.substr(108, 8), "01234567");
    EXPECT_EQ(displayPart(pair), "     9\tHAM               \t12345.67\t Weight  ");
    EXPECT_EQ(decodePair(pair).priceHundredths, "01234567");
    EXPECT_EQ(formOfValues(decodePair(pair)).price, "12345.67");
    EXPECT_TRUE(pair.intact());
}

TEST(PluRecord, ADamagedLineIsEncodedIntoItsTemplate) {
    PluPair pair{"0002070000000100", ""};
    ASSERT_EQ(encodeValues(typed("3", "KIWI", "2"), pair), "");
    EXPECT_TRUE(pair.intact());
    PluPair expected = templatePair();
    ASSERT_EQ(encodeValues(typed("3", "KIWI", "2"), expected), "");
    EXPECT_EQ(pair, expected);
}

TEST(PluRecord, RequestDeleteAndDefaultLabelLines) {
    EXPECT_EQ(pluRequestLine(), "0002070007000100000000" + std::string(23, ' '));
    EXPECT_EQ(labelRequestLine(), "0002080007000100000000");
    EXPECT_EQ(deleteAllPlusLine(), "0002070008000100000000" + std::string(23, ' '));
    const std::string label = defaultLabelLine(12);
    EXPECT_EQ(label, "0002080000000101000012" + std::string(111, '0'));
    EXPECT_EQ(asStoredRecord("3002070001000101000012"), "0002070000000101000012");
}

}  // namespace
}  // namespace vorn
