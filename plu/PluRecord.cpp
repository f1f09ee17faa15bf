#include "plu/PluRecord.h"

#include <algorithm>
#include <optional>

#include "comm/RecordLine.h"
#include "tables/NumberText.h"
#include "tables/PrintfFormat.h"
#include "tables/TextPieces.h"

namespace vorn {

namespace {

// The literal templates: PLU 1 with item number 0001033001003, a blank description and zeros,
// and its label-data record of zeros.
const char* const kPluTemplateStart = "00020700000001000000010001033001003";
constexpr std::size_t kPluTemplateBlanks = 73;
constexpr std::size_t kPluTemplateZeros = 81;
const char* const kLabelTemplateStart = "0002080000000100000001";
constexpr std::size_t kLabelTemplateZeros = 111;

// The label-data line of a PLU received without one, as the scale program writes it.
const char* const kDefaultLabelFormat =
    "0002080000000101%06d00000000000000000000000000000000000000000000000000000000000000000000000"
    "0000000000000000000000000000000000000000\n";

const char* const kPluRequestFormat = "00020700070001%02d000000                       \n";
const char* const kLabelRequestFormat = "00020800070001%02d000000\n";
const char* const kDeleteFormat = "00020700080001%02d000000                       \n";

// The list's display part.
const char* const kDisplayFormat = "%6d\t%-18s\t%7s\t";
const char* const kByCountColumn = " Count   ";
const char* const kByWeightColumn = " Weight  ";
constexpr std::size_t kDisplayDescription = 18;

std::string withoutLineEnd(std::string line) {
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
    }
    return line;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view at(std::string_view line, RecordField f) {
    return field(line, f.pos, f.width);
}

// The number in a text as exactly `width` digits, filled with '0' on the left: leading blanks
// and a plus sign are skipped, then the leading digits are the number (an empty text is 0).
// No value when the number is negative or needs more digits than the field has.
std::optional<std::string> digitsField(std::string_view text, std::size_t width) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::size_t end = i;
    while (end < text.size() && isDigit(text[end])) {
        ++end;
    }
    while (i < end && text[i] == '0') {
        ++i;
    }
    const std::string_view digits = text.substr(i, end - i);
    if (digits.size() > width || (negative && !digits.empty())) {
        return std::nullopt;
    }
    return std::string(width - digits.size(), '0') + std::string(digits);
}

std::string hexWord(unsigned value) {
    return cformat("%04x", {static_cast<int>(value & 0xFFFFu)});
}

// Writes fields into record lines; after the first field that does not fit it writes nothing
// more and names that field.
class FieldWriter {
public:
    void digits(std::string& line, RecordField f, std::string_view text, const char* name) {
        if (!problem_.empty()) {
            return;
        }
        const std::optional<std::string> d = digitsField(text, f.width);
        if (!d) {
            problem_ = std::string("The ") + name + " does not fit the PLU record!";
            return;
        }
        line.replace(f.pos, f.width, *d);
    }
    void number(std::string& line, RecordField f, int value, const char* name) {
        digits(line, f, std::to_string(value), name);
    }
    void text(std::string& line, RecordField f, const std::string& value, const char* name) {
        if (!problem_.empty()) {
            return;
        }
        if (value.size() > f.width) {
            problem_ = std::string("The ") + name + " does not fit the PLU record!";
            return;
        }
        line.replace(f.pos, f.width, value + std::string(f.width - value.size(), ' '));
    }

    const std::string& problem() const { return problem_; }

private:
    std::string problem_;
};

}  // namespace

PluPair templatePair() {
    return {kPluTemplateStart + std::string(kPluTemplateBlanks, ' ') +
                std::string(kPluTemplateZeros, '0'),
            kLabelTemplateStart + std::string(kLabelTemplateZeros, '0')};
}

int pluNumberOf(std::string_view record) {
    return intValue(at(record, plurecord::kPluNumber));
}

unsigned flagsOf(std::string_view pluRecord) {
    return hexValue(at(pluRecord, plurecord::kFlags));
}

