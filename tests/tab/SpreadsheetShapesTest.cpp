// PLU files as spreadsheet programs save them after a user opened an export, changed it and
// saved it again: each shape is written here byte for byte as that program writes it (the
// comment of each case says which program and setting), imported against the same PLUs, and
// checked for exactly the PLU values that result, the refusal with its reason, or the note that
// a converted value was kept. The spreadsheet programs themselves are not needed.
#include <zip.h>

#include <gtest/gtest.h>

#include "plu/PluFile.h"
#include "plu/PluForm.h"
#include "plu/PluList.h"
#include "plu/PluTable.h"
#include "tab/PluImport.h"
#include "tab/XlsxExport.h"
#include "tables/NumberText.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

// PLU 1 "=1+2" by count, fixweight 1.250 lb, item 0000000000815; PLU 2 "0815" / "1/2" by count,
// fixweight 0.025 lb; PLU 3 "1E3" at 99999.99.
void fillShop(PluList& list) {
    const auto pair = [](int number, const char* d1, const char* d2, const char* price,
                         bool byCount, const char* fixweight) {
        PluForm form = newPluForm(number);
        form.values.description1 = d1;
        form.values.description2 = d2;
        form.values.itemNumber = "0000000000815";
        form.values.byCount = byCount;
        form.price = price;
        form.fixweight = fixweight;
        EXPECT_TRUE(acceptForm(form).passed());
        PluPair p = templatePair();
        EXPECT_EQ(encodeValues(form.values, p), "");
        return p;
    };
    list.clear();
    list.addAll({pair(1, "=1+2", "", "1.50", true, "1.250"),
                 pair(2, "0815", "1/2", "2.00", true, "0.025"),
                 pair(3, "1E3", "", "99999.99", false, "")});
}

// A workbook of the given parts, as a spreadsheet saves one.
std::string zipOf(const std::vector<std::pair<std::string, std::string>>& parts) {
    test::TempDir dir;
    const std::string path = dir.file("book.xlsx");
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [name, bytes] : parts) {
        zip_source_t* source = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
        zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    }
    zip_close(zip);
    return test::readFile(path);
}

const char* const kNs = R"(xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";

