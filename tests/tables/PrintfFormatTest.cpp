#include "tables/PrintfFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstdio>
#include <string>

namespace vorn {
namespace {

template <class... T>
std::string libc(const char* format, T... values) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

TEST(CFormat, IntegersMatchTheCLibrary) {
    const char* formats[] = {"%d",    "%5d",    "%-5d|", "%05d", "%+d",  "% d",  "%+05d", "%.3d",
                             "%8.3d", "%-+6d|", "%i",    "%02d", "%04d", "%01d", "%.0d",  "%+04d"};
    const int values[] = {0, 1, -1, 7, 42, -42, 500, 12345, -99999, INT_MAX, INT_MIN};
    for (const char* format : formats) {
        for (int v : values) {
            EXPECT_EQ(cformat(format, {v}), libc(format, v)) << format << " of " << v;
        }
    }
}

TEST(CFormat, UnsignedAndHexMatchTheCLibrary) {
    const char* formats[] = {"%u", "%x", "%X", "%04x", "%04X", "%#x", "%#06X", "%-6x|", "%.3x"};
    const int values[] = {0, 1, 255, 0xABC, 0xFFFF, 65536, -1, INT_MAX, INT_MIN};
    for (const char* format : formats) {
        for (int v : values) {
            EXPECT_EQ(cformat(format, {v}), libc(format, static_cast<unsigned>(v)))
                << format << " of " << v;
        }
    }
}

TEST(CFormat, FloatingPointMatchesTheCLibrary) {
    const char* formats[] = {"%f",      "%.2f",  "%5.3f", "%5.2f", "%08.2f",
                             "%-8.1f|", "%+.1f", "%.0f",  "%#.0f"};
    const double values[] = {0.0, 1.25, 1.5, -2.005, 17.5, 0.029, 12345.678, 30.5, 1e10};
    for (const char* format : formats) {
        for (double v : values) {
            EXPECT_EQ(cformat(format, {v}), libc(format, v)) << format << " of " << v;
        }
    }
}

TEST(CFormat, StarTakesWidthAndPrecisionFromTheArguments) {
    EXPECT_EQ(cformat("%*d", {6, 42}), libc("%*d", 6, 42));
    EXPECT_EQ(cformat("%*d|", {-6, 42}), libc("%*d|", -6, 42));
    EXPECT_EQ(cformat("%.*f", {2, 3.14159}), libc("%.*f", 2, 3.14159));
    EXPECT_EQ(cformat("%*.*s|", {8, 3, "abcdef"}), libc("%*.*s|", 8, 3, "abcdef"));
    EXPECT_EQ(cformat("%.*d", {-1, 5}), libc("%.*d", -1, 5));
}

TEST(CFormat, TextsPadLikePrintfAndZeroFlagFillsWithZeros) {
    EXPECT_EQ(cformat("%06s", {"12"}), "000012");
    EXPECT_EQ(cformat("%0196s", {"7"}), std::string(195, '0') + "7");
    EXPECT_EQ(cformat("%-20s|", {"FRUIT"}), "FRUIT               |");
    EXPECT_EQ(cformat("%-030s|", {"ab"}), "ab" + std::string(28, ' ') + "|");
    EXPECT_EQ(cformat("%5s", {"ab"}), "   ab");
    EXPECT_EQ(cformat("%.2s", {"abc"}), "ab");
    EXPECT_EQ(cformat("%3s", {"abcdef"}), "abcdef");  // a width never cuts
    EXPECT_EQ(cformat("%c%3c%-3c|", {'A', "b", 'c'}), "A  bc  |");
    EXPECT_EQ(cformat("100%%"), "100%");
}

TEST(CFormat, ControlCharactersAndHighBytesPassThrough) {
    std::string text("a\x10\x06\x0B\x05\xFF", 6);
    EXPECT_EQ(cformat("%-8s|", {text}), text + "  |");
}

TEST(CFormat, RecordFormatsOfTheTables) {
    EXPECT_EQ(cformat("0002100000000100%04d%-20s0000\n", {1, "FRUIT"}),
              "00021000000001000001FRUIT               0000\n");
    EXPECT_EQ(cformat("0002150000000100%02d%08d\n", {3, 1250}), "00021500000001000300001250\n");
    EXPECT_EQ(cformat("0002180000000000%02d%04d\n", {2, 1750}),
              "000218000000000002"
              "1750\n");
    EXPECT_EQ(cformat("0002190000000100%02d%-30s\n", {1, "SELL BY"}),
              "000219000000010001SELL BY" + std::string(23, ' ') + "\n");
    EXPECT_EQ(
        cformat("0002210000000000%01d%-20s%-20s%+04d", {1, "Ten off", "TEN", 500}),
        "00022100000000001Ten off" + std::string(13, ' ') + "TEN" + std::string(17, ' ') + "+500");
    EXPECT_EQ(cformat("%+04d", {-500}), "-500");
    EXPECT_EQ(cformat("%+05d", {1000}), "+1000");
}

TEST(CFormat, WrongOrMissingArgumentsAreConverted) {
    EXPECT_EQ(cformat("%04d", {"12ab"}), "0012");
    EXPECT_EQ(cformat("%d", {2.9}), "2");
    EXPECT_EQ(cformat("%s", {42}), "42");
    EXPECT_EQ(cformat("%.2f", {"17.5"}), "17.50");
    EXPECT_EQ(cformat("[%d][%s]"), "[0][]");
}

TEST(CFormat, LongResultsAreNotCut) {
    std::string text(2000, 'x');
    EXPECT_EQ(cformat("%s", {text}), text);
    EXPECT_EQ(cformat("%600d", {1}).size(), 600u);
    EXPECT_EQ(cformat("%.300f", {1.0}).size(), 302u);
}

TEST(CFormat, DecimalPointWhateverTheUserLocale) {
    const char* locales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "C.UTF-8"};
    std::string previous = std::setlocale(LC_ALL, nullptr);
    bool found = false;
    for (const char* name : locales) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            found = true;
            break;
        }
    }
    if (!found) {
        GTEST_SKIP() << "no other locale installed";
    }
    std::string formatted = cformat("%5.2f", {1.5});
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(formatted, " 1.50");
}

}  // namespace
}  // namespace vorn
