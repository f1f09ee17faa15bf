// The CSV module on its own: quoted fields holding separators, quotes and line breaks; the
// three line ends; semicolon files; the line each record starts on; lenient quotes; a text
// that ends inside quotes; and the writer, whose records read back as they were.
#include <gtest/gtest.h>

#include "tab/Csv.h"

namespace vorn::csv {
namespace {

using Fields = std::vector<std::string>;

std::vector<Record> readAll(std::string_view text, char separator = ',') {
    Reader reader(text, separator);
    std::vector<Record> records;
    Record record;
    while (reader.next(record)) {
        records.push_back(record);
    }
    return records;
}

std::vector<Fields> fieldsOf(std::string_view text, char separator = ',') {
    std::vector<Fields> out;
    for (const Record& r : readAll(text, separator)) {
        out.push_back(r.fields);
    }
    return out;
}

TEST(Csv, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
    const auto records = readAll(
        "1,\"BREAD, WHOLE\",\"12\"\" PIZZA\"\r\n"
        "2,\"TWO\r\nLINES\",\"A\nB\"\r\n"
        "3,\"\",\"\"\"\"\r\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].fields, (Fields{"1", "BREAD, WHOLE", "12\" PIZZA"}));
    EXPECT_EQ(records[1].fields, (Fields{"2", "TWO\r\nLINES", "A\nB"}));
    EXPECT_EQ(records[2].fields, (Fields{"3", "", "\""}));
    // The third record starts on line 5: the second spans lines 2 to 4.
    EXPECT_EQ(records[0].line, 1u);
    EXPECT_EQ(records[1].line, 2u);
    EXPECT_EQ(records[2].line, 5u);
}

TEST(Csv, AnyOfTheThreeLineEndsEndsARecordAndTheLastNeedsNone) {
    EXPECT_EQ(fieldsOf("a,b\r\nc,d\ne,f\rg,h"),
              (std::vector<Fields>{{"a", "b"}, {"c", "d"}, {"e", "f"}, {"g", "h"}}));
    const auto records = readAll("a\r\n\r\nb\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].fields, Fields{""});  // an empty line
    EXPECT_EQ(records[2].line, 3u);
    // Empty fields at either end and between.
    EXPECT_EQ(fieldsOf(",x,,\n"), (std::vector<Fields>{{"", "x", "", ""}}));
}

TEST(Csv, SemicolonFilesAreDetectedAndRead) {
    const std::string text = "PLU No.;Description;Price\r\n5;\"APPLES; RED\";1,50\r\n";
    EXPECT_EQ(detectSeparator(text), ';');
    EXPECT_EQ(fieldsOf(text, ';'), (std::vector<Fields>{{"PLU No.", "Description", "Price"},
                                                        {"5", "APPLES; RED", "1,50"}}));
    // Only the first record counts, and only outside quotes.
    EXPECT_EQ(detectSeparator("\"a;b;c\",d\n1;2;3;4\n"), ',');
    EXPECT_EQ(detectSeparator("PLU No.\n"), ',');
    EXPECT_EQ(detectSeparator("a;b,c;d\n"), ';');
}

TEST(Csv, StrayQuotesAreKeptAsTheyAre) {
    // A quote inside an unquoted field is a character; text after a closing quote belongs to
    // the field.
    EXPECT_EQ(fieldsOf("12\" PIZZA,\"A\"B,x\n"), (std::vector<Fields>{{"12\" PIZZA", "AB", "x"}}));
}

TEST(Csv, ATextEndingInsideQuotesIsToldAndItsRestIsTheLastField) {
    Reader reader("1,\"open\n2,3\n", ',');
    Record record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.fields, (Fields{"1", "open\n2,3\n"}));
    EXPECT_FALSE(reader.next(record));
    EXPECT_TRUE(reader.endedInQuotes());

    Reader closed("1,\"x\"\n", ',');
    while (closed.next(record)) {
    }
    EXPECT_FALSE(closed.endedInQuotes());
}

TEST(Csv, WrittenRecordsReadBackAsTheyWere) {
    const std::vector<Fields> records = {
        {"5", "APPLES", "1.50"},
        {"7", "BREAD, WHOLE", "say \"hi\""},
        {"8", "two\r\nlines", "lf\nonly", "cr\ronly"},
        {"", " leading", "trailing ", ""},
        {"semi;colon", "\"", ""},
    };
    for (char separator : {',', ';'}) {
        std::string text;
        for (const Fields& f : records) {
            appendRecord(text, f, separator);
        }
        EXPECT_EQ(fieldsOf(text, separator), records) << separator;
    }
    std::string text;
    appendRecord(text, {"plain", "a,b", " x"}, ',');
    EXPECT_EQ(text, "plain,\"a,b\",\" x\"\r\n");
}

}  // namespace
}  // namespace vorn::csv
