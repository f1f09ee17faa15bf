#include "tables/TableFiles.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <functional>
#include <string>

#include "tables/Archive.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

std::string allBytes() {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    return all;
}

std::string word(int v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}

bool isDamageReport(const FileProblem& problem, const std::string& name) {
    return problem.rfind(name + " is damaged or incomplete: ", 0) == 0;
}

class TableFilesTest : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
};

TEST_F(TableFilesTest, GroupFileWithOneRowByteForByte) {
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}}), "");
    std::string expected = "\x0BKVRAWobnOpt" + word(1) + word(20) + "\x04   1" +
                           "\x05"
                           "FRUIT";
    EXPECT_EQ(test::readFile("Artgrp.dat"), expected);
    LoadedRows<NumberStringRow> back = loadNumberStringFile(tablefile::kGroups);
    EXPECT_EQ(back.problem, "");
    ASSERT_EQ(back.rows.size(), 1u);
    EXPECT_EQ(back.rows[0].number, "   1");
    EXPECT_EQ(back.rows[0].value, "FRUIT");
}

TEST_F(TableFilesTest, MissingFilesAreEmptyTablesWithoutProblem) {
    EXPECT_TRUE(loadNumberStringFile(tablefile::kTares).rows.empty());
    EXPECT_EQ(loadNumberStringFile(tablefile::kTares).problem, "");
    EXPECT_EQ(loadNumberWordFile(tablefile::kDateTexts).problem, "");
    LoadedBarcodes ean = loadBarcodeFile();
    EXPECT_EQ(ean.problem, "");
    EXPECT_EQ(ean.table.type, 0);
    LoadedHeaderBottom hb = loadHeaderBottomFile();
    EXPECT_FALSE(hb.found);
    EXPECT_EQ(hb.problem, "");
    EXPECT_EQ(loadDiscountFile().problem, "");
    EXPECT_TRUE(loadDiscountFile().rows.empty());
    EXPECT_EQ(loadExtraTextFile().problem, "");
}

TEST_F(TableFilesTest, ZeroOrNegativeRowCountGivesNoRows) {
    for (int count : {0, 0xFFFF, 0x8000}) {
        test::writeFile("Opt.dat", "\x0BKVRAWobnOpt" + word(count) + word(20) +
                                       "\x03  1\x03"
                                       "Ann");
        LoadedRows<NumberStringRow> loaded = loadNumberStringFile(tablefile::kOperators);
        EXPECT_TRUE(loaded.rows.empty()) << count;
        EXPECT_EQ(loaded.problem, "") << count;
    }
}

TEST_F(TableFilesTest, ValueWidthAndSignatureAreNotCheckedOnReading) {
    for (int width : {0, 4, 20, 0xFFFF}) {
        test::writeFile("VAT.dat", "\x0BKVRAWobnXXX" + word(1) + word(width) +
                                       "\x02 1\x05"
                                       "17.50");
        LoadedRows<NumberStringRow> loaded = loadNumberStringFile(tablefile::kVat);
        EXPECT_EQ(loaded.problem, "");
        ASSERT_EQ(loaded.rows.size(), 1u);
        EXPECT_EQ(loaded.rows[0].value, "17.50");
    }
}

TEST_F(TableFilesTest, EveryNumberStringFileWritesItsSignatureAndValueWidth) {
    for (const TableFile* file : {&tablefile::kGroups, &tablefile::kOperators, &tablefile::kTares,
                                  &tablefile::kVat, &tablefile::kAdvertisements}) {
        std::vector<NumberStringRow> rows = {{" 1", allBytes()}, {" 2", ""}, {"10", "x"}};
        ASSERT_EQ(saveNumberStringFile(*file, rows), "");
        std::string data = test::readFile(file->name);
        EXPECT_EQ(data.substr(0, 16),
                  std::string("\x0B") + file->signature + word(3) + word(file->valueWidth));
        LoadedRows<NumberStringRow> back = loadNumberStringFile(*file);
        EXPECT_EQ(back.problem, "");
        ASSERT_EQ(back.rows.size(), 3u);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(back.rows[i].number, rows[i].number);
            EXPECT_EQ(back.rows[i].value, rows[i].value);
        }
    }
}

