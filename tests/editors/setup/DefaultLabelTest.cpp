#include "editors/setup/DefaultLabel.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/FakeTransferRunner.h"
#include "tests/support/RecordingPrompter.h"
#include "tests/support/TempDir.h"

namespace vorn {
namespace {

using test::readFile;
using test::writeFile;

// The template with some fields overwritten: {position, text}.
std::string record(std::initializer_list<std::pair<std::size_t, std::string>> fields) {
    std::string r(defaultlabel::kTemplate);
    for (const auto& [pos, text] : fields) {
        r.replace(pos, text.size(), text);
    }
    return r;
}

// A record as a scale answers it: another envelope, every field set, and the unedited
// positions 27-30 and 50-53 holding something of the scale's own.
const std::string kFromScale = record({{0, "1002430002001102"},
                                       {16, "2"},
                                       {17, "05"},
                                       {19, "0001"},
                                       {23, "03"},
                                       {25, "12"},
                                       {27, "4321"},
                                       {31, "20"},
                                       {33, "01"},
                                       {35, "10"},
                                       {37, "150"},
                                       {40, "01"},
                                       {42, "02"},
                                       {44, "03"},
                                       {46, "00D1"},
                                       {50, "8765"},
                                       {54, "007"},
                                       {57, "499"}});

class DefaultLabelTest : public ::testing::Test {
protected:
    test::TempDir dir{test::TempDir::Enter};
    test::RecordingPrompter prompter;
    test::FakeTransferRunner runner;
};

TEST(DefaultLabelKinds, FileNameAndDigitFromTheLetter) {
    EXPECT_EQ(kindFileName('s'), "gnllabs.dat");
    EXPECT_EQ(kindFileName('t'), "gnllabt.dat");
    EXPECT_EQ(kindFileName('p'), "gnllabp.dat");
    EXPECT_EQ(kindDigit('s'), '1');
    EXPECT_EQ(kindDigit('t'), '2');
    EXPECT_EQ(kindDigit('p'), '3');
    EXPECT_EQ(kindDigit('x'), '3');
}

TEST_F(DefaultLabelTest, EachKindOpensItsOwnFileAndShowsTheFieldsWithoutLeadingZeros) {
    writeFile("gnllabt.dat", kFromScale + "\r\n");
    writeFile("gnllabp.dat", record({{17, "00"}, {23, "07"}}) + "\n");
    DefaultLabel total(labelkind::kTotal);
    total.open();
    const DefaultLabelFields& f = total.fields();
    EXPECT_EQ(f.text(LabelField::LabelNumber), "5");
    EXPECT_EQ(f.text(LabelField::Tlu1Font), "3");
    EXPECT_EQ(f.text(LabelField::Tlu2Font), "12");
    EXPECT_EQ(f.text(LabelField::FontSize), "20");
    EXPECT_EQ(f.text(LabelField::AdvertisingText), "10");
    EXPECT_EQ(f.text(LabelField::ExtraText), "150");
    EXPECT_EQ(f.text(LabelField::PackingDateText), "1");
    EXPECT_EQ(f.text(LabelField::BestBeforeDateText), "2");
    EXPECT_EQ(f.text(LabelField::SellByDateText), "3");
    EXPECT_EQ(f.text(LabelField::BestBeforeDays), "7");
    EXPECT_EQ(f.text(LabelField::SellByDays), "499");
    EXPECT_EQ(f.alignment, 1);
    EXPECT_TRUE(f.storeAddress);
    EXPECT_EQ(f.packingFormat, 1);     // 0x0D1: bits 0-2
    EXPECT_EQ(f.bestBeforeFormat, 2);  // bits 3-5
    EXPECT_EQ(f.sellByFormat, 3);      // bits 6-8

    DefaultLabel byCount(labelkind::kByCount);
    byCount.open();
    EXPECT_EQ(byCount.fields().text(LabelField::LabelNumber), "");
    EXPECT_EQ(byCount.fields().text(LabelField::Tlu1Font), "7");

    // No file, or a first line that is not 60 characters: empty fields, "Left", no address,
    // "Not print date".
    writeFile("gnllabs.dat", kFromScale + "0\r\n");
    DefaultLabel byWeight(labelkind::kByWeight);
    byWeight.open();
    EXPECT_EQ(byWeight.fields(), DefaultLabelFields{});
    EXPECT_EQ(byWeight.buffer(), std::string(defaultlabel::kTemplate));
}

TEST_F(DefaultLabelTest, UneditedPositionsFromTheScaleReachTheFileAndTheScaleAgain) {
    DefaultLabel total(labelkind::kTotal);
    total.open();
    runner.answerWith(kFromScale + "\r\n");
    total.request();
    EXPECT_EQ(runner.trfOuts.back(), "00024300020000002\r\n");
    EXPECT_TRUE(runner.requests.back().receive);
    EXPECT_FALSE(std::filesystem::exists("gnllabt.dat"));
    EXPECT_EQ(total.buffer(), kFromScale);  // the scale's envelope until the next save or send

    total.fields().text(LabelField::LabelNumber) = "9";
    ASSERT_TRUE(total.save());
    std::string expected = kFromScale;
    expected.replace(0, 10, "0002430000");  // position 0 and the operation; 10-15 stay
    expected.replace(17, 2, "09");
    expected.replace(46, 4, "00d1");  // written in lower case
    EXPECT_EQ(readFile("gnllabt.dat"), expected + "\r\n");

    runner.answerWith("1002\r\n");
    total.send();
    EXPECT_EQ(runner.trfOuts.back(), expected + "\r\n");
    EXPECT_EQ(runner.requests.back().message,
              "Transfering Default Label information,please wait...");
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(DefaultLabelTest, EmptyFieldsAreWrittenAsZerosAndFormatsAsLowerCaseHex) {
    DefaultLabel byWeight(labelkind::kByWeight);
    byWeight.open();
    byWeight.fields().packingFormat = 2;
    byWeight.fields().bestBeforeFormat = 3;
    byWeight.fields().sellByFormat = 3;
    byWeight.fields().alignment = 2;
    byWeight.fields().text(LabelField::ExtraText) = "7";
    ASSERT_TRUE(byWeight.save());
    EXPECT_EQ(readFile("gnllabs.dat"),
              record({{16, "1"}, {19, "0002"}, {37, "007"}, {46, "00da"}}) + "\r\n");
    byWeight.fields().packingFormat = byWeight.fields().bestBeforeFormat =
        byWeight.fields().sellByFormat = 3;
    EXPECT_EQ(recordWithFields(byWeight.buffer(), byWeight.fields(), '1').substr(46, 4), "00db");
}

TEST_F(DefaultLabelTest, LeadingZerosTypedBeyondAFieldsWidthDoNotPushItsDigitsOut) {
    DefaultLabel label(labelkind::kByWeight);
    label.open();
    label.fields().text(LabelField::FontSize) = "007";
    ASSERT_TRUE(label.save());
    EXPECT_EQ(readFile("gnllabs.dat").substr(31, 2), "07");
}

TEST_F(DefaultLabelTest, FormatCodesTheListsLackShowTheFirstEntryAndAreKeptUntilPicked) {
    EXPECT_EQ(formatEntry(3, defaultlabel::kDateFormats), 3);
    EXPECT_EQ(formatEntry(3, defaultlabel::kPackingFormats), 0);
    for (int code : {4, 5, 6, 7}) {
        EXPECT_EQ(formatEntry(code, defaultlabel::kDateFormats), 0);
    }
    // Packing 3, best-before 6, sell-by 7: 7 << 6 | 6 << 3 | 3 = 0x1F3. An alignment code the
    // dialog does not know is kept as well.
    writeFile("gnllabs.dat", record({{19, "0007"}, {46, "01F3"}}) + "\r\n");
    DefaultLabel label(labelkind::kByWeight);
    label.open();
    EXPECT_EQ(label.fields().alignment, -1);
    ASSERT_TRUE(label.save());
    EXPECT_EQ(readFile("gnllabs.dat"), record({{16, "1"}, {19, "0007"}, {46, "01f3"}}) + "\r\n");
    label.fields().bestBeforeFormat = 1;  // picked
    ASSERT_TRUE(label.save());
    EXPECT_EQ(readFile("gnllabs.dat").substr(46, 4), "01cb");
}

TEST_F(DefaultLabelTest, ChecksRunInTheirOrderAndTheFailingFieldIsEmptied) {
    DefaultLabel label(labelkind::kByWeight);
    label.open();
    DefaultLabelFields& f = label.fields();
    f.text(LabelField::LabelNumber) = "16";
    f.text(LabelField::SellByDays) = "500";
    f.text(LabelField::BestBeforeDays) = "499";
    f.text(LabelField::Tlu2Font) = "21";
    EXPECT_EQ(label.check(), LabelField::SellByDays);
    EXPECT_EQ(f.text(LabelField::SellByDays), "");
    EXPECT_EQ(f.text(LabelField::BestBeforeDays), "499");
    label.send();
    EXPECT_TRUE(runner.requests.empty());  // nothing sent
    EXPECT_FALSE(label.save());
    EXPECT_FALSE(std::filesystem::exists("gnllabs.dat"));
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{" days range 0 ~ 499!", "Label No. range 0 ~15!",
                                        " Font range 0 ~ 20!"}));
    EXPECT_EQ(f.text(LabelField::LabelNumber), "");
    EXPECT_EQ(f.text(LabelField::Tlu2Font), "");

