// The kinds of text a spreadsheet file comes in and the way from UTF-8 to the scale's single
// bytes: a character beyond them is named, never replaced.
#include <gtest/gtest.h>

#include "tab/TextCoding.h"

namespace vorn {
namespace {

TEST(TextCoding, Utf8IsKnownByItsMarkOrByBeingWellFormed) {
    EXPECT_EQ(detectCoding("PLU No.,Price\r\n5,1.50\r\n").coding, TextCoding::Utf8);
    EXPECT_EQ(detectCoding("Caf\xC3\xA9").coding, TextCoding::Utf8);
    const DetectedText marked = detectCoding("\xEF\xBB\xBFPLU");
    EXPECT_EQ(marked.coding, TextCoding::Utf8);
    EXPECT_EQ(marked.markLength, 3u);
    // Latin-1 é alone, a truncated sequence, an overlong form, a surrogate: single bytes.
    EXPECT_EQ(detectCoding("Caf\xE9").coding, TextCoding::SingleByte);
    EXPECT_EQ(detectCoding("ab\xC3").coding, TextCoding::SingleByte);
    EXPECT_EQ(detectCoding("\xC0\xAF").coding, TextCoding::SingleByte);
    EXPECT_EQ(detectCoding("\xED\xA0\x80").coding, TextCoding::SingleByte);
    EXPECT_EQ(detectCoding("\xF4\x90\x80\x80").coding, TextCoding::SingleByte);  // > U+10FFFF
    EXPECT_TRUE(isWellFormedUtf8("\xF0\x9F\x8D\x8E"));
}

TEST(TextCoding, CharactersUpToU00FFBecomeTheirByteAndTheFirstBeyondIsNamed) {
    const SingleByteText fits = utf8ToSingleByte("Caf\xC3\xA9 cr\xC3\xA8me \xC2\xBD");
    EXPECT_TRUE(fits.unfit.empty());
    EXPECT_EQ(fits.text, "Caf\xE9 cr\xE8me \xBD");

    const SingleByteText euro = utf8ToSingleByte("5 \xE2\x82\xAC and \xE2\x80\x99");
    EXPECT_EQ(euro.unfit, "\xE2\x82\xAC");
    EXPECT_EQ(euro.unfitCode, 0x20ACu);
    EXPECT_EQ(describeUnfit(euro), "\u201C\u20AC\u201D (U+20AC)");

    const SingleByteText broken = utf8ToSingleByte("ab\xE9z");
    EXPECT_EQ(broken.unfitCode, 0u);
    EXPECT_EQ(describeUnfit(broken), "the byte 0xE9, which is not UTF-8");
}

}  // namespace
}  // namespace vorn
