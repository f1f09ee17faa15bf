#include "tab/PluColumns.h"

#include <algorithm>
#include <array>

#include "platform/Prompter.h"
#include "plu/PluForm.h"
#include "tables/NumberText.h"

namespace vorn {

namespace {

enum class Kind {
    Digits,       // a whole number kept as digits
    Text,         // a description line
    Amount,       // a decimal amount kept in whole units of its last decimal
    YesNo,        // a check box
    Alignment,    // the three alignment buttons
    PrintFormat,  // a print-format list
};

struct ColumnInfo {
    PluColumn column;
    const char* header;
    // Further names, as written after normalising (lower-case letters and digits only).
    std::array<const char*, 3> aliases;
    Kind kind;
    std::string PluValues::*text = nullptr;
    bool PluValues::*flag = nullptr;
    int PluValues::*code = nullptr;
    int limit = 0;  // the editor's entry limit: most digits or characters; 0 for none
    PluFormField rule = PluFormField::None;
    int decimals = 0;         // of an amount
    RecordField field{};      // of an amount: the record's digits bound it
    int choices = 0;          // of a print-format list
    bool keepsZeros = false;  // shown with its leading zeros, as the editor shows it
};

using V = PluValues;
using F = PluFormField;

const ColumnInfo kColumns[] = {
    {PluColumn::PluNumber,
     "PLU No.",
     {"plu", "plunumber", "plunr"},
     Kind::Digits,
     &V::pluNumber,
     nullptr,
     nullptr,
     pluentry::kPluNumber},
    {PluColumn::ItemNumber,
     "Item No.",
     {"item", "itemnumber"},
     Kind::Digits,
     &V::itemNumber,
     nullptr,
     nullptr,
     pluentry::kItemNumber,
     F::None,
     0,
     {},
     0,
     true},
    {PluColumn::Description1,
     "Description",
     {"description1", "descriptionline1", "name"},
     Kind::Text,
     &V::description1,
     nullptr,
     nullptr,
     pluentry::kDescription},
    {PluColumn::Description2,
     "Description Line 2",
     {"description2", "secondline"},
     Kind::Text,
     &V::description2,
     nullptr,
     nullptr,
     pluentry::kDescription},
    {PluColumn::Price,
     "Price",
     {"unitprice"},
     Kind::Amount,
     &V::priceHundredths,
     nullptr,
     nullptr,
     0,
     F::None,
     pluentry::kPrice.decimals,
     plurecord::kPrice},
    {PluColumn::GroupNumber,
     "Group No.",
     {"group", "groupnumber"},
     Kind::Digits,
     &V::groupNumber,
     nullptr,
     nullptr,
     pluentry::kGroupNumber,
     F::GroupNumber},
    {PluColumn::TareNumber,
     "Tare No.",
     {"tare", "tarenumber"},
     Kind::Digits,
     &V::tareNumber,
     nullptr,
     nullptr,
     pluentry::kTareNumber,
     F::TareNumber},
    {PluColumn::VatNumber,
     "VAT No.",
     {"vat", "vatnumber"},
     Kind::Digits,
     &V::vatNumber,
     nullptr,
     nullptr,
     pluentry::kVatNumber},
    {PluColumn::ByCount, "By Count", {}, Kind::YesNo, nullptr, &V::byCount},
    {PluColumn::OpenPrice, "Open Price", {}, Kind::YesNo, nullptr, &V::openPrice},
    {PluColumn::Discount, "Discount", {}, Kind::YesNo, nullptr, &V::discount},
    {PluColumn::Fixweight,
     "Fixweight (lb)",
     {"fixweight"},
     Kind::Amount,
     &V::fixweightThousandths,
     nullptr,
     nullptr,
     0,
     F::Fixweight,
     pluentry::kFixweight.decimals,
     labelrecord::kFixweight},
    {PluColumn::LabelNumber,
     "Label No.",
     {"label", "labelnumber"},
     Kind::Digits,
     &V::labelNumber,
     nullptr,
     nullptr,
     pluentry::kLabelNumber,
     F::LabelNumber},
    {PluColumn::Alignment, "Alignment", {}, Kind::Alignment, nullptr, nullptr, &V::alignment},
    {PluColumn::FontSize1,
     "Font Size Line 1",
     {"fontsize", "fontsize1"},
     Kind::Digits,
     &V::fontSize1,
     nullptr,
     nullptr,
     pluentry::kFontSize,
     F::FontSize1},
    {PluColumn::FontSize2,
     "Font Size Line 2",
     {"fontsize2"},
     Kind::Digits,
     &V::fontSize2,
     nullptr,
     nullptr,
     0,
     F::FontSize2},
    {PluColumn::ExtraFontSize,
     "Extra Text Font Size",
     {"extrafontsize"},
     Kind::Digits,
     &V::extraFontSize,
     nullptr,
     nullptr,
     pluentry::kFontSize,
     F::ExtraFontSize},
    {PluColumn::PrintStoreAddress,
     "Print Store Address",
     {"storeaddress"},
     Kind::YesNo,
     nullptr,
     &V::printStoreAddress},
    {PluColumn::AdvertisingTextNumber,
     "Advertising Text No.",
     {"advertisingtext", "advertisingtextnumber"},
     Kind::Digits,
     &V::advertisingTextNumber,
     nullptr,
     nullptr,
     pluentry::kAdvertisingText,
     F::AdvertisingTextNumber},
    {PluColumn::ExtraTextNumber,
     "Extra Text No.",
     {"extratext", "extratextnumber"},
     Kind::Digits,
     &V::extraTextNumber,
     nullptr,
     nullptr,
     pluentry::kExtraText,
     F::ExtraTextNumber},
    {PluColumn::PackDateText,
     "Pack Date Text No.",
     {"packdatetext", "packdatetextnumber"},
     Kind::Digits,
     &V::packDateText,
     nullptr,
     nullptr,
     pluentry::kDateText,
     F::PackDateText},
    {PluColumn::PackFormat,
     "Pack Date Print Format",
     {"packprintformat", "packdateformat"},
     Kind::PrintFormat,
     nullptr,
     nullptr,
     &V::packFormat,
     0,
     F::None,
     0,
     {},
     kPackFormats},
    {PluColumn::BestBeforeDateText,
     "Best Before Date Text No.",
     {"bestbeforedatetext", "bestbeforedatetextnumber"},
     Kind::Digits,
     &V::bestBeforeDateText,
     nullptr,
     nullptr,
     pluentry::kDateText,
     F::BestBeforeDateText},
    {PluColumn::BestBeforeFormat,
     "Best Before Print Format",
     {"bestbeforedateprintformat", "bestbeforeformat"},
     Kind::PrintFormat,
     nullptr,
     nullptr,
     &V::bestBeforeFormat,
     0,
     F::None,
     0,
     {},
     kDateFormats},
    {PluColumn::BestBeforeDays,
     "Best Before Days",
     {},
     Kind::Digits,
     &V::bestBeforeDays,
     nullptr,
     nullptr,
     pluentry::kDays,
     F::BestBeforeDays},
    {PluColumn::SellByDateText,
     "Sell By Date Text No.",
     {"sellbydatetext", "sellbydatetextnumber"},
     Kind::Digits,
     &V::sellByDateText,
     nullptr,
     nullptr,
     pluentry::kDateText,
     F::SellByDateText},
    {PluColumn::SellByFormat,
     "Sell By Print Format",
     {"sellbydateprintformat", "sellbyformat"},
     Kind::PrintFormat,
     nullptr,
     nullptr,
     &V::sellByFormat,
     0,
     F::None,
     0,
     {},
     kDateFormats},
    {PluColumn::SellByDays,
     "Sell By Days",
     {},
     Kind::Digits,
     &V::sellByDays,
     nullptr,
     nullptr,
     pluentry::kDays,
     F::SellByDays},
};

constexpr PluColumn kOrder[] = {
    PluColumn::PluNumber,
    PluColumn::ItemNumber,
    PluColumn::Description1,
    PluColumn::Description2,
    PluColumn::Price,
    PluColumn::GroupNumber,
    PluColumn::TareNumber,
    PluColumn::VatNumber,
    PluColumn::ByCount,
    PluColumn::OpenPrice,
    PluColumn::Discount,
    PluColumn::Fixweight,
    PluColumn::LabelNumber,
    PluColumn::Alignment,
    PluColumn::FontSize1,
    PluColumn::FontSize2,
    PluColumn::ExtraFontSize,
    PluColumn::PrintStoreAddress,
    PluColumn::AdvertisingTextNumber,
    PluColumn::ExtraTextNumber,
    PluColumn::PackDateText,
    PluColumn::PackFormat,
    PluColumn::BestBeforeDateText,
    PluColumn::BestBeforeFormat,
    PluColumn::BestBeforeDays,
    PluColumn::SellByDateText,
    PluColumn::SellByFormat,
    PluColumn::SellByDays,
};

const ColumnInfo& infoOf(PluColumn column) {
    return kColumns[static_cast<std::size_t>(column)];
}

// Lower-case letters and digits only: "Item No." and "item_no" are both "itemno".
std::string normalised(std::string_view header) {
    std::string out;
    for (char c : header) {
        if (c >= 'A' && c <= 'Z') {
            out.push_back(static_cast<char>(c - 'A' + 'a'));
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            out.push_back(c);
        }
    }
    return out;
}

std::string_view trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool allDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool sameWord(std::string_view a, std::string_view b) {
    return normalised(a) == normalised(b) && !normalised(a).empty();
}

// The cell as quoted in a reason: “1.5x”, in UTF-8 whatever the file's text.
std::string quotedCell(std::string_view cell, const CellReading& reading) {
    const std::string text =
        reading.coding == TextCoding::Utf8 ? std::string(cell) : latin1ToUtf8(std::string(cell));
    return "\u201C" + text + "\u201D";
}

CellChange keep() {
    return {};
}
CellChange changed() {
    return {CellChange::Kind::Change, {}};
}
CellChange rejected(std::string reason) {
    return {CellChange::Kind::Reject, std::move(reason)};
}

// The editor's message of a broken range, without its leading blanks.
std::string rangeMessage(const PluRangeRule& rule) {
    std::string_view message = rule.message;
    message.remove_prefix(std::min(message.find_first_not_of(' '), message.size()));
    return std::string(message);
}

CellChange applyText(const ColumnInfo& info, std::string_view cell, const CellReading& reading,
                     PluValues& values) {
    // A text the PLU already holds, the usual case, is known without a copy: single-byte text
    // as it is, UTF-8 when it is plain ASCII.
    std::string_view same = cell;
    same.remove_suffix(same.size() - (same.find_last_not_of(' ') + 1));
    const bool plain = reading.coding == TextCoding::SingleByte ||
                       std::all_of(same.begin(), same.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (plain && same == values.*info.text) {
        return keep();
    }
    std::string text;
    if (reading.coding == TextCoding::Utf8) {
        SingleByteText converted = utf8ToSingleByte(cell);
        if (!converted.unfit.empty()) {
            return rejected(std::string(info.header) + " holds " + describeUnfit(converted) +
                            ", which is not in the scale's character set (Latin-1)");
        }
        text = std::move(converted.text);
    } else {
        text = cell;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    if (text == values.*info.text) {
        return keep();
    }
    if (text.size() > static_cast<std::size_t>(info.limit)) {
        return rejected(std::string(info.header) + " is longer than " + std::to_string(info.limit) +
                        " characters");
    }
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; })) {
        return rejected(std::string(info.header) +
                        " holds a line break or another control character");
    }
    values.*info.text = std::move(text);
    return changed();
}

CellChange applyDigits(const ColumnInfo& info, std::string_view cell, const CellReading& reading,
                       PluValues& values) {
    if (!allDigits(cell)) {
        return rejected(std::string(info.header) +
                        " is not a whole number: " + quotedCell(cell, reading));
    }
    const std::string number = plainNumber(cell);
    if (number == plainNumber(values.*info.text)) {
        return keep();
    }
    if (info.limit > 0 && number.size() > static_cast<std::size_t>(info.limit)) {
        return rejected(std::string(info.header) + " has more than " + std::to_string(info.limit) +
                        (info.limit == 1 ? " digit: " : " digits: ") + quotedCell(cell, reading));
    }
    if (const PluRangeRule* rule = rangeRuleOf(info.rule);
        rule != nullptr && intValue(number) > rule->largest) {
        return rejected(std::string(info.header) + " " + quotedCell(cell, reading) + ": " +
                        rangeMessage(*rule));
    }
    values.*info.text = number;
    return changed();
}

CellChange applyAmount(const ColumnInfo& info, std::string_view cell, const CellReading& reading,
                       PluValues& values) {
    // Digits with at most one point (a decimal comma in a semicolon file).
    std::string text(cell);
    if (reading.separator == ';' && text.find('.') == std::string::npos) {
        std::replace(text.begin(), text.end(), ',', '.');
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = std::string_view(text).substr(0, point);
    const std::string_view fraction =
        point == std::string::npos ? std::string_view() : std::string_view(text).substr(point + 1);
    const auto digitsOnly = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digitsOnly(whole) || !digitsOnly(fraction) || whole.size() + fraction.size() == 0) {
        return rejected(std::string(info.header) +
                        " is not a number: " + quotedCell(cell, reading));
    }
    if (fraction.size() > static_cast<std::size_t>(info.decimals)) {
        return rejected(std::string(info.header) + " has more than " +
                        std::to_string(info.decimals) + " decimals: " + quotedCell(cell, reading));
    }
    const std::string wholeDigits = plainNumber(whole.empty() ? "0" : whole);
    if (wholeDigits.size() + static_cast<std::size_t>(info.decimals) > info.field.width) {
        return rejected(std::string(info.header) +
                        " is too large for the PLU record: " + quotedCell(cell, reading));
    }
    const std::int64_t units = decimalToUnits(text, info.decimals);
    const std::string& current = values.*info.text;
    if (units == decimalToUnits(current, 0) && (current.empty() || allDigits(current))) {
        return keep();
    }
    std::int64_t scale = 1;
    for (int i = 0; i < info.decimals; ++i) {
        scale *= 10;
    }
    if (const PluRangeRule* rule = rangeRuleOf(info.rule);
        rule != nullptr && units / scale > rule->largest) {
        return rejected(std::string(info.header) + " " + quotedCell(cell, reading) + ": " +
                        rangeMessage(*rule));
    }
    values.*info.text = std::to_string(units);
    return changed();
}

CellChange applyYesNo(const ColumnInfo& info, std::string_view cell, const CellReading& reading,
                      PluValues& values) {
    const std::string word = normalised(cell);
    bool value = false;
    if (word == "yes" || word == "y" || word == "true" || word == "1" || word == "x") {
        value = true;
    } else if (word == "no" || word == "n" || word == "false" || word == "0") {
        value = false;
    } else {
        return rejected(std::string(info.header) +
                        " is not yes or no: " + quotedCell(cell, reading));
    }
    if (values.*info.flag == value) {
        return keep();
    }
    values.*info.flag = value;
    return changed();
}

// The alignment and the print formats: a name the editor shows, or the code as a number.
CellChange applyChoice(const ColumnInfo& info, std::string_view cell, const CellReading& reading,
                       PluValues& values) {
    const bool alignment = info.kind == Kind::Alignment;
    const int choices = alignment ? kAlignments : info.choices;
    const auto nameOf = [&](int i) {
        return alignment ? kAlignmentNames[i] : kPrintFormatNames[i];
    };
    std::optional<int> code;
    if (allDigits(cell)) {
        code = cell.size() <= 4 ? intValue(cell) : -1;
    } else {
        for (int i = 0; i < choices; ++i) {
            if (sameWord(cell, nameOf(i))) {
                code = i;
            }
        }
        if (alignment && sameWord(cell, "centre")) {
            code = 1;
        }
    }
    if (code && *code == values.*info.code) {
        return keep();
    }
    if (!code || *code < 0 || *code >= choices) {
        std::string names;
        for (int i = 0; i < choices; ++i) {
            names += std::string(i == 0 ? "" : i + 1 == choices ? " or " : ", ") + nameOf(i);
        }
        return rejected(std::string(info.header) + " is not " + names + ": " +
                        quotedCell(cell, reading));
    }
    values.*info.code = *code;
    return changed();
}

}  // namespace