    const std::pair<LabelField, const char*> limits[] = {
        {LabelField::PackingDateText, " Date Text No. range 0 ~ 3!"},
        {LabelField::SellByDateText, " Date Text No. range 0 ~ 3!"},
        {LabelField::BestBeforeDateText, " Date Text No. range 0 ~ 3!"},
        {LabelField::AdvertisingText, " Advertising Text No. range 0 ~ 10!"},
        {LabelField::ExtraText, " Extra Text No. range 0 ~ 150!"},
        {LabelField::FontSize, " Font range 0 ~ 20!"},
        {LabelField::Tlu1Font, " Font range 0 ~ 20!"},
    };
    const char* highest[] = {"3", "3", "3", "10", "150", "20", "20"};
    const char* tooHigh[] = {"4", "4", "4", "11", "151", "21", "99999999999"};
    for (std::size_t i = 0; i < std::size(limits); ++i) {
        DefaultLabelFields fields;
        fields.text(limits[i].first) = highest[i];
        EXPECT_EQ(checkFields(fields), std::nullopt) << highest[i];
        fields.text(limits[i].first) = tooHigh[i];
        const std::optional<LabelFieldProblem> p = checkFields(fields);
        ASSERT_TRUE(p) << tooHigh[i];
        EXPECT_EQ(p->field, limits[i].first);
        EXPECT_STREQ(p->message, limits[i].second);
    }
}

TEST_F(DefaultLabelTest, RequestErrorsAreToldAndChangeNothing) {
    writeFile("gnllabs.dat", record({{17, "04"}}) + "\r\n");
    DefaultLabel label(labelkind::kByWeight);
    label.open();
    const DefaultLabelFields before = label.fields();

    runner.answerWith(kFromScale + "\r\n");  // a total label
    label.request();
    runner.answerWith("02206\r\n");
    label.request();
    runner.answerWith("1002434002000001\r\n");  // the scale has no such record
    label.request();
    std::string refused = kFromScale;
    refused[0] = '0';
    runner.answerWith(refused + "\r\n");
    label.request();
    std::string otherTable = kFromScale;
    otherTable.replace(4, 2, "44");
    otherTable[16] = '1';  // a by-weight record, but of another table
    runner.answerWith(otherTable + "\r\n");
    label.request();
    runner.answerWith(std::nullopt);
    label.request();
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{
                  "error,the label def.-no dismatch", "error:02206", "error:1002434002000001",
                  "error:" + refused,
                  "The scale answered with a record of table 44 to a request for table 43. "
                  "Nothing was taken.",
                  "error open file"}));
    EXPECT_EQ(label.fields(), before);
    EXPECT_EQ(runner.trfOuts.back(), "00024300020000001\r\n");
}

}  // namespace
}  // namespace vorn
