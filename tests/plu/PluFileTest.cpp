// The PLU file plurec.dat and the editor defaults file PLUdft.dat, byte for byte.
#include "plu/PluFile.h"

#include <gtest/gtest.h>

#include "plu/PluDefaults.h"
#include "tests/support/PluSamples.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::pluFileOf;

const std::string kHeaderLine = "'KVRARetail_RL00_USA_PLU_VERSION_3.0\r\n";

PluPair pairOf(const char* number) {
    PluPair pair = templatePair();
    pair.plu.replace(16, 6, number);
    pair.label.replace(16, 6, number);
    return pair;
}

TEST(PluFile, LayoutIsTheHeaderLineThenTheTwoRecordsOfEachPluWithCrLf) {
    EXPECT_EQ(pluFileOf({}), kHeaderLine);
    const PluPair a = pairOf("000001");
    const PluPair b = pairOf("000002");
    EXPECT_EQ(pluFileOf({a, b}),
              kHeaderLine + a.plu + "\r\n" + a.label + "\r\n" + b.plu + "\r\n" + b.label + "\r\n");
    EXPECT_EQ(pluFileOf({a}).size(), kHeaderLine.size() + 189 + 2 + 133 + 2);
}

TEST(PluFile, ReadingGivesThePairsInFileOrderWithCrLfOrLf) {
    const PluPair a = pairOf("000009");
    const PluPair b = pairOf("000002");
    for (const std::string& bytes :
         {pluFileOf({a, b}), "'KVRARetail_RL00_USA_PLU_VERSION_3.0\n" + a.plu + "\n" + a.label +
                                 "\n" + b.plu + "\n" + b.label}) {
        const PluFileContent content = parsePluFile(bytes);
        EXPECT_EQ(content.status, PluFileContent::Status::Read);
        EXPECT_EQ(content.pairs, (std::vector<PluPair>{a, b}));
        EXPECT_EQ(content.damaged, 0u);
    }
}

TEST(PluFile, PiecesOfAnySizeGiveTheSameContent) {
    PluPair cut = pairOf("000003");
    cut.label.resize(90);
    const std::string bytes =
        pluFileOf({pairOf("000001"), pairOf("000002"), cut}) + "\r\n" + pairOf("000004").plu;
    const PluFileContent whole = parsePluFile(bytes);
    ASSERT_EQ(whole.pairs.size(), 4u);
    EXPECT_EQ(whole.damaged, 2u);
    for (std::size_t size : {1u, 2u, 7u, 190u, 191u, 323u, 4096u}) {
        PluFileParser parser;
        for (std::size_t at = 0; at < bytes.size(); at += size) {
            parser.feed(std::string_view(bytes).substr(at, size));
        }
        const PluFileContent pieces = parser.finish();
        EXPECT_EQ(pieces.pairs, whole.pairs) << size;
        EXPECT_EQ(pieces.damaged, whole.damaged) << size;
    }
}

TEST(PluFile, AForeignFirstLineLoadsNothing) {
    const PluPair a = pairOf("000001");
    for (const std::string& bytes :
         {std::string(), std::string("'KVRARetail_RL00_USA_PLU_VERSION_2.0\r\n") + a.plu,
          "KVRARetail_RL00_USA_PLU_VERSION_3.0\r\n" + a.plu + "\r\n" + a.label + "\r\n",
          " " + pluFileOf({a})}) {
        const PluFileContent content = parsePluFile(bytes);
        EXPECT_EQ(content.status, PluFileContent::Status::Foreign);
        EXPECT_TRUE(content.pairs.empty());
    }
}

TEST(PluFile, LinesOfTheWrongLengthAreKeptAsDamagedPairs) {
    const PluPair a = pairOf("000001");
    const PluPair b = pairOf("000002");
    // The file ends inside the second PLU: its label-data line is cut short.
    std::string cut = pluFileOf({a, b});
    cut.resize(cut.size() - 40);
    PluFileContent content = parsePluFile(cut);
    ASSERT_EQ(content.pairs.size(), 2u);
    EXPECT_EQ(content.pairs[0], a);
    EXPECT_EQ(content.pairs[1].plu, b.plu);
    EXPECT_EQ(content.pairs[1].label, b.label.substr(0, 133 - 38));
    EXPECT_EQ(content.damaged, 1u);

    // A lone PLU record at the end, and an empty line between PLUs.
    content = parsePluFile(pluFileOf({a}) + "\r\n" + b.plu + "\r\n");
    ASSERT_EQ(content.pairs.size(), 2u);
    EXPECT_EQ(content.pairs[1], (PluPair{b.plu, ""}));
    EXPECT_EQ(content.damaged, 1u);

    // Written back, a damaged pair reads the same again.
    const std::string again = pluFileOf(content.pairs);
    EXPECT_EQ(parsePluFile(again).pairs, content.pairs);
}

TEST(PluFile, MissingFileIsNothingToLoadAndSavingReplacesTheFile) {
    test::TempDir dir(test::TempDir::Enter);
    EXPECT_EQ(readPluFile().status, PluFileContent::Status::Missing);
    const PluPair a = pairOf("000004");
    ASSERT_EQ(savePluFile(pluFileOf({a})), "");
    EXPECT_EQ(test::readFile("plurec.dat"), pluFileOf({a}));
    EXPECT_EQ(readPluFile().pairs, std::vector<PluPair>{a});
}

TEST(PluDefaultsFile, ItemsInFileOrder) {
    PluDefaults d;
    d.packCross = 1;
    d.sellByCross = 1;
    d.packDays = "5";
    d.pluNumber = "12";
    d.description1 = "APPLE";
    d.fixweightPounds = "1.250";
    d.priceHundredths = "150";
    d.alignment = 2;
    d.sellByFormat = 3;
    d.packFormat = 1;
    d.bestBeforeFormat = 2;
    const auto word = [](std::uint32_t v) {
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    };
    const auto str = [](const std::string& s) {
        return std::string(1, static_cast<char>(s.size())) + s;
    };
    std::string expected =
        str("KVRAWobnOpt") + word(1) + word(0) + word(1) + str("5") + str("") + str("") + str("") +
        str("") + str("") + str("12") + str("") + str("APPLE") + str("") + str("") + str("") +
        str("") + str("") + str("") + word(0) + word(0) + word(0) + str("1.250") + str("150") +
        word(2) + str("") + word(0) + str("") + str("") + str("") + word(3) + word(1) + word(2);
    EXPECT_EQ(pluDefaultsBytes(d), expected);
    EXPECT_EQ(parsePluDefaults(expected), d);
    // Cut anywhere, the file gives nothing to take.
    for (std::size_t n = 0; n < expected.size(); ++n) {
        EXPECT_FALSE(parsePluDefaults(std::string_view(expected).substr(0, n))) << n;
    }
}

TEST(PluDefaultsFile, MissingFileIsNoProblemAndADamagedOneIsNamed) {
    test::TempDir dir(test::TempDir::Enter);
    LoadedPluDefaults loaded = readPluDefaults();
    EXPECT_FALSE(loaded.defaults);
    EXPECT_EQ(loaded.problem, "");
    PluDefaults d;
    d.itemNumber = "0001033001003";
    ASSERT_EQ(savePluDefaults(d), "");
    loaded = readPluDefaults();
    EXPECT_EQ(loaded.defaults, d);
    test::writeFile("PLUdft.dat", "\x0bKVRAWobnOpt\x01");
    loaded = readPluDefaults();
    EXPECT_FALSE(loaded.defaults);
    EXPECT_NE(loaded.problem.find("PLUdft.dat"), std::string::npos);
}

}  // namespace
}  // namespace vorn