PluValues decodePair(const PluPair& pair) {
    namespace p = plurecord;
    namespace l = labelrecord;
    const std::string_view plu = pair.plu;
    const std::string_view label = pair.label;
    PluValues v;
    v.pluNumber = at(plu, p::kPluNumber);
    v.itemNumber = at(plu, p::kItemNumber);
    const std::string_view description = at(plu, p::kDescription);
    const std::size_t lineBreak = description.find(p::kLineBreak);
    v.description1 = rightTrimmed(description.substr(0, lineBreak));
    if (lineBreak != std::string_view::npos) {
        v.description2 = rightTrimmed(description.substr(lineBreak + 1));
    }
    v.priceHundredths = at(plu, p::kPrice);
    v.vatNumber = at(plu, p::kVatNumber);
    v.groupNumber = at(plu, p::kGroupNumber);
    v.tareNumber = at(plu, p::kTareNumber);
    const unsigned flags = flagsOf(plu);
    v.byCount = (flags & p::kByCountBit) != 0;
    v.openPrice = (flags & p::kOpenPriceBit) != 0;
    v.discount = (flags & p::kDiscountBit) != 0;

    v.labelNumber = at(label, l::kLabelNumber);
    v.alignment = intValue(at(label, l::kAlignment));
    v.fontSize1 = at(label, l::kFontSize1);
    v.fontSize2 = at(label, l::kFontSize2);
    v.extraFontSize = at(label, l::kExtraFontSize);
    v.printStoreAddress = intValue(at(label, l::kStoreAddress)) != 0;
    v.advertisingTextNumber = at(label, l::kAdvertisingText);
    v.extraTextNumber = at(label, l::kExtraText);
    v.packDateText = at(label, l::kPackDateText);
    v.bestBeforeDateText = at(label, l::kBestBeforeDateText);
    v.sellByDateText = at(label, l::kSellByDateText);
    const unsigned formats = hexValue(at(label, l::kDateFormats));
    const unsigned mask = (1u << l::kFormatBits) - 1;
    v.packFormat = static_cast<int>(formats & mask);
    v.bestBeforeFormat = static_cast<int>((formats >> l::kFormatBits) & mask);
    v.sellByFormat = static_cast<int>((formats >> (2 * l::kFormatBits)) & mask);
    const unsigned crosses = hexValue(at(label, l::kCrosses));
    v.packCross = (crosses & 1u) != 0;
    v.bestBeforeCross = (crosses & 2u) != 0;
    v.sellByCross = (crosses & 4u) != 0;
    v.bestBeforeDays = std::to_string(intValue(at(label, l::kBestBeforeDays)));
    v.sellByDays = std::to_string(intValue(at(label, l::kSellByDays)));
    v.fixweightThousandths = at(label, l::kFixweight);
    return v;
}

namespace {

// Writes the values into the two lines: every field, or with `before` only the fields whose
// values differ from it. A hexadecimal word is written whole, or with `before` only in the bits
// of changed fields. The problem of the first field that does not fit; nothing else is told.
std::string writeFields(const PluValues& v, const PluValues* before, std::string& plu,
                        std::string& label) {
    namespace p = plurecord;
    namespace l = labelrecord;
    FieldWriter w;
    const auto changed = [&](auto member) {
        return before == nullptr || before->*member != v.*member;
    };
    // A word with the bits of `mask` from `value`, and the others as they are (all of them
    // from `value` when every field is written).
    const auto word = [&](std::string& line, RecordField f, unsigned value, unsigned mask,
                          const char* name) {
        if (before == nullptr) {
            w.text(line, f, hexWord(value), name);
        } else if (mask != 0) {
            w.text(line, f, hexWord((hexValue(at(line, f)) & ~mask) | (value & mask)), name);
        }
    };
    const auto bit = [&](auto member, unsigned mask) { return changed(member) ? mask : 0u; };

    if (changed(&PluValues::pluNumber)) {
        w.digits(plu, p::kPluNumber, v.pluNumber, "PLU No.");
        w.digits(label, l::kPluNumber, v.pluNumber, "PLU No.");
    }
    if (changed(&PluValues::itemNumber)) {
        w.digits(plu, p::kItemNumber, v.itemNumber, "Item No.");
    }
    if (changed(&PluValues::description1) || changed(&PluValues::description2)) {
        std::string description = rightTrimmed(v.description1);
        const std::string second = rightTrimmed(v.description2);
        if (!second.empty()) {
            description += p::kLineBreak + second;
        }
        w.text(plu, p::kDescription, description, "Description");
    }
    if (changed(&PluValues::priceHundredths)) {
        w.digits(plu, p::kPrice, v.priceHundredths, "Price");
    }
    if (changed(&PluValues::vatNumber)) {
        w.digits(plu, p::kVatNumber, v.vatNumber, "VAT No.");
    }
    if (changed(&PluValues::groupNumber)) {
        w.digits(plu, p::kGroupNumber, v.groupNumber, "Group No.");
    }
    if (changed(&PluValues::tareNumber)) {
        w.digits(plu, p::kTareNumber, v.tareNumber, "Tare No.");
    }
    const unsigned flags = (v.byCount ? p::kByCountBit : 0u) |
                           (v.openPrice ? p::kOpenPriceBit : 0u) |
                           (v.discount ? p::kDiscountBit : 0u);
    word(plu, p::kFlags, flags,
         bit(&PluValues::byCount, p::kByCountBit) | bit(&PluValues::openPrice, p::kOpenPriceBit) |
             bit(&PluValues::discount, p::kDiscountBit),
         "item flags");

    if (changed(&PluValues::labelNumber)) {
        w.digits(label, l::kLabelNumber, v.labelNumber, "Label No.");
    }
    if (changed(&PluValues::alignment)) {
        w.number(label, l::kAlignment, v.alignment, "Alignment");
    }
    if (changed(&PluValues::fontSize1)) {
        w.digits(label, l::kFontSize1, v.fontSize1, "Font Size");
    }
    if (changed(&PluValues::fontSize2)) {
        w.digits(label, l::kFontSize2, v.fontSize2, "Font Size");
    }
    if (changed(&PluValues::extraFontSize)) {
        w.digits(label, l::kExtraFontSize, v.extraFontSize, "Font Size");
    }
    if (changed(&PluValues::printStoreAddress)) {
        w.number(label, l::kStoreAddress, v.printStoreAddress ? 1 : 0, "Print Store Address");
    }
    if (changed(&PluValues::advertisingTextNumber)) {
        w.digits(label, l::kAdvertisingText, v.advertisingTextNumber, "Advertising Text No.");
    }
    if (changed(&PluValues::extraTextNumber)) {
        w.digits(label, l::kExtraText, v.extraTextNumber, "Extra Text No.");
    }
    if (changed(&PluValues::packDateText)) {
        w.digits(label, l::kPackDateText, v.packDateText, "Date Text No.");
    }
    if (changed(&PluValues::bestBeforeDateText)) {
        w.digits(label, l::kBestBeforeDateText, v.bestBeforeDateText, "Date Text No.");
    }
    if (changed(&PluValues::sellByDateText)) {
        w.digits(label, l::kSellByDateText, v.sellByDateText, "Date Text No.");
    }
    const unsigned code = (1u << l::kFormatBits) - 1;
    const unsigned formats =
        (static_cast<unsigned>(v.packFormat) & code) |
        ((static_cast<unsigned>(v.bestBeforeFormat) & code) << l::kFormatBits) |
        ((static_cast<unsigned>(v.sellByFormat) & code) << (2 * l::kFormatBits));
    word(label, l::kDateFormats, formats,
         bit(&PluValues::packFormat, code) |
             bit(&PluValues::bestBeforeFormat, code << l::kFormatBits) |
             bit(&PluValues::sellByFormat, code << (2 * l::kFormatBits)),
         "Print Format");
    const unsigned crosses =
        (v.packCross ? 1u : 0u) | (v.bestBeforeCross ? 2u : 0u) | (v.sellByCross ? 4u : 0u);
    word(label, l::kCrosses, crosses,
         bit(&PluValues::packCross, 1u) | bit(&PluValues::bestBeforeCross, 2u) |
             bit(&PluValues::sellByCross, 4u),
         "Cross");
    if (changed(&PluValues::bestBeforeDays)) {
        w.digits(label, l::kBestBeforeDays, v.bestBeforeDays, "days");
    }
    if (changed(&PluValues::sellByDays)) {
        w.digits(label, l::kSellByDays, v.sellByDays, "days");
    }
    if (changed(&PluValues::fixweightThousandths)) {
        w.digits(label, l::kFixweight, v.fixweightThousandths, "Fixweight");
    }
    return w.problem();
}

}  // namespace