std::span<const PluColumn> allPluColumns() {
    return kOrder;
}

const char* columnHeader(PluColumn column) {
    return infoOf(column).header;
}

std::optional<PluColumn> columnOfHeader(std::string_view header) {
    const std::string name = normalised(header);
    if (name.empty()) {
        return std::nullopt;
    }
    for (const ColumnInfo& info : kColumns) {
        if (normalised(info.header) == name) {
            return info.column;
        }
        for (const char* alias : info.aliases) {
            if (alias != nullptr && name == alias) {
                return info.column;
            }
        }
    }
    return std::nullopt;
}

std::string plainNumber(std::string_view digits) {
    if (!digits.empty() && !allDigits(digits)) {
        return std::string(digits);
    }
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? "0" : std::string(digits.substr(first));
}

std::string cellOf(PluColumn column, const PluValues& values) {
    const ColumnInfo& info = infoOf(column);
    switch (info.kind) {
        case Kind::Digits:
            return info.keepsZeros && !(values.*info.text).empty() ? values.*info.text
                                                                   : plainNumber(values.*info.text);
        case Kind::Text:
            return values.*info.text;
        case Kind::Amount:
            return unitsToDecimal(decimalToUnits(values.*info.text, 0), info.decimals);
        case Kind::YesNo:
            return values.*info.flag ? "yes" : "no";
        case Kind::Alignment:
        case Kind::PrintFormat: {
            const int code = values.*info.code;
            const int choices = info.kind == Kind::Alignment ? kAlignments : info.choices;
            if (code < 0 || code >= choices) {
                return std::to_string(code);
            }
            return info.kind == Kind::Alignment ? kAlignmentNames[code] : kPrintFormatNames[code];
        }
    }
    return {};
}

CellChange applyCell(PluColumn column, std::string_view cell, const CellReading& reading,
                     PluValues& values) {
    const ColumnInfo& info = infoOf(column);
    if (info.kind == Kind::Text) {
        return applyText(info, cell, reading, values);
    }
    cell = trimmed(cell);
    if (cell.empty()) {
        return keep();
    }
    switch (info.kind) {
        case Kind::Digits:
            return applyDigits(info, cell, reading, values);
        case Kind::Amount:
            return applyAmount(info, cell, reading, values);
        case Kind::YesNo:
            return applyYesNo(info, cell, reading, values);
        case Kind::Alignment:
        case Kind::PrintFormat:
            return applyChoice(info, cell, reading, values);
        case Kind::Text:
            break;
    }
    return keep();
}

}  // namespace vorn