// A workbook as Excel saves one again: shared strings, styles left out, the sheet's rows.
std::string excelWorkbook(const std::string& sharedStrings, const std::string& rows) {
    return zipOf({
        {"_rels/.rels",
         R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
        {"xl/workbook.xml",
         std::string(R"(<?xml version="1.0"?><workbook )") + kNs +
             R"( xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="PLUs" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet1.xml"/></Relationships>)"},
        {"xl/sharedStrings.xml", std::string("<sst ") + kNs + ">" + sharedStrings + "</sst>"},
        {"xl/worksheets/sheet1.xml",
         std::string("<worksheet ") + kNs + "><sheetData>" + rows + "</sheetData></worksheet>"},
    });
}

struct Shape {
    const char* source;  // which program writes the file this way
    std::string bytes;
    int plu;                  // the PLU whose outcome is checked
    std::string description;  // its description afterwards ("" when refused)
    std::int64_t price;       // hundredths afterwards
    std::int64_t fixweight;   // thousandths afterwards
    std::string refusal;      // a part of the reason its row is refused; "" when taken
    std::string note;         // a part of the note of a kept value; "" for none
};

class SpreadsheetShapes : public ::testing::TestWithParam<Shape> {};

TEST_P(SpreadsheetShapes, ImportGivesTheExpectedPluOrRefusal) {
    const Shape& shape = GetParam();
    PluList list;
    fillShop(list);
    ImportPlan plan = planFileImport(list, shape.bytes);
    ASSERT_TRUE(plan.usable()) << plan.unusable;
    std::string reasons;
    for (const ImportRejection& r : plan.rejected) {
        reasons += rejectionText(r) + "\n";
    }
    std::string notes;
    for (const ImportNote& n : plan.notes) {
        notes += noteText(n) + "\n";
    }
    if (shape.refusal.empty()) {
        EXPECT_TRUE(plan.rejected.empty()) << reasons;
    } else {
        EXPECT_NE(reasons.find(shape.refusal), std::string::npos) << reasons;
    }
    if (shape.note.empty()) {
        EXPECT_TRUE(plan.notes.empty()) << notes;
    } else {
        EXPECT_NE(notes.find(shape.note), std::string::npos) << notes;
    }
    applyImportPlan(plan, list);
    const PluValues v = decodePair(list.pair(list.placeOf(shape.plu).index));
    EXPECT_EQ(v.description1, shape.description);
    EXPECT_EQ(decimalToUnits(v.priceHundredths, 0), shape.price);
    EXPECT_EQ(decimalToUnits(v.fixweightThousandths, 0), shape.fixweight);
}

const std::string kBom = "\xEF\xBB\xBF";

INSTANTIATE_TEST_SUITE_P(
    Csv, SpreadsheetShapes,
    ::testing::Values(
        // LibreOffice Calc, "Text CSV", comma, UTF-8: the guarded formula comes back with its
        // apostrophe, the price changed.
        Shape{"LibreOffice, UTF-8, comma", kBom + "PLU No.,Description,Price\r\n1,'=1+2,1.75\r\n",
              1, "=1+2", 175, 1250, "", ""},
        // LibreOffice opened the UTF-8 export as Windows-1252 (it ignores the byte order mark
        // there) and saved UTF-8: "Café" became "CafÃ©".
        Shape{"LibreOffice, read as Windows-1252, saved as UTF-8",
              "PLU No.,Description\n1,Caf\xC3\x83\xC2\xA9\n", 1, "=1+2", 150, 1250,
              "UTF-8 text read in another character set", ""},
        // Excel, "CSV (Comma delimited)" in Windows-1252: a euro sign and curly quotes.
        Shape{"Excel, Windows-1252", "PLU No.,Description\r\n1,Apple \x80 1\r\n", 1, "=1+2", 150,
              1250, "the byte 0x80 (\u201C\u20AC\u201D U+20AC in Windows-1252)", ""},
        // Excel in a German locale, "CSV (Trennzeichen-getrennt)": semicolons, decimal commas;
        // it read the fixweight 1.250 as 1250 and 0.025 as 25.
        Shape{"Excel, German locale, PLU 1",
              "PLU No.;Price;Fixweight (lb)\r\n1;1,60;1250\r\n2;2,00;25\r\n", 1, "=1+2", 150, 1250,
              "is 1000 times the PLU's 1.250", ""},
        Shape{"Excel, German locale, PLU 2",
              "PLU No.;Price;Fixweight (lb)\r\n1;1,60;1250\r\n2;2,10;25\r\n", 2, "0815", 200, 25,
              "is 1000 times the PLU's 0.025", ""},
        // Gnumeric, default CSV: floating-point noise on prices and weights.
        Shape{"Gnumeric", "PLU No.,Price,Fixweight (lb)\n1,1.6000000000000001,1.2499999999999998\n",
              1, "=1+2", 160, 1250, "", ""},
        // Any spreadsheet: number-like texts converted; each keeps the PLU's value, with a note.
        Shape{"Excel, number-like texts", "PLU No.,Item No.,Description\r\n2,815,815\r\n", 2,
              "0815", 200, 25, "", "Description lost its leading zeros"},
        Shape{"LibreOffice, 1/2 taken for a date",
              "PLU No.,Description Line 2,Price\n2,02.01.2024,2.20\n", 2, "0815", 220, 25, "",
              "Description Line 2 was taken for a date"},
        Shape{"Excel, 1E3 written as a number", "PLU No.,Description\r\n3,1000\r\n", 3, "1E3",
              9999999, 0, "", "Description was written as a number"},
        // A formula that failed: LibreOffice writes "Err:509", Excel "#NAME?".
        Shape{"LibreOffice, error value", "PLU No.,Description\n1,Err:509\n", 1, "=1+2", 150, 1250,
              "the spreadsheet error value \u201CErr:509\u201D", ""},
        // A quoted decimal comma in a comma-separated file: taken only when it means the PLU's
        // value either way.
        Shape{"comma file, decimal comma", "PLU No.,Fixweight (lb),Price\n1,\"1,250\",\"1,6\"\n", 1,
              "=1+2", 150, 1250, "has a comma, which is a decimal comma", ""},
        // LibreOffice in a German locale took a price for a date.
        Shape{"LibreOffice, price as a date", "PLU No.;Price\n1;01.01.1950\n", 1, "=1+2", 150, 1250,
              "is a date: the spreadsheet took the number for a date", ""}));

INSTANTIATE_TEST_SUITE_P(
    Workbook, SpreadsheetShapes,
    ::testing::Values(
        // Excel saved the workbook again: shared strings, a number for the price, a boolean.
        Shape{
            "Excel, saved again",
            excelWorkbook(
                "<si><t>PLU No.</t></si><si><t>Description</t></si><si><t>Price</t>"
                "</si><si><t>By Count</t></si><si><r><t>PEAR</t></r><r><t>S</t>"
                "</r></si>",
                R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c><c r="D1" t="s"><v>3</v></c></row>)"
                R"(<row r="2"><c r="A2"><v>2</v></c><c r="B2" t="s"><v>4</v></c><c r="C2" s="1"><v>2.4500000000000002</v></c><c r="D2" t="b"><v>1</v></c></row>)"),
            2, "PEARS", 245, 25, "", ""},
        // A formula cell is refused with its cell named; an error cell too.
        Shape{"Excel, a formula",
              excelWorkbook(
                  "<si><t>PLU No.</t></si><si><t>Price</t></si>",
                  R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c></row>)"
                  R"(<row r="2"><c r="A2"><v>1</v></c><c r="B2"><f>1+1</f><v>2</v></c></row>)"),
              1, "=1+2", 150, 1250, "row 2 (PLU No. 1): cell B2: Price holds a formula", ""},
        Shape{"LibreOffice, an error cell",
              excelWorkbook(
                  "<si><t>PLU No.</t></si><si><t>Description</t></si>",
                  R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c></row>)"
                  R"(<row r="2"><c r="A2"><v>3</v></c><c r="B2" t="e"><v>#VALUE!</v></c></row>)"),
              3, "1E3", 9999999, 0, "cell B2: Description holds the spreadsheet error value", ""}));

