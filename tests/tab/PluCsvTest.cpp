// Export and import of PLU spreadsheets against a list: the exported cells; a round trip that
// gives the PLU file back byte for byte, reserved characters included; a price list that
// changes prices and nothing else; columns in any order, partial and unknown; semicolon and
// Latin-1 files; new PLUs from the templates; every reason a row is rejected, with its line;
// and the files that cannot be imported at all.
#include <gtest/gtest.h>

#include "plu/PluFile.h"
#include "plu/PluForm.h"
#include "plu/PluList.h"
#include "plu/PluTable.h"
#include "tab/PluExport.h"
#include "tab/PluImport.h"
#include "tables/PrintfFormat.h"

namespace vorn {
namespace {

using Lines = std::vector<std::string>;

// A pair as a scale may send it: every reserved range and the envelope's flags hold
// characters the encoder never writes, the item flag word has bits the editor does not know,
// the date format word a code no list offers, and the description two line breaks.
PluPair scalePair(int number, const std::string& description, const std::string& hundredths) {
    PluPair pair = templatePair();
    const auto fill = [](std::string& line, std::size_t from, std::size_t to, char first) {
        for (std::size_t i = from; i <= to; ++i) {
            line[i] = static_cast<char>(first + (i % 7));
        }
    };
    fill(pair.plu, 116, 123, 'A');
    fill(pair.plu, 126, 169, 'a');
    fill(pair.plu, 180, 188, 'K');
    pair.plu[130] = '\xE9';
    fill(pair.label, 32, 35, 'Q');
    fill(pair.label, 59, 67, 'q');
    fill(pair.label, 85, 132, 'M');
    pair.plu.replace(10, 6, "000199");
    pair.label.replace(10, 6, "000199");
    pair.plu.replace(16, 6, cformat("%06d", {number}));
    pair.label.replace(16, 6, cformat("%06d", {number}));
    pair.plu.replace(35, 73, std::string(73, ' '));
    pair.plu.replace(35, description.size(), description);
    pair.plu.replace(108, 8, cformat("%08s", {hundredths}));
    pair.plu.replace(170, 4, "0003");
    pair.plu.replace(176, 4, "0105");   // by count, and bits 2 and 8 that no field owns
    pair.label.replace(51, 4, "0029");  // pack code 1, best-before 5 (not offered)
    pair.label.replace(55, 4, "0002");
    pair.label.replace(74, 11, "00000001250");
    return pair;
}

std::string fileOf(const PluList& list) {
    return pluFileBytesOf(list);
}

void fill(PluList& list, std::vector<PluPair> pairs) {
    list.clear();
    list.addAll(std::move(pairs));
}

// The CSV bytes of an export as lines, without the byte order mark and the line ends.
Lines csvLines(const std::string& csv) {
    Lines lines;
    std::size_t at = 3;
    while (at < csv.size()) {
        const std::size_t end = csv.find("\r\n", at);
        lines.push_back(csv.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

ImportPlan plan(const PluList& list, const std::string& csv) {
    return planImport(list, csv);
}

std::vector<std::size_t> rejectedLines(const ImportPlan& p) {
    std::vector<std::size_t> lines;
    for (const ImportRejection& r : p.rejected) {
        lines.push_back(r.line);
    }
    return lines;
}

std::string reasonOn(const ImportPlan& p, std::size_t line) {
    for (const ImportRejection& r : p.rejected) {
        if (r.line == line) {
            return r.reason;
        }
    }
    return "(not rejected)";
}

TEST(PluCsvExport, AHeaderRowThenOneRowPerPluWithEveryEditorField) {
    PluForm form = newPluForm(42);
    PluValues& v = form.values;
    v.itemNumber = "0004000012345";
    v.description1 = "BREAD, \"WHOLE\"";
    v.description2 = "Caf\xE9";
    v.groupNumber = "12";
    v.tareNumber = "3";
    v.vatNumber = "2";
    v.byCount = true;
    v.discount = true;
    v.labelNumber = "7";
    v.alignment = 1;
    v.fontSize1 = "4";
    v.fontSize2 = "05";
    v.extraFontSize = "6";
    v.printStoreAddress = true;
    v.advertisingTextNumber = "9";
    v.extraTextNumber = "150";
    v.packDateText = "1";
    v.packFormat = 2;
    v.bestBeforeDateText = "2";
    v.bestBeforeFormat = 3;
    v.bestBeforeDays = "14";
    v.sellByDateText = "3";
    v.sellByFormat = 1;
    v.sellByDays = "499";
    form.price = "12345.6";
    form.fixweight = "1.25";
    ASSERT_TRUE(acceptForm(form).passed());
    PluPair pair = templatePair();
    ASSERT_EQ(encodeValues(form.values, pair), "");
    PluList list;
    fill(list, {pair, templatePair()});
    list.add([] {
        PluPair damaged = templatePair();
        damaged.plu.replace(16, 6, "000050");
        damaged.plu.pop_back();
        return damaged;
    }());

    const CsvExport exported = exportPlus(list);
    EXPECT_EQ(exported.bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(exported.exported, 2u);
    EXPECT_EQ(exported.damaged, 1u);
    EXPECT_EQ(csvLines(exported.bytes),
              (Lines{"PLU No.,Item No.,Description,Description Line 2,Price,Group No.,Tare No.,"
                     "VAT No.,By Count,Open Price,Discount,Fixweight (lb),Label No.,Alignment,"
                     "Font Size Line 1,Font Size Line 2,Extra Text Font Size,Print Store Address,"
                     "Advertising Text No.,Extra Text No.,Pack Date Text No.,Pack Date Print "
                     "Format,Best Before Date Text No.,Best Before Print Format,Best Before Days,"
                     "Sell By Date Text No.,Sell By Print Format,Sell By Days",
                     "1,0001033001003,,,0.00,0,0,0,no,no,no,0.000,0,left,0,0,0,no,0,0,0,"
                     "Not print date,0,Not print date,0,0,Not print date,0",
                     "42,0004000012345,\"BREAD, \"\"WHOLE\"\"\",Caf\xC3\xA9,12345.60,12,3,2,yes,"
                     "no,yes,1.250,7,Center,4,5,6,yes,9,150,1,DD/MM/YYYY,2,days,14,3,MM/DD/YYYY,"
                     "499"}));
}

TEST(PluCsvRoundTrip, ThePluFileComesBackByteForByteReservedCharactersIncluded) {
    PluList list;
    fill(list, {scalePair(5,
                          "AB  \x10"
                          "CD\x10"
                          "EF",
                          "150"),
                scalePair(12, "PRICEY", "1234567"), scalePair(999999, "LAST \xE9", "0")});
    const std::string original = fileOf(list);
    const std::string csv = exportPlus(list).bytes;

    // Exported and imported again onto the same file: nothing to do.
    const ImportPlan same = plan(list, csv);
    EXPECT_TRUE(same.usable()) << same.unusable;
    EXPECT_EQ(same.unchanged, 3u);
    EXPECT_EQ(same.added + same.changed + same.rejected.size(), 0u);

    // One price changed in the spreadsheet: only its eight positions change in the file.
    std::string edited = csv;
    const std::size_t price = edited.find(",12345.67,");
    ASSERT_NE(price, std::string::npos);
    edited.replace(price, 10, ",12345.68,");
    ImportPlan priced = plan(list, edited);
    EXPECT_EQ(priced.changed, 1u);
    EXPECT_EQ(priced.unchanged, 2u);
    applyImportPlan(priced, list);
    const std::string changed = fileOf(list);
    ASSERT_EQ(changed.size(), original.size());
    std::vector<std::size_t> differing;
    for (std::size_t i = 0; i < original.size(); ++i) {
        if (original[i] != changed[i]) {
            differing.push_back(i);
        }
    }
    // The second PLU's record starts after the header line and the first PLU's two lines.
    const std::size_t second = 38 + 191 + 135;
    EXPECT_EQ(differing, std::vector<std::size_t>{second + 115});

    // The original spreadsheet imported back gives the original file.
    ImportPlan back = plan(list, csv);
    EXPECT_EQ(back.changed, 1u);
    applyImportPlan(back, list);
    EXPECT_EQ(fileOf(list), original);
}

TEST(PluCsvImport, APriceListChangesPricesAndNothingElse) {
    PluList list;
    fill(list,
         {scalePair(1, "ONE", "100"), scalePair(2, "TWO", "200"), scalePair(3, "THREE", "300")});
    const std::string before = fileOf(list);
    // Number and price only, a price as a spreadsheet writes it (1.5), one price the same.
    ImportPlan p = plan(list, "PLU No.,Price\r\n1,1.5\r\n3,3.00\r\n");
    EXPECT_EQ(p.changed, 1u);
    EXPECT_EQ(p.unchanged, 1u);
    ASSERT_EQ(p.changes.size(), 1u);
    EXPECT_EQ(p.changes[0].what, "Price 1.00 \u2192 1.50");
    applyImportPlan(p, list);
    const std::string after = fileOf(list);
    ASSERT_EQ(after.size(), before.size());
    std::string expected = before;
    expected.replace(38 + 108, 8, "00000150");
    EXPECT_EQ(after, expected);
}

TEST(PluCsvImport, ColumnsAreFoundByNameInAnyOrderAndOthersAreLeftOut) {
    PluList list;
    fill(list, {scalePair(7, "SEVEN", "700")});
    ImportPlan p = plan(list,
                        "Notes,price,GROUP NO,plu,By count,Best before print format\n"
                        "ignore me,7.25,4,7,no,MM/DD/YYYY\n");
    ASSERT_TRUE(p.usable()) << p.unusable;
    EXPECT_EQ(p.columns,
              (Lines{"Price", "Group No.", "PLU No.", "By Count", "Best Before Print Format"}));
    EXPECT_EQ(p.ignoredColumns, Lines{"Notes"});
    ASSERT_EQ(p.changed, 1u);
    applyImportPlan(p, list);
    const PluValues v = decodePair(list.pair(0));
    EXPECT_EQ(v.priceHundredths, "00000725");
    EXPECT_EQ(v.groupNumber, "0004");
    EXPECT_FALSE(v.byCount);
    // By Count off: the fixweight goes, as the editor's OK does; the unknown flag bits stay.
    EXPECT_EQ(v.fixweightThousandths, "00000000000");
    EXPECT_EQ(list.pair(0).plu.substr(176, 4), "0104");
    EXPECT_EQ(v.bestBeforeFormat, 1);
    EXPECT_EQ(v.packFormat, 1);
    EXPECT_EQ(list.pair(0).label.substr(51, 4), "0009");
}

TEST(PluCsvImport, SemicolonFilesInLatin1WithDecimalCommas) {
    PluList list;
    const ImportPlan p = plan(list,
                              "PLU No.;Description;Price;Fixweight (lb);By Count\r\n"
                              "5;Caf\xE9 cr\xE8me;1,5;;\r\n"
                              "6;\"A;B\";2,25;0,5;yes\r\n");
    ASSERT_TRUE(p.usable()) << p.unusable;
    EXPECT_EQ(p.coding, TextCoding::SingleByte);
    EXPECT_EQ(p.separator, ';');
    EXPECT_EQ(readingText(p), "single-byte (Windows-1252 or Latin-1), separated by semicolons");
    EXPECT_EQ(p.added, 2u);
    EXPECT_TRUE(p.rejected.empty()) << rejectionText(p.rejected[0]);
    ASSERT_EQ(p.pairs.size(), 2u);
    EXPECT_EQ(decodePair(p.pairs[0]).description1, "Caf\xE9 cr\xE8me");
    EXPECT_EQ(decodePair(p.pairs[0]).priceHundredths, "00000150");
    EXPECT_EQ(decodePair(p.pairs[1]).description1, "A;B");
    EXPECT_EQ(decodePair(p.pairs[1]).fixweightThousandths, "00000000500");
    EXPECT_EQ(p.changes[0].description, "Caf\u00E9 cr\u00E8me");
    EXPECT_EQ(p.changes[1].what, "new PLU: Price 2.25; By Count yes; Fixweight (lb) 0.500");
}

TEST(PluCsvImport, ANewPluStartsFromTheTemplatesAndAPriceOf12345_67Fits) {
    PluList list;
    ImportPlan p = plan(list, "\xEF\xBB\xBFPLU No.,Description,Price\r\n12,BIG,12345.67\r\n");
    ASSERT_EQ(p.added, 1u);
    applyImportPlan(p, list);
    PluPair expected = templatePair();
    PluValues v;
    v.pluNumber = "12";
    v.description1 = "BIG";
    v.priceHundredths = "1234567";
    ASSERT_EQ(encodeValues(v, expected), "");
    EXPECT_EQ(list.pair(0), expected);
    EXPECT_EQ(list.pair(0).plu.substr(108, 8), "01234567");
    EXPECT_EQ(csvLines(exportPlus(list).bytes)[1].substr(0, 30), "12,0000000000000,BIG,,12345.67");
}

TEST(PluCsvImport, AValueThePluAlreadyHoldsIsNeverRefused) {
    // Group 25 and a 40-character first line came from the scale; the editor would refuse
    // both, but a price change must not.
    PluPair pair = scalePair(9, std::string(40, 'X'), "100");
    pair.plu.replace(170, 4, "0025");
    PluList list;
    fill(list, {pair});
    std::string csv = exportPlus(list).bytes;
    csv.replace(csv.find(",1.00,"), 6, ",1.10,");
    const ImportPlan p = plan(list, csv);
    EXPECT_TRUE(p.rejected.empty()) << rejectionText(p.rejected[0]);
    EXPECT_EQ(p.changed, 1u);
}

TEST(PluCsvImport, EveryRejectedRowIsToldWithItsLineAndReasonAndTheOthersAreTaken) {
    PluList list;
    fill(list,
         {scalePair(1, "ONE", "100"), scalePair(2, "TWO", "200"), scalePair(30, "THIRTY", "300")});
    PluPair damaged = scalePair(3, "THREE", "300");
    damaged.label.pop_back();
    list.add(damaged);
    const std::string csv =
        "PLU No.,Description,Price,Group No.,Tare No.,Fixweight (lb),By Count,Item No.,"
        "Alignment,Sell By Print Format,Extra Text No.\r\n"
        "1,\"ONE\r\nSPLIT\",,,,,,,,,\r\n"  // 2-3: a line break in a description
        "2,TWO,1.5x,,,,,,,,\r\n"           // 4: price not a number
        "4,FOUR,1.505,,,,,,,,\r\n"         // 5: too many decimals
        "5,FIVE,1000000,,,,,,,,\r\n"       // 6: beyond the record
        "6,SIX,1,21,,,,,,,\r\n"            // 7: group range
        "7,SEVEN,1,,17,,,,,,\r\n"          // 8: tare range
        "8,EIGHT,1,,,31.000,yes,,,,\r\n"   // 9: fixweight range
        "9,NINE,1,,,1.000,no,,,,\r\n"      // 10: fixweight without By Count
        "10,0123456789012345678901234567890123456,1,,,,,,,,\r\n"  // 11: 37 characters
        "11,5 \xE2\x82\xAC,1,,,,,,,,\r\n"                         // 12: not in the code page
        "12,,1,,,,,,,,\r\n"                                       // 13: no description
        "13,THIRTEEN,1,2a,,,,,,,\r\n"                             // 14: not a whole number
        "14,FOURTEEN,1,,,,maybe,,,,\r\n"                          // 15: not yes or no
        "15,FIFTEEN,1,,,,,12345678901234,,,\r\n"                  // 16: 14 digits
        "16,SIXTEEN,1,,,,,,right,,\r\n"                           // 17: no such alignment
        "17,SEVENTEEN,1,,,,,,,4,\r\n"                             // 18: no such print format
        "18,EIGHTEEN,1,,,,,,,,151\r\n"                            // 19: extra text range
        "20,DUP,1,,,,,,,,\r\n"                                    // 20: duplicate ...
        ",NONE,1,,,,,,,,\r\n"                                     // 21: no PLU No.
        "1234567,BIGNUM,1,,,,,,,,\r\n"                            // 22: seven digits
        "20,DUP AGAIN,2,,,,,,,,\r\n"                              // 23: ... of line 20
        "21,TOO,1,,,,,,,,,extra\r\n"                              // 24: a cell beyond the header
        "3,THREE,4.00,,,,,,,,\r\n"                                // 25: damaged in the file
        "30,,,,,,,,,,\r\n"                                        // 26: clears a listed description
        "0,ZERO,1,,,,,,,,\r\n"                                    // 27: PLU 0
        "22,GOOD,0.99,20,16,30.999,yes,0000000000001,auto,days,150\r\n";  // 28: taken
    const ImportPlan p = plan(list, csv);
    ASSERT_TRUE(p.usable()) << p.unusable;
    EXPECT_EQ(rejectedLines(p),
              (std::vector<std::size_t>{2,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                                        16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27}));
    EXPECT_EQ(reasonOn(p, 2),
              "Description holds a line break at character 4, a control character in the "
              "scale's character set (Latin-1)");
    EXPECT_EQ(reasonOn(p, 4), "Price is not a number: \u201C1.5x\u201D");
    EXPECT_EQ(reasonOn(p, 5), "Price has more than 2 decimals: \u201C1.505\u201D");
    EXPECT_EQ(reasonOn(p, 6), "Price is too large for the PLU record: \u201C1000000\u201D");
    // The editor's own messages, after the column and the cell.
    EXPECT_EQ(reasonOn(p, 7), "Group No. \u201C21\u201D: Group No. range 0 ~ 20!");
    EXPECT_EQ(reasonOn(p, 8), "Tare No. \u201C17\u201D: Tare No. range 0 ~ 16!");
    EXPECT_EQ(reasonOn(p, 9), "Fixweight (lb) \u201C31.000\u201D: Fixweight range 0 ~ 30 lb!");
    EXPECT_EQ(reasonOn(p, 10), "a Fixweight is kept only for items sold By Count");
    EXPECT_EQ(reasonOn(p, 11), "Description is longer than 36 characters");
    EXPECT_EQ(reasonOn(p, 12),
              "Description holds \u201C\u20AC\u201D (U+20AC), which is not in the scale's "
              "character set (Latin-1)");
    EXPECT_EQ(reasonOn(p, 13), "the Description is empty");
    EXPECT_EQ(reasonOn(p, 14), "Group No. is not a whole number: \u201C2a\u201D");
    EXPECT_EQ(reasonOn(p, 15), "By Count is not yes or no: \u201Cmaybe\u201D");
    EXPECT_EQ(reasonOn(p, 16), "Item No. has more than 13 digits: \u201C12345678901234\u201D");
    EXPECT_EQ(reasonOn(p, 17), "Alignment is not left, Center or Auto: \u201Cright\u201D");
    EXPECT_EQ(reasonOn(p, 18),
              "Sell By Print Format is not Not print date, MM/DD/YYYY, DD/MM/YYYY or days: "
              "\u201C4\u201D");
    EXPECT_EQ(reasonOn(p, 19), "Extra Text No. \u201C151\u201D: Extra Text No. range 0 ~ 150!");
    EXPECT_EQ(reasonOn(p, 20), "PLU No. 20 is on more than one row (lines 20, 23)");
    EXPECT_EQ(reasonOn(p, 23), reasonOn(p, 20));
    EXPECT_EQ(reasonOn(p, 21), "the PLU No. is missing");
    EXPECT_EQ(reasonOn(p, 22),
              "the PLU No. is not a whole number of up to 6 digits: \u201C1234567\u201D");
    EXPECT_EQ(reasonOn(p, 24),
              "the row has 12 cells but the header 11 (a separator in a text that is not in "
              "quotes?)");
    EXPECT_EQ(reasonOn(p, 25),
              "PLU No. 3 is damaged in the PLU file (a record of the wrong length); delete it in "
              "the PLU list first");
    EXPECT_EQ(reasonOn(p, 26), "the Description is empty");
    EXPECT_EQ(reasonOn(p, 27), "the PLU No. is 0: PLU numbers start at 1");
    EXPECT_EQ(rejectionText(p.rejected[1]),
              "line 4 (PLU No. 2): Price is not a number: "
              "\u201C1.5x\u201D");
    EXPECT_EQ(p.added, 1u);
    EXPECT_EQ(p.changed, 0u);
    ASSERT_EQ(p.pairs.size(), 1u);
    const PluValues good = decodePair(p.pairs[0]);
    EXPECT_EQ(good.pluNumber, "000022");
    EXPECT_EQ(good.fixweightThousandths, "00000030999");
    EXPECT_EQ(good.alignment, 2);
    EXPECT_EQ(good.sellByFormat, 3);
    EXPECT_EQ(importSummary(p), "1 PLU added, 0 changed, 0 unchanged, 25 rows rejected.");
}

TEST(PluCsvImport, AFileThatCannotBeImportedSaysWhy) {
    PluList list;
    EXPECT_EQ(plan(list, "").unusable,
              "the file holds no rows: its first row must name the columns");
    EXPECT_EQ(plan(list, "\r\n,,\r\n").unusable,
              "the file holds no rows: its first row must name the columns");
    EXPECT_EQ(plan(list, "Description,Price\r\nAPPLE,1\r\n").unusable,
              "the first row names no column \u201CPLU No.\u201D: rows find their PLUs by it (the "
              "first row holds the column names)");
    EXPECT_EQ(plan(list, "PLU No.,Price,price\r\n").unusable,
              "the column \u201CPrice\u201D is in the header twice (columns 2 and 3)");
    EXPECT_EQ(plan(list, "PLU No.,Description\r\n1,A\r\n2,\"B\r\n3,C\r\n").unusable,
              "a quoted field is not closed: the row that starts on line 3 runs to the end of "
              "the file");
    // A header alone is a file with nothing to do.
    const ImportPlan empty = plan(list, "PLU No.,Price\r\n");
    EXPECT_TRUE(empty.usable());
    EXPECT_FALSE(empty.writes());
}

}  // namespace
}  // namespace vorn