TEST_F(TableFilesTest, NumberWordFilesRoundTrip) {
    ASSERT_EQ(saveNumberWordFile(tablefile::kStoreAddress, {{1, "Main St 1\r\nSpringfield"}}), "");
    EXPECT_EQ(test::readFile("shpnm.dat"),
              "\x0BKVRAWobnSPN" + word(1) + word(73) + word(1) + "\x16Main St 1\r\nSpringfield");
    std::vector<NumberWordRow> dates = {{1, "SELL BY"}, {2, allBytes()}, {3, ""}};
    ASSERT_EQ(saveNumberWordFile(tablefile::kDateTexts, dates), "");
    LoadedRows<NumberWordRow> back = loadNumberWordFile(tablefile::kDateTexts);
    EXPECT_EQ(back.problem, "");
    ASSERT_EQ(back.rows.size(), 3u);
    for (std::size_t i = 0; i < dates.size(); ++i) {
        EXPECT_EQ(back.rows[i].number, dates[i].number);
        EXPECT_EQ(back.rows[i].value, dates[i].value);
    }
    ASSERT_EQ(saveNumberWordFile(tablefile::kMarquee, {{1, std::string(100, 'm')}}), "");
    EXPECT_EQ(loadNumberWordFile(tablefile::kMarquee).rows.at(0).value, std::string(100, 'm'));
}

TEST_F(TableFilesTest, BarcodeFileHoldsTheTypeBeforeTheRows) {
    BarcodeTable table;
    table.type = 1;
    table.rows = {{"0", "2CCCCCPPPPP"}, {"8", "29CCCCCPPPPP"}};
    ASSERT_EQ(saveBarcodeFile(table), "");
    std::string data = test::readFile("EAN.dat");
    EXPECT_EQ(data.substr(0, 20), "\x0BKVRAWobnEAN" + word(2) + word(12) + word(1) + word(0));
    LoadedBarcodes back = loadBarcodeFile();
    EXPECT_EQ(back.problem, "");
    EXPECT_EQ(back.table.type, 1);
    ASSERT_EQ(back.table.rows.size(), 2u);
    EXPECT_EQ(back.table.rows[1].number, "8");
    EXPECT_EQ(back.table.rows[1].value, "29CCCCCPPPPP");
}

TEST_F(TableFilesTest, HeaderBottomFileLayout) {
    HeaderBottomTexts texts;
    texts.header = "FRESH\r\nMARKET";
    texts.bottom = "THANK YOU";
    texts.headerCentred = 1;
    texts.headerFont = "5";
    texts.bottomCentred = 0;
    texts.bottomFont = "12";
    ASSERT_EQ(saveHeaderBottomFile(texts), "");
    std::string expected = "\x0BKVRAWobnhbt" + word(2) + word(140) + word(1) + "\x0D" +
                           texts.header + word(2) + "\x09" + texts.bottom + word(1) + word(0) +
                           "\x01"
                           "5" +
                           word(0) + word(0) +
                           "\x02"
                           "12";
    EXPECT_EQ(test::readFile("hbtext.dat"), expected);
    LoadedHeaderBottom back = loadHeaderBottomFile();
    EXPECT_TRUE(back.found);
    EXPECT_EQ(back.problem, "");
    EXPECT_EQ(back.texts.header, texts.header);
    EXPECT_EQ(back.texts.bottom, texts.bottom);
    EXPECT_EQ(back.texts.headerCentred, 1);
    EXPECT_EQ(back.texts.headerFont, "5");
    EXPECT_EQ(back.texts.bottomCentred, 0);
    EXPECT_EQ(back.texts.bottomFont, "12");
}

TEST_F(TableFilesTest, DiscountFileIsNineBareStrings) {
    std::vector<std::string> records;
    for (int k = 1; k <= kDiscountRows; ++k) {
        records.push_back("000221000000000" + std::to_string(k) + std::string(40, ' ') + "+500");
    }
    ASSERT_EQ(saveDiscountFile(records), "");
    std::string data = test::readFile("discount.dat");
    EXPECT_EQ(data.size(), 9u * (1 + 60));
    EXPECT_EQ(data[0], 60);
    LoadedRows<std::string> back = loadDiscountFile();
    EXPECT_EQ(back.problem, "");
    EXPECT_EQ(back.rows, records);
}

