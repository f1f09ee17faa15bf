#include "plu/PluForm.h"

#include <string_view>

#include "tables/NumberText.h"
#include "tables/TextPieces.h"
#include "widgets/NumericText.h"

namespace vorn {

namespace {

constexpr PluRangeRule kRangeRules[] = {
    {PluFormField::BestBeforeDays, 499, " days range 0 ~ 499!"},
    {PluFormField::SellByDays, 499, " days range 0 ~ 499!"},
    {PluFormField::LabelNumber, 15, "Label No. range 0 ~15!"},
    {PluFormField::GroupNumber, 20, " Group No. range 0 ~ 20!"},
    {PluFormField::PackDateText, 3, " Date Text No. range 0 ~ 3!"},
    {PluFormField::BestBeforeDateText, 3, " Date Text No. range 0 ~ 3!"},
    {PluFormField::SellByDateText, 3, " Date Text No. range 0 ~ 3!"},
    {PluFormField::AdvertisingTextNumber, 10, " Advertising Text No. range 0 ~ 10!"},
    {PluFormField::ExtraTextNumber, 150, " Extra Text No. range 0 ~ 150!"},
    {PluFormField::ExtraFontSize, 20, " Font range 0 ~ 20!"},
    {PluFormField::TareNumber, 16, " Tare No. range 0 ~ 16!"},
    {PluFormField::FontSize1, 20, " Font range 0 ~ 20!"},
    {PluFormField::FontSize2, 20, " Font range 0 ~ 20!"},
    {PluFormField::Fixweight, 30, " Fixweight range 0 ~ 30 lb!"},  // the whole pounds
};

std::string* textOf(PluForm& form, PluFormField field) {
    PluValues& v = form.values;
    switch (field) {
        case PluFormField::Description1:
            return &v.description1;
        case PluFormField::PluNumber:
            return &v.pluNumber;
        case PluFormField::BestBeforeDays:
            return &v.bestBeforeDays;
        case PluFormField::SellByDays:
            return &v.sellByDays;
        case PluFormField::LabelNumber:
            return &v.labelNumber;
        case PluFormField::GroupNumber:
            return &v.groupNumber;
        case PluFormField::PackDateText:
            return &v.packDateText;
        case PluFormField::BestBeforeDateText:
            return &v.bestBeforeDateText;
        case PluFormField::SellByDateText:
            return &v.sellByDateText;
        case PluFormField::AdvertisingTextNumber:
            return &v.advertisingTextNumber;
        case PluFormField::ExtraTextNumber:
            return &v.extraTextNumber;
        case PluFormField::ExtraFontSize:
            return &v.extraFontSize;
        case PluFormField::TareNumber:
            return &v.tareNumber;
        case PluFormField::FontSize1:
            return &v.fontSize1;
        case PluFormField::FontSize2:
            return &v.fontSize2;
        case PluFormField::Fixweight:
            return &form.fixweight;
        case PluFormField::None:
            break;
    }
    return nullptr;
}

// The text from its first character that is one of "123456789.": leading zeros and blanks go,
// and a text of zeros becomes empty.
std::string withoutLeadingZeros(std::string_view text) {
    const std::size_t first = text.find_first_of("123456789.");
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

int offeredOrFirst(int code, int offered) {
    return code >= 0 && code < offered ? code : 0;
}

int alignmentOrLeft(int alignment) {
    return alignment >= 0 && alignment < kAlignments ? alignment : 0;
}

// The lists and the radio buttons can show only what they offer.
void keepToOffered(PluValues& v) {
    v.packFormat = offeredOrFirst(v.packFormat, kPackFormats);
    v.bestBeforeFormat = offeredOrFirst(v.bestBeforeFormat, kDateFormats);
    v.sellByFormat = offeredOrFirst(v.sellByFormat, kDateFormats);
    v.alignment = alignmentOrLeft(v.alignment);
}

}  // namespace

std::span<const PluRangeRule> pluRangeRules() {
    return kRangeRules;
}

const PluRangeRule* rangeRuleOf(PluFormField field) {
    for (const PluRangeRule& rule : kRangeRules) {
        if (rule.field == field) {
            return &rule;
        }
    }
    return nullptr;
}

PluForm formOfValues(const PluValues& decoded) {
    PluForm form;
    PluValues& v = form.values;
    v = decoded;
    keepToOffered(v);
    for (std::string* text :
         {&v.pluNumber, &v.groupNumber, &v.sellByDays, &v.bestBeforeDays, &v.labelNumber,
          &v.tareNumber, &v.packDateText, &v.bestBeforeDateText, &v.sellByDateText, &v.fontSize1,
          &v.fontSize2, &v.advertisingTextNumber, &v.extraFontSize, &v.vatNumber,
          &v.extraTextNumber}) {
        *text = withoutLeadingZeros(*text);
    }
    if (v.groupNumber.empty()) {
        v.groupNumber = "0";
    }
    form.fixweight =
        unitsToDecimal(decimalToUnits(withoutLeadingZeros(v.fixweightThousandths), 0), 3);
    v.description1 = rightTrimmed(v.description1);
    v.description2 = rightTrimmed(v.description2);
    form.price = amountOfHundredths(v.priceHundredths);
    // Held in the form's amounts while the editor is open.
    v.priceHundredths.clear();
    v.fixweightThousandths.clear();
    return form;
}

PluForm newPluForm(int proposedNumber) {
    PluValues fresh;
    fresh.pluNumber = std::to_string(proposedNumber);
    return formOfValues(fresh);
}

PluFormCheck acceptForm(PluForm& form) {
    PluValues& v = form.values;
    if (!v.byCount) {
        form.fixweight.clear();
    }
    v.description1 = rightTrimmed(v.description1);
    if (v.description1.empty()) {
        return {PluFormField::Description1, kNoDescriptionMessage};
    }
    if (v.pluNumber.empty()) {
        return {PluFormField::PluNumber, kNoPluNumberMessage};
    }
    if (intValue(v.pluNumber) == 0) {
        return {PluFormField::PluNumber, kZeroPluNumberMessage};
    }
    for (const PluRangeRule& check : kRangeRules) {
        std::string* text = textOf(form, check.field);
        if (intValue(*text) > check.largest) {
            text->clear();
            return {check.field, check.message};
        }
    }
    v.description2 = rightTrimmed(v.description2);
    v.priceHundredths = hundredthsOfAmount(form.price);
    v.fixweightThousandths = std::to_string(decimalToUnits(form.fixweight, 3));
    return {};
}

PluDefaults defaultsOfForm(const PluForm& form) {
    const PluValues& v = form.values;
    PluDefaults d;
    d.packCross = v.packCross;
    d.bestBeforeCross = v.bestBeforeCross;
    d.sellByCross = v.sellByCross;
    d.packDays = v.packDays;
    d.bestBeforeDays = v.bestBeforeDays;
    d.sellByDays = v.sellByDays;
    d.packDateText = v.packDateText;
    d.bestBeforeDateText = v.bestBeforeDateText;
    d.sellByDateText = v.sellByDateText;
    d.pluNumber = v.pluNumber;
    d.itemNumber = v.itemNumber;
    d.description1 = v.description1;
    d.description2 = v.description2;
    d.fontSize1 = v.fontSize1;
    d.fontSize2 = v.fontSize2;
    d.groupNumber = v.groupNumber;
    d.tareNumber = v.tareNumber;
    d.vatNumber = v.vatNumber;
    d.openPrice = v.openPrice;
    d.byCount = v.byCount;
    d.discount = v.discount;
    d.fixweightPounds = form.fixweight;
    d.priceHundredths = hundredthsOfAmount(form.price);
    d.alignment = v.alignment;
    d.labelNumber = v.labelNumber;
    d.printStoreAddress = v.printStoreAddress;
    d.advertisingTextNumber = v.advertisingTextNumber;
    d.extraTextNumber = v.extraTextNumber;
    d.extraFontSize = v.extraFontSize;
    d.sellByFormat = v.sellByFormat;
    d.packFormat = v.packFormat;
    d.bestBeforeFormat = v.bestBeforeFormat;
    return d;
}

PluForm formOfDefaults(const PluDefaults& d) {
    PluForm form;
    PluValues& v = form.values;
    v.packCross = d.packCross != 0;
    v.bestBeforeCross = d.bestBeforeCross != 0;
    v.sellByCross = d.sellByCross != 0;
    v.packDays = d.packDays;
    v.bestBeforeDays = d.bestBeforeDays;
    v.sellByDays = d.sellByDays;
    v.packDateText = d.packDateText;
    v.bestBeforeDateText = d.bestBeforeDateText;
    v.sellByDateText = d.sellByDateText;
    v.itemNumber = d.itemNumber;
    v.description1 = d.description1;
    v.description2 = d.description2;
    v.fontSize1 = d.fontSize1;
    v.fontSize2 = d.fontSize2;
    v.groupNumber = d.groupNumber;
    v.tareNumber = d.tareNumber;
    v.vatNumber = d.vatNumber;
    v.openPrice = d.openPrice != 0;
    v.byCount = d.byCount != 0;
    v.discount = d.discount != 0;
    v.alignment = d.alignment;
    v.labelNumber = d.labelNumber;
    v.printStoreAddress = d.printStoreAddress != 0;
    v.advertisingTextNumber = d.advertisingTextNumber;
    v.extraTextNumber = d.extraTextNumber;
    v.extraFontSize = d.extraFontSize;
    v.sellByFormat = d.sellByFormat;
    v.packFormat = d.packFormat;
    v.bestBeforeFormat = d.bestBeforeFormat;
    keepToOffered(v);
    form.fixweight = d.fixweightPounds;
    form.price = amountOfHundredths(d.priceHundredths);
    return form;
}

}  // namespace vorn