std::string encodeValues(const PluValues& v, PluPair& pair) {
    const PluPair templates = templatePair();
    std::string plu = pair.plu.size() == plurecord::kLength ? pair.plu : templates.plu;
    std::string label = pair.label.size() == labelrecord::kLength ? pair.label : templates.label;
    std::string problem = writeFields(v, nullptr, plu, label);
    if (!problem.empty()) {
        return problem;
    }
    pair.plu = std::move(plu);
    pair.label = std::move(label);
    return {};
}

std::string encodeChangedValues(const PluValues& before, const PluValues& after, PluPair& pair) {
    if (!pair.intact()) {
        return encodeValues(after, pair);
    }
    std::string plu = pair.plu;
    std::string label = pair.label;
    std::string problem = writeFields(after, &before, plu, label);
    if (!problem.empty()) {
        return problem;
    }
    pair.plu = std::move(plu);
    pair.label = std::move(label);
    return {};
}

std::string displayPart(const PluPair& pair, std::size_t descriptionWidth) {
    const std::string_view plu = pair.plu;
    std::string_view description =
        field(plu, plurecord::kDescription.pos, std::max(descriptionWidth, kDisplayDescription));
    if (descriptionWidth > kDisplayDescription) {
        // A wider column shows the text without the field's padding; "%-18s" pads it again.
        description = description.substr(0, description.find_last_not_of(' ') + 1);
    }
    const std::int64_t price = decimalToUnits(at(plu, plurecord::kPrice), 0);
    return cformat(kDisplayFormat, {pluNumberOf(plu), description, unitsToDecimal(price, 2)}) +
           ((flagsOf(plu) & plurecord::kByCountBit) != 0 ? kByCountColumn : kByWeightColumn);
}

std::string defaultLabelLine(int pluNumber) {
    return withoutLineEnd(cformat(kDefaultLabelFormat, {pluNumber}));
}

std::string pluRequestLine() {
    return withoutLineEnd(cformat(kPluRequestFormat, {0}));
}

std::string labelRequestLine() {
    return withoutLineEnd(cformat(kLabelRequestFormat, {0}));
}

std::string deleteAllPlusLine() {
    return withoutLineEnd(cformat(kDeleteFormat, {0}));
}

void markToStore(std::string& record) {
    if (record.size() >= envelope::kOperation + envelope::kStore.size()) {
        record.replace(envelope::kOperation, envelope::kStore.size(), envelope::kStore);
    }
}

std::string asStoredRecord(std::string line) {
    if (!line.empty()) {
        line[0] = '0';
    }
    markToStore(line);
    return line;
}

}  // namespace vorn
