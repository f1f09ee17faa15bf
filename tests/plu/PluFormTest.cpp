// The PLU editor's rules: how a PLU fills the form, the checks of OK in their order with their
// messages, what OK hands back, and Save Default / Load Default.
#include "plu/PluForm.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

// A form that passes every check.
PluForm goodForm() {
    PluForm f = newPluForm(8);
    f.values.description1 = "PEAR";
    f.price = "2.5";
    return f;
}

TEST(PluForm, AddOpensWithTheProposedNumberAndEverythingElseEmpty) {
    const PluForm f = newPluForm(42);
    EXPECT_EQ(f.values.pluNumber, "42");
    EXPECT_EQ(f.values.groupNumber, "0");
    EXPECT_EQ(f.price, "0.00");
    EXPECT_EQ(f.fixweight, "0.000");
    EXPECT_EQ(f.values.packFormat + f.values.bestBeforeFormat + f.values.sellByFormat, 0);
    EXPECT_FALSE(f.values.byCount);
    EXPECT_EQ(f.values.itemNumber + f.values.description1 + f.values.bestBeforeDays +
                  f.values.labelNumber + f.values.tareNumber,
              "");
}

TEST(PluForm, APluFromRecordsShowsNumbersWithoutLeadingZeros) {
    PluValues decoded;
    decoded.pluNumber = "000123";
    decoded.itemNumber = "0001033001003";
    decoded.groupNumber = "0000";
    decoded.bestBeforeDays = "0";  // a record's 000
    decoded.sellByDays = "12";
    decoded.tareNumber = "05";
    decoded.vatNumber = "01";
    decoded.description1 = "BREAD   ";
    decoded.priceHundredths = "00000150";
    decoded.fixweightThousandths = "00000001250";
    decoded.bestBeforeFormat = 5;  // no list offers it
    decoded.packFormat = 3;        // the pack-date list offers 0 to 2
    decoded.sellByFormat = 3;
    decoded.alignment = 7;
    const PluForm f = formOfValues(decoded);
    EXPECT_EQ(f.values.pluNumber, "123");
    EXPECT_EQ(f.values.itemNumber, "0001033001003");
    EXPECT_EQ(f.values.groupNumber, "0");
    EXPECT_EQ(f.values.bestBeforeDays, "");
    EXPECT_EQ(f.values.sellByDays, "12");
    EXPECT_EQ(f.values.tareNumber, "5");
    EXPECT_EQ(f.values.vatNumber, "1");
    EXPECT_EQ(f.values.description1, "BREAD");
    EXPECT_EQ(f.price, "1.50");
    EXPECT_EQ(f.fixweight, "1.250");
    EXPECT_EQ(f.values.bestBeforeFormat, 0);
    EXPECT_EQ(f.values.packFormat, 0);
    EXPECT_EQ(f.values.sellByFormat, 3);
    EXPECT_EQ(f.values.alignment, 0);
}

TEST(PluForm, DescriptionThenPluNumberMustBeFilled) {
    PluForm f = goodForm();
    f.values.description1 = "   ";
    f.values.pluNumber.clear();
    PluFormCheck check = acceptForm(f);
    EXPECT_EQ(check.field, PluFormField::Description1);
    EXPECT_STREQ(check.message, "Fill the PLU description!");
    EXPECT_EQ(f.values.pluNumber, "");

    f.values.description1 = "PEAR";
    check = acceptForm(f);
    EXPECT_EQ(check.field, PluFormField::PluNumber);
    EXPECT_STREQ(check.message, "Fill the PLU No.!");
}

