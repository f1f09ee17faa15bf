// The text encodings of the text tables: line breaks, the break before the 37th character, the
// extra text assembled from displayed lines, and the header and bottom lead, font and centred
// breaks with their decoding.
#include <gtest/gtest.h>

#include "editors/kit/RecordText.h"
#include "editors/text/HeaderBottom.h"
#include "editors/text/HeaderBottomText.h"

namespace vorn {
namespace {

const std::string kBreak(1, '\x10');

TEST(RecordText, LineBreaksBecomeOneControlCharacterAndComeBack) {
    EXPECT_EQ(crlfToBreaks("AB\r\nCD\r\n"), "AB" + kBreak + "CD" + kBreak);
    // A lone CR or LF is no line break of the dialogs and stays as it is.
    EXPECT_EQ(crlfToBreaks("A\rB\nC"), "A\rB\nC");
    EXPECT_EQ(crlfToBreaks("A\r\nB", " \xD2"),
              "A \xD2"
              "B");
    EXPECT_EQ(breaksToCrlf("AB" + kBreak + "CD"), "AB\r\nCD");
    EXPECT_EQ(breaksToCrlf("AB\xD2"
                           "CD",
                           '\xD2'),
              "AB\r\nCD");
}

TEST(RecordText, AOneLineTextLongerThan36GetsABreakBeforeItsThirtySeventhCharacter) {
    const std::string fifty(50, 'x');
    EXPECT_EQ(twoLineRecordText(fifty), std::string(36, 'x') + kBreak + std::string(14, 'x'));
    EXPECT_EQ(twoLineRecordText(std::string(36, 'x')), std::string(36, 'x'));
    EXPECT_EQ(twoLineRecordText(std::string(37, 'x')), std::string(36, 'x') + kBreak + "x");
    // A text typed as two lines keeps its own break and gets no other.
    EXPECT_EQ(twoLineRecordText(std::string(40, 'a') + "\r\n" + "b"),
              std::string(40, 'a') + kBreak + "b");
}

TEST(RecordText, TheExtraTextIsTheFirst36CharactersOfEachDisplayedLineJoined) {
    // Two lines wrapped by the field, a paragraph end, and a last line.
    const std::vector<std::string> lines = {"KEEP IN A COOL ", "DRY PLACE\r\n",
                                            std::string(40, 'z')};
    EXPECT_EQ(assembleDisplayedLines(lines),
              "KEEP IN A COOL DRY PLACE" + kBreak + std::string(36, 'z'));
    // A paragraph line of exactly 36 characters keeps its break.
    EXPECT_EQ(assembleDisplayedLines({std::string(36, 'a') + "\r\n", "b"}),
              std::string(36, 'a') + kBreak + "b");
    EXPECT_EQ(assembleDisplayedLines({}), "");
    EXPECT_EQ(assembleDisplayedLines({"\r\n", "\r\n", "x"}), kBreak + kBreak + "x");
}

TEST(HeaderBottomText, FontCodesAreLettersFrom10To20AndDigitsOtherwise) {
    EXPECT_EQ(fontCode("10"), "A");
    EXPECT_EQ(fontCode("12"), "C");
    EXPECT_EQ(fontCode("20"), "K");
    EXPECT_EQ(fontCode("5"), "5");
    EXPECT_EQ(fontCode("05"), "5");  // not the two characters 0 and 5, which would shift the text
    EXPECT_EQ(fontCode("0"), "0");
    EXPECT_EQ(fontCode("B"), "B");  // a letter received from a scale goes back as it came
}

TEST(HeaderBottomText, ACentredHeaderWithFont12IsSentByteForByte) {
    HeaderBottom hb;
    hb.header = {"AB\r\nCD", 1, "12"};
    hb.bottom = {"", 0, ""};
    hb.fillEmptyFonts();
    EXPECT_EQ(headerBottomRecord(headerbottom::kHeaderRow, encodeLabelSide(hb.header)),
              "00021100000001000"
              "\x0B"
              "CAB\x10\x06"
              "CD" +
                  std::string(140 - 8, ' '));
    // A plain bottom with an empty font field goes with the lead 0x05 and font 5.
    EXPECT_EQ(hb.bottom.font, "5");
    EXPECT_EQ(headerBottomRecord(headerbottom::kBottomRow, encodeLabelSide(hb.bottom)),
              "00021100000001001\x05"
              "5" +
                  std::string(138, ' '));
    EXPECT_EQ(encodeLabelSide({"L1\r\nL2", 0, "3"}),
              "\x05"
              "3L1" +
                  kBreak + "L2");
}

TEST(HeaderBottomText, ReceivedTextsDecodeTheirLeadAndFontOrAreRefused) {
    LabelSide side{"old", 1, "7"};
    EXPECT_TRUE(
        decodeLabelSide("\x0B"
                        "CAB\r\nCD",
                        side));
    EXPECT_EQ(side.text, "AB\r\nCD");
    EXPECT_EQ(side.centred, 1);
    EXPECT_EQ(side.font, "C");

    EXPECT_TRUE(
        decodeLabelSide("\x05"
                        "BTHANKS",
                        side));
    EXPECT_EQ(side.centred, 0);
    EXPECT_EQ(side.font, "B");
    EXPECT_EQ(side.text, "THANKS");

    EXPECT_TRUE(decodeLabelSide("\x06MIDDLE", side));
    EXPECT_EQ(side.centred, 1);
    EXPECT_EQ(side.font, "");
    EXPECT_EQ(side.text, "MIDDLE");

    side = {"old", 1, "7"};
    EXPECT_TRUE(decodeLabelSide("PLAIN", side));  // no lead: centring and font stay
    EXPECT_EQ(side.text, "PLAIN");
    EXPECT_EQ(side.centred, 1);
    EXPECT_EQ(side.font, "7");

    EXPECT_TRUE(decodeLabelSide("", side));
    EXPECT_EQ(side.centred, 0);
    EXPECT_EQ(side.font, "5");

    // Font 0, a letter past K, and a lead without a font are refused: the text is kept as
    // received, centring and font as they were.
    for (const std::string& bad : {std::string("\x05"
                                               "0TEXT"),
                                   std::string("\x0B"
                                               "LTEXT"),
                                   std::string("\x05")}) {
        side = {"old", 1, "7"};
        EXPECT_FALSE(decodeLabelSide(bad, side));
        EXPECT_EQ(side.text, bad);
        EXPECT_EQ(side.centred, 1);
        EXPECT_EQ(side.font, "7");
    }
}

TEST(HeaderBottomText, AnswerTextsLoseTheirPaddingAndCentredPairs) {
    const std::string line =
        "10021100000001000\x0B"
        "CAB\x10\x06"
        "CD" +
        std::string(133, ' ');
    EXPECT_EQ(labelTextOfAnswer(line),
              "\x0B"
              "CAB\r\nCD");
    // Code 210 as the break (and no pairs) where a caller says so.
    EXPECT_EQ(labelTextOfAnswer("10021100000001001X\xD2Y   ", 141, '\xD2'), "X\r\nY");
    EXPECT_EQ(labelTextOfAnswer("1002110000000100"), "");
}

// In English; the Chinese translation brings back "传送错误!" (TranslationsGuiTest).
TEST(HeaderBottomText, TheRefusalIsInEnglish) {
    EXPECT_EQ(badLabelTextMessage(), "Transfer error!");
}

}  // namespace
}  // namespace vorn
