#include "tables/Archive.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempDir.h"

namespace vorn {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out += static_cast<char>(v);
    }
    return out;
}

std::string prefixOf(std::size_t length) {
    ArchiveWriter w;
    w.string(std::string(length, 'a'));
    return w.bytes().substr(0, w.bytes().size() - length);
}

TEST(ArchiveWriter, NumbersAreLittleEndian) {
    ArchiveWriter w;
    w.byte(0xAB);
    w.word(0x1234);
    w.longValue(0x01020304);
    w.longValue(-2);
    EXPECT_EQ(w.bytes(), bytes({0xAB, 0x34, 0x12, 0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST(ArchiveWriter, LengthPrefixFormsAtTheirBoundaries) {
    EXPECT_EQ(prefixOf(0), bytes({0}));
    EXPECT_EQ(prefixOf(254), bytes({254}));
    EXPECT_EQ(prefixOf(255), bytes({0xFF, 0xFF, 0x00}));
    EXPECT_EQ(prefixOf(300), bytes({0xFF, 0x2C, 0x01}));
    EXPECT_EQ(prefixOf(65533), bytes({0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(prefixOf(65534), bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(prefixOf(70000), bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));
}

TEST(ArchiveReader, StringsOfEveryPrefixFormReadBack) {
    for (std::size_t length : {0u, 1u, 254u, 255u, 300u, 65533u, 65534u, 65535u, 70000u}) {
        std::string text(length, 'x');
        for (std::size_t i = 0; i < length; ++i) {
            text[i] = static_cast<char>('a' + i % 26);
        }
        ArchiveWriter w;
        w.string(text);
        w.byte(0x5A);
        ArchiveReader r(w.bytes());
        std::string back;
        std::uint8_t after = 0;
        ASSERT_TRUE(r.string(back)) << length;
        EXPECT_EQ(back, text) << length;
        ASSERT_TRUE(r.byte(after));
        EXPECT_EQ(after, 0x5A);
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(ArchiveReader, EveryByteValueRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    ArchiveWriter w;
    w.string(all);
    w.string(std::string(1, '\0'));
    w.string(std::string(1, '\xFF'));
    ArchiveReader r(w.bytes());
    std::string a, zero, ff;
    ASSERT_TRUE(r.string(a) && r.string(zero) && r.string(ff));
    EXPECT_EQ(a, all);
    EXPECT_EQ(zero, std::string(1, '\0'));
    EXPECT_EQ(ff, "\xFF");
}

TEST(ArchiveReader, SignedWordAndLong) {
    std::string data = bytes({0xFF, 0xFF, 0x05, 0x00, 0xFE, 0xFF, 0xFF, 0xFF});
    ArchiveReader r(data);
    std::int16_t count = 0;
    std::int16_t five = 0;
    std::int32_t minusTwo = 0;
    ASSERT_TRUE(r.signedWord(count) && r.signedWord(five) && r.longValue(minusTwo));
    EXPECT_EQ(count, -1);
    EXPECT_EQ(five, 5);
    EXPECT_EQ(minusTwo, -2);
}

TEST(ArchiveReader, WideStringsComeToOneByteEach) {
    // "Aé€" then a surrogate pair (U+1F600), in UTF-16LE, with a short length prefix of 5 units.
    std::string data =
        bytes({0xFF, 0xFE, 0xFF, 5, 'A', 0, 0xE9, 0, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE, 'z'});
    ArchiveReader r(data);
    std::string text;
    ASSERT_TRUE(r.string(text));
    EXPECT_EQ(text, "A\xE9??");
    std::uint8_t after = 0;
    ASSERT_TRUE(r.byte(after));
    EXPECT_EQ(after, 'z');
}

TEST(ArchiveReader, WideStringWithWordLength) {
    std::string data = bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01});
    for (int i = 0; i < 300; ++i) {
        data += bytes({'b', 0});
    }
    ArchiveReader r(data);
    std::string text;
    ASSERT_TRUE(r.string(text));
    EXPECT_EQ(text, std::string(300, 'b'));
    EXPECT_TRUE(r.atEnd());
}

TEST(ArchiveReader, LyingLengthsFailWithoutAllocating) {
    const std::string lies[] = {
        bytes({5, 'a', 'b'}),                                  // byte length past the end
        bytes({0xFF, 0x00, 0x10, 'a'}),                        // word length past the end
        bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),     // long length of 2 GB
        bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1}),  // long length of 4 GB, a byte
        bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0}),  // wide
        bytes({0xFF, 0xFE, 0xFF, 2, 'a', 0, 'b'}),  // wide, odd byte short
        bytes({0xFF, 0xFE}),                        // cut inside the prefix
        bytes({0xFF}),
        std::string(),
    };
    for (const std::string& data : lies) {
        ArchiveReader r(data);
        std::string text = "kept";
        EXPECT_FALSE(r.string(text)) << data.size();
        EXPECT_TRUE(r.failed());
        EXPECT_EQ(text, "kept");
        std::uint8_t b = 0;
        EXPECT_FALSE(r.byte(b)) << "a failed reader reads nothing more";
    }
}

TEST(ArchiveReader, NumbersCutShortFail) {
    std::uint16_t w = 0;
    std::int32_t l = 0;
    std::string oneByte = bytes({1});
    std::string threeBytes = bytes({1, 2, 3});
    ArchiveReader one(oneByte);
    EXPECT_FALSE(one.word(w));
    ArchiveReader three(threeBytes);
    EXPECT_FALSE(three.longValue(l));
    EXPECT_TRUE(three.failed());
}

TEST(FileBytes, MissingFileHasNoValueAndEmptyFileIsEmpty) {
    test::TempDir dir;
    EXPECT_FALSE(readFileBytes(dir.file("none.dat")).has_value());
    EXPECT_FALSE(readFileBytes(dir.path().string()).has_value());
    test::writeFile(dir.file("empty.dat"), "");
    ASSERT_TRUE(readFileBytes(dir.file("empty.dat")).has_value());
    EXPECT_EQ(*readFileBytes(dir.file("empty.dat")), "");
}

}  // namespace
}  // namespace vorn