TEST(PluForm, RangeChecksRunInTheirOrderAndEmptyOnlyTheFailingField) {
    struct Case {
        std::string PluValues::*text;  // nullptr: the fixweight
        const char* tooBig;
        const char* largest;
        PluFormField field;
        const char* message;
    };
    const Case cases[] = {
        {&PluValues::bestBeforeDays, "500", "499", PluFormField::BestBeforeDays,
         " days range 0 ~ 499!"},
        {&PluValues::sellByDays, "500", "499", PluFormField::SellByDays, " days range 0 ~ 499!"},
        {&PluValues::labelNumber, "16", "15", PluFormField::LabelNumber, "Label No. range 0 ~15!"},
        {&PluValues::groupNumber, "21", "20", PluFormField::GroupNumber,
         " Group No. range 0 ~ 20!"},
        {&PluValues::packDateText, "4", "3", PluFormField::PackDateText,
         " Date Text No. range 0 ~ 3!"},
        {&PluValues::bestBeforeDateText, "4", "3", PluFormField::BestBeforeDateText,
         " Date Text No. range 0 ~ 3!"},
        {&PluValues::sellByDateText, "4", "3", PluFormField::SellByDateText,
         " Date Text No. range 0 ~ 3!"},
        {&PluValues::advertisingTextNumber, "11", "10", PluFormField::AdvertisingTextNumber,
         " Advertising Text No. range 0 ~ 10!"},
        {&PluValues::extraTextNumber, "151", "150", PluFormField::ExtraTextNumber,
         " Extra Text No. range 0 ~ 150!"},
        {&PluValues::extraFontSize, "21", "20", PluFormField::ExtraFontSize, " Font range 0 ~ 20!"},
        {&PluValues::tareNumber, "17", "16", PluFormField::TareNumber, " Tare No. range 0 ~ 16!"},
        {&PluValues::fontSize1, "21", "20", PluFormField::FontSize1, " Font range 0 ~ 20!"},
        {&PluValues::fontSize2, "21", "20", PluFormField::FontSize2, " Font range 0 ~ 20!"},
        {nullptr, "31", "30.999", PluFormField::Fixweight, " Fixweight range 0 ~ 30 lb!"},
    };
    const auto set = [](PluForm& f, const Case& c, const char* text) {
        if (c.text == nullptr) {
            f.fixweight = text;
        } else {
            f.values.*(c.text) = text;
        }
    };
    const auto get = [](const PluForm& f, const Case& c) {
        return c.text == nullptr ? f.fixweight : f.values.*(c.text);
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].message);
        // This field and every later one too big: this one is told and emptied.
        PluForm f = goodForm();
        f.values.byCount = true;
        for (std::size_t j = i; j < std::size(cases); ++j) {
            set(f, cases[j], cases[j].tooBig);
        }
        const PluFormCheck check = acceptForm(f);
        EXPECT_EQ(check.field, cases[i].field);
        EXPECT_STREQ(check.message, cases[i].message);
        EXPECT_EQ(get(f, cases[i]), "");
        for (std::size_t j = i + 1; j < std::size(cases); ++j) {
            EXPECT_EQ(get(f, cases[j]), cases[j].tooBig);
        }
        // At its largest value the field passes.
        PluForm largest = goodForm();
        largest.values.byCount = true;
        set(largest, cases[i], cases[i].largest);
        EXPECT_TRUE(acceptForm(largest).passed());
    }
}

TEST(PluForm, OkHandsBackHundredthsAndThousandthsExactly) {
    PluForm f = goodForm();
    f.price = "0.29";
    f.values.byCount = true;
    f.fixweight = "1.25";
    f.values.description1 = "PEAR  ";
    f.values.description2 = "GREEN  ";
    ASSERT_TRUE(acceptForm(f).passed());
    EXPECT_EQ(f.values.priceHundredths, "29");
    EXPECT_EQ(f.values.fixweightThousandths, "1250");
    EXPECT_EQ(f.values.description1, "PEAR");
    EXPECT_EQ(f.values.description2, "GREEN");

    // A fixweight typed while "By Count" was on is dropped when it is off.
    f = goodForm();
    f.fixweight = "45";
    ASSERT_TRUE(acceptForm(f).passed());
    EXPECT_EQ(f.values.fixweightThousandths, "0");
    EXPECT_EQ(f.values.priceHundredths, "250");
}

TEST(PluForm, SaveAndLoadDefaultKeepEveryValueButThePluNumber) {
    PluForm f = goodForm();
    f.values.itemNumber = "0012";
    f.values.description2 = "GREEN";
    f.values.byCount = true;
    f.values.discount = true;
    f.values.sellByCross = true;
    f.values.packDays = "3";
    f.values.bestBeforeFormat = 3;
    f.values.alignment = 1;
    f.values.tareNumber = "007";  // as typed
    f.fixweight = "2.5";
    f.price = "12345.6";
    const PluDefaults d = defaultsOfForm(f);
    EXPECT_EQ(d.priceHundredths, "1234560");
    EXPECT_EQ(d.fixweightPounds, "2.5");
    EXPECT_EQ(d.pluNumber, "8");
    PluForm loaded = formOfDefaults(d);
    EXPECT_EQ(loaded.values.pluNumber, "");
    EXPECT_EQ(loaded.price, "12345.60");
    PluForm expected = f;
    expected.values.pluNumber.clear();
    expected.price = "12345.60";
    EXPECT_EQ(loaded, expected);
    EXPECT_STREQ(acceptForm(loaded).message, "Fill the PLU No.!");
}

}  // namespace
}  // namespace vorn