TEST_F(TableFilesTest, ExtraTextFileIsFixedLinesWithCrLf) {
    std::string record = "0002090000000100000000001" + std::string("LINE1\x10LINE2");
    ASSERT_EQ(saveExtraTextFile({record, std::string(600, 'z')}), "");
    std::string data = test::readFile("extratextrec.dat");
    ASSERT_EQ(data.size(), 2u * 517);
    std::string padded = record + std::string(515 - record.size(), ' ');
    EXPECT_EQ(data.substr(0, 517), padded + "\r\n");
    EXPECT_EQ(data.substr(517), std::string(515, 'z') + "\r\n");
    LoadedRows<std::string> back = loadExtraTextFile();
    EXPECT_EQ(back.problem, "");
    ASSERT_EQ(back.rows.size(), 2u);
    EXPECT_EQ(back.rows[0], padded);
}

TEST_F(TableFilesTest, ExtraTextFileReadsBareLfAndShortLines) {
    std::string full(515, 'a');
    test::writeFile("extratextrec.dat", full + "\n" + "0002090000000100000000002short\r\n" + full +
                                            "\r\n" + "0002090000000100000000003end");
    LoadedRows<std::string> loaded = loadExtraTextFile();
    ASSERT_EQ(loaded.rows.size(), 4u);
    EXPECT_EQ(loaded.rows[0], full);
    EXPECT_EQ(loaded.rows[1], "0002090000000100000000002short");
    EXPECT_EQ(loaded.rows[2], full);
    EXPECT_EQ(loaded.rows[3], "0002090000000100000000003end");
    EXPECT_TRUE(isDamageReport(loaded.problem, "extratextrec.dat")) << loaded.problem;

    test::writeFile("extratextrec.dat", full + "\n" + full + "\n");
    loaded = loadExtraTextFile();
    EXPECT_EQ(loaded.rows.size(), 2u);
    EXPECT_EQ(loaded.problem, "");
}

TEST_F(TableFilesTest, TruncatedNumberStringFileKeepsTheRowsReadSoFar) {
    std::vector<NumberStringRow> rows;
    for (int i = 1; i <= 5; ++i) {
        rows.push_back({"   " + std::to_string(i), "NAME" + std::to_string(i)});
    }
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, rows), "");
    std::string data = test::readFile("Artgrp.dat");
    test::writeFile("Artgrp.dat", data.substr(0, data.size() - 12));
    LoadedRows<NumberStringRow> loaded = loadNumberStringFile(tablefile::kGroups);
    EXPECT_EQ(loaded.problem, "Artgrp.dat is damaged or incomplete: 3 of 5 rows read");
    ASSERT_EQ(loaded.rows.size(), 3u);
    EXPECT_EQ(loaded.rows[2].value, "NAME3");
}

TEST_F(TableFilesTest, LyingLengthIsReportedNotAllocated) {
    std::string data = "\x0BKVRAWobnOpt" + word(2) + word(20) +
                       "\x04   1\x05"
                       "FRUIT" +
                       "\x04   2" + "\xFF\xFF\xFF\xFF\xFF\xFF\x7F" + "tiny";
    test::writeFile("Artgrp.dat", data);
    LoadedRows<NumberStringRow> loaded = loadNumberStringFile(tablefile::kGroups);
    EXPECT_EQ(loaded.problem, "Artgrp.dat is damaged or incomplete: 1 of 2 rows read");
    ASSERT_EQ(loaded.rows.size(), 1u);

    test::writeFile("Tare.dat", "\x0BKVRAWobnTar" + word(30000) + word(8) +
                                    "\x02 1\x05"
                                    "1.500");
    loaded = loadNumberStringFile(tablefile::kTares);
    EXPECT_EQ(loaded.problem, "Tare.dat is damaged or incomplete: 1 of 30000 rows read");
}

// Saves a full file of one layout, then loads every shorter cut of it: none may crash, and
// every cut that loses data is reported with the file's name.
void expectEveryCutIsReported(
    const std::string& name, const std::function<void()>& save,
    const std::function<FileProblem()>& load,
    const std::function<bool(std::size_t)>& cutIsHarmless = [](std::size_t) { return false; }) {
    save();
    std::string full = test::readFile(name);
    ASSERT_FALSE(full.empty());
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        test::writeFile(name, full.substr(0, cut));
        FileProblem problem = load();
        if (cutIsHarmless(cut)) {
            EXPECT_EQ(problem, "") << name << " cut at " << cut;
        } else {
            EXPECT_TRUE(isDamageReport(problem, name))
                << name << " cut at " << cut << ": " << problem;
        }
    }
    test::writeFile(name, full);
    EXPECT_EQ(load(), "") << name;
}

