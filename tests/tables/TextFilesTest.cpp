#include "tables/TextFiles.h"

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace vorn {
namespace {

TEST(TextFiles, TheFirstLineWithoutItsLineEndAndNoLongerThanAsked) {
    EXPECT_EQ(firstLineOfText("abc\r\ndef\r\n", 99), "abc");
    EXPECT_EQ(firstLineOfText("abc\ndef", 99), "abc");
    EXPECT_EQ(firstLineOfText("abc", 99), "abc");
    EXPECT_EQ(firstLineOfText("a\rb\n", 99), "a\rb");
    EXPECT_EQ(firstLineOfText("abcdef\r\n", 4), "abcd");
    EXPECT_EQ(firstLineOfText("", 4), "");
    EXPECT_EQ(firstLineOfText(std::string("\0x\n", 3), 4), std::string("\0x", 2));
}

TEST(TextFiles, ReadsTheFirstLineOfAFileAndWritesLinesWithCrLf) {
    test::TempDir dir(test::TempDir::Enter);
    EXPECT_EQ(readFirstLine("missing.dat", 99), std::nullopt);
    ASSERT_EQ(writeTextLines("one.dat", {"0123456789", ""}), "");
    EXPECT_EQ(test::readFile("one.dat"), "0123456789\r\n\r\n");
    EXPECT_EQ(readFirstLine("one.dat", 99), "0123456789");
    EXPECT_EQ(readFirstLine("one.dat", 10), "0123456789");
    EXPECT_EQ(readFirstLine("one.dat", 9), "012345678");
    test::writeFile("long.dat", std::string(5000, 'x'));
    EXPECT_EQ(readFirstLine("long.dat", 647)->size(), 647u);
    EXPECT_EQ(readFirstLine("long.dat", 648)->size(), 648u);
    EXPECT_NE(writeTextLines(dir.file("no/such/dir/x.dat"), {"x"}), "");
}

}  // namespace
}  // namespace vorn