TEST(WorkbookImport, TheExportGivesThePluFileBackByteForByte) {
    PluList original;
    fillShop(original);
    const WorkbookExport exported = exportWorkbook(original);
    ASSERT_EQ(exported.problem, "");
    PluList edited;
    fillShop(edited);
    for (int number : {1, 2, 3}) {
        PluPair pair = edited.pair(edited.placeOf(number).index);
        PluValues v = decodePair(pair);
        v.priceHundredths = "1";
        v.description1 = "CHANGED";
        v.byCount = !v.byCount;
        ASSERT_EQ(encodeValues(v, pair), "");
        edited.add(pair);
    }
    ImportPlan plan = planWorkbookImport(edited, exported.bytes);
    ASSERT_TRUE(plan.usable()) << plan.unusable;
    EXPECT_EQ(plan.changed, 3u);
    applyImportPlan(plan, edited);
    EXPECT_EQ(pluFileBytesOf(edited), pluFileBytesOf(original));
}

TEST(WorkbookImport, DamagedAndHugeWorkbooksAreRefusedWithTheirReason) {
    PluList list;
    fillShop(list);
    const auto unusable = [&](const std::string& bytes) {
        return planWorkbookImport(list, bytes).unusable;
    };
    EXPECT_NE(unusable("PK\x03\x04 not a zip").find("is no workbook that can be read"),
              std::string::npos);
    const std::string header =
        R"(<row r="1"><c r="A1" t="inlineStr"><is><t>PLU No.</t></is></c></row>)";
    EXPECT_NE(unusable(excelWorkbook(
                           "", header + R"(<row r="1048576"><c r="XFD1048576"><v>1</v></c></row>)"))
                  .find("cell XFD1048576 lies beyond column AMJ"),
              std::string::npos);
    EXPECT_NE(
        unusable(excelWorkbook("", header + R"(<row r="2"><c r="A2" t="s"><v>7</v></c></row>)"))
            .find("cell A2 refers to shared string \u201C7\u201D, and there are 0"),
        std::string::npos);
    EXPECT_NE(unusable(excelWorkbook("", "<row r=\"1\"><c><v>1</v></c></row><!DOCTYPE x>"))
                  .find("not well-formed"),
              std::string::npos);
}

}  // namespace
}  // namespace vorn