TEST_F(TableFilesTest, EveryLayoutCutAtEveryByteIsReported) {
    expectEveryCutIsReported(
        "Artgrp.dat",
        [] {
            saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}, {"  20", "MEAT"}});
        },
        [] { return loadNumberStringFile(tablefile::kGroups).problem; });
    expectEveryCutIsReported(
        "dattxt.dat",
        [] {
            saveNumberWordFile(tablefile::kDateTexts, {{1, "PACKED"}, {2, std::string(300, 's')}});
        },
        [] { return loadNumberWordFile(tablefile::kDateTexts).problem; });
    expectEveryCutIsReported(
        "EAN.dat",
        [] {
            saveBarcodeFile({0, {{"1", "2CCCCCPPPPP"}}});
        },
        [] { return loadBarcodeFile().problem; });
    expectEveryCutIsReported(
        "hbtext.dat",
        [] {
            saveHeaderBottomFile({"TOP\r\nLINE", "BOTTOM", 1, "5", 0, "12"});
        },
        [] { return loadHeaderBottomFile().problem; });
    expectEveryCutIsReported(
        "discount.dat",
        [] { saveDiscountFile(std::vector<std::string>(kDiscountRows, "00022100000000001+500")); },
        [] { return loadDiscountFile().problem; });
    // Extra texts have no count: a cut right after a record (or after its CR) loses nothing that
    // the file could tell.
    expectEveryCutIsReported(
        "extratextrec.dat",
        [] {
            saveExtraTextFile({std::string(515, 'a'), std::string(515, 'b')});
        },
        [] { return loadExtraTextFile().problem; },
        [](std::size_t cut) { return cut % 517 == 0 || cut % 517 == 515 || cut % 517 == 516; });
}

TEST_F(TableFilesTest, TruncatedFileKeepsItsHeaderBottomTextsAsFarAsTheyGo) {
    saveHeaderBottomFile({"TOP", "BOTTOM", 1, "5", 0, "12"});
    std::string data = test::readFile("hbtext.dat");
    test::writeFile("hbtext.dat", data.substr(0, data.size() - 3));
    LoadedHeaderBottom loaded = loadHeaderBottomFile();
    EXPECT_TRUE(loaded.found);
    EXPECT_TRUE(isDamageReport(loaded.problem, "hbtext.dat"));
    EXPECT_EQ(loaded.texts.header, "TOP");
    EXPECT_EQ(loaded.texts.bottom, "BOTTOM");
    EXPECT_EQ(loaded.texts.headerFont, "5");
}

TEST_F(TableFilesTest, FailedSaveNamesTheFileAndKeepsTheOldOne) {
    ASSERT_EQ(saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}}), "");
    std::string old = test::readFile("Artgrp.dat");
    // A file size limit makes the write fail partway, for root as for anyone.
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 20;
    ::setrlimit(RLIMIT_FSIZE, &small);
    FileProblem problem =
        saveNumberStringFile(tablefile::kGroups, {{"   1", "FRUIT"}, {"   2", "VEGETABLES"}});
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(problem.rfind("Cannot save Artgrp.dat: ", 0), 0u) << problem;
    EXPECT_EQ(test::readFile("Artgrp.dat"), old);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(".")) {
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "the temporary file is removed";
}

TEST_F(TableFilesTest, SaveIntoUnwritableDirectoryIsReported) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into any directory; the failed write above covers it";
    }
    ASSERT_EQ(saveBarcodeFile({1, {}}), "");
    std::string old = test::readFile("EAN.dat");
    ::chmod(".", 0555);
    FileProblem problem = saveBarcodeFile({0, {{"1", "2CCCCCPPPPP"}}});
    ::chmod(".", 0755);
    EXPECT_EQ(problem.rfind("Cannot save EAN.dat: ", 0), 0u) << problem;
    EXPECT_EQ(test::readFile("EAN.dat"), old);
}

TEST_F(TableFilesTest, MoreRowsThanTheCountCanHoldIsRefused) {
    std::vector<NumberWordRow> rows(40000, NumberWordRow{1, "x"});
    FileProblem problem = saveNumberWordFile(tablefile::kDateTexts, rows);
    EXPECT_NE(problem.find("dattxt.dat"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("dattxt.dat"));
}

}  // namespace
}  // namespace vorn
