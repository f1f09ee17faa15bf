#include "tab/PluColumns.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/Prompter.h"
#include "plu/PluForm.h"
#include "tab/CellText.h"
#include "tables/NumberText.h"
#include "tables/ScaleCharacters.h"

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
    std::array<const char*, 3> aliases{};
    Kind kind = Kind::Digits;
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
using C = PluColumn;

// One entry per column, in the order of the enumeration, which is the order of an export.
constexpr ColumnInfo kColumns[] = {
    {.column = C::PluNumber,
     .header = "PLU No.",
     .aliases = {"plu", "plunumber", "plunr"},
     .text = &V::pluNumber,
     .limit = pluentry::kPluNumber},
    {.column = C::ItemNumber,
     .header = "Item No.",
     .aliases = {"item", "itemnumber"},
     .text = &V::itemNumber,
     .limit = pluentry::kItemNumber,
     .keepsZeros = true},
    {.column = C::Description1,
     .header = "Description",
     .aliases = {"description1", "descriptionline1", "name"},
     .kind = Kind::Text,
     .text = &V::description1,
     .limit = pluentry::kDescription},
    {.column = C::Description2,
     .header = "Description Line 2",
     .aliases = {"description2", "secondline"},
     .kind = Kind::Text,
     .text = &V::description2,
     .limit = pluentry::kDescription},
    {.column = C::Price,
     .header = "Price",
     .aliases = {"unitprice"},
     .kind = Kind::Amount,
     .text = &V::priceHundredths,
     .decimals = pluentry::kPrice.decimals,
     .field = plurecord::kPrice},
    {.column = C::GroupNumber,
     .header = "Group No.",
     .aliases = {"group", "groupnumber"},
     .text = &V::groupNumber,
     .limit = pluentry::kGroupNumber,
     .rule = F::GroupNumber},
    {.column = C::TareNumber,
     .header = "Tare No.",
     .aliases = {"tare", "tarenumber"},
     .text = &V::tareNumber,
     .limit = pluentry::kTareNumber,
     .rule = F::TareNumber},
    {.column = C::VatNumber,
     .header = "VAT No.",
     .aliases = {"vat", "vatnumber"},
     .text = &V::vatNumber,
     .limit = pluentry::kVatNumber},
    {.column = C::ByCount, .header = "By Count", .kind = Kind::YesNo, .flag = &V::byCount},
    {.column = C::OpenPrice, .header = "Open Price", .kind = Kind::YesNo, .flag = &V::openPrice},
    {.column = C::Discount, .header = "Discount", .kind = Kind::YesNo, .flag = &V::discount},
    {.column = C::Fixweight,
     .header = "Fixweight (lb)",
     .aliases = {"fixweight"},
     .kind = Kind::Amount,
     .text = &V::fixweightThousandths,
     .rule = F::Fixweight,
     .decimals = pluentry::kFixweight.decimals,
     .field = labelrecord::kFixweight},
    {.column = C::LabelNumber,
     .header = "Label No.",
     .aliases = {"label", "labelnumber"},
     .text = &V::labelNumber,
     .limit = pluentry::kLabelNumber,
     .rule = F::LabelNumber},
    {.column = C::Alignment, .header = "Alignment", .kind = Kind::Alignment, .code = &V::alignment},
    {.column = C::FontSize1,
     .header = "Font Size Line 1",
     .aliases = {"fontsize", "fontsize1"},
     .text = &V::fontSize1,
     .limit = pluentry::kFontSize,
     .rule = F::FontSize1},
    {.column = C::FontSize2,
     .header = "Font Size Line 2",
     .aliases = {"fontsize2"},
     .text = &V::fontSize2,
     .rule = F::FontSize2},
    {.column = C::ExtraFontSize,
     .header = "Extra Text Font Size",
     .aliases = {"extrafontsize"},
     .text = &V::extraFontSize,
     .limit = pluentry::kFontSize,
     .rule = F::ExtraFontSize},
    {.column = C::PrintStoreAddress,
     .header = "Print Store Address",
     .aliases = {"storeaddress"},
     .kind = Kind::YesNo,
     .flag = &V::printStoreAddress},
    {.column = C::AdvertisingTextNumber,
     .header = "Advertising Text No.",
     .aliases = {"advertisingtext", "advertisingtextnumber"},
     .text = &V::advertisingTextNumber,
     .limit = pluentry::kAdvertisingText,
     .rule = F::AdvertisingTextNumber},
    {.column = C::ExtraTextNumber,
     .header = "Extra Text No.",
     .aliases = {"extratext", "extratextnumber"},
     .text = &V::extraTextNumber,
     .limit = pluentry::kExtraText,
     .rule = F::ExtraTextNumber},
    {.column = C::PackDateText,
     .header = "Pack Date Text No.",
     .aliases = {"packdatetext", "packdatetextnumber"},
     .text = &V::packDateText,
     .limit = pluentry::kDateText,
     .rule = F::PackDateText},
    {.column = C::PackFormat,
     .header = "Pack Date Print Format",
     .aliases = {"packprintformat", "packdateformat"},
     .kind = Kind::PrintFormat,
     .code = &V::packFormat,
     .choices = kPackFormats},
    {.column = C::BestBeforeDateText,
     .header = "Best Before Date Text No.",
     .aliases = {"bestbeforedatetext", "bestbeforedatetextnumber"},
     .text = &V::bestBeforeDateText,
     .limit = pluentry::kDateText,
     .rule = F::BestBeforeDateText},
    {.column = C::BestBeforeFormat,
     .header = "Best Before Print Format",
     .aliases = {"bestbeforedateprintformat", "bestbeforeformat"},
     .kind = Kind::PrintFormat,
     .code = &V::bestBeforeFormat,
     .choices = kDateFormats},
    {.column = C::BestBeforeDays,
     .header = "Best Before Days",
     .text = &V::bestBeforeDays,
     .limit = pluentry::kDays,
     .rule = F::BestBeforeDays},
    {.column = C::SellByDateText,
     .header = "Sell By Date Text No.",
     .aliases = {"sellbydatetext", "sellbydatetextnumber"},
     .text = &V::sellByDateText,
     .limit = pluentry::kDateText,
     .rule = F::SellByDateText},
    {.column = C::SellByFormat,
     .header = "Sell By Print Format",
     .aliases = {"sellbydateprintformat", "sellbyformat"},
     .kind = Kind::PrintFormat,
     .code = &V::sellByFormat,
     .choices = kDateFormats},
    {.column = C::SellByDays,
     .header = "Sell By Days",
     .text = &V::sellByDays,
     .limit = pluentry::kDays,
     .rule = F::SellByDays},
};

constexpr std::size_t kColumnCount = std::size(kColumns);
static_assert(kColumnCount == static_cast<std::size_t>(C::SellByDays) + 1,
              "a description for every column");
static_assert(
    [] {
        for (std::size_t i = 0; i < kColumnCount; ++i) {
            if (kColumns[i].column != static_cast<C>(i)) {
                return false;
            }
        }
        return true;
    }(),
    "the descriptions in the order of the enumeration");

constexpr std::array<PluColumn, kColumnCount> kOrder = [] {
    std::array<PluColumn, kColumnCount> order{};
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        order[i] = kColumns[i].column;
    }
    return order;
}();

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

std::string utf8Of(std::string_view text, const CellReading& reading) {
    return reading.coding == TextCoding::Utf8 ? std::string(text) : latin1ToUtf8(std::string(text));
}

// The cell as quoted in a reason: “1.5x”, in UTF-8 whatever the file's text.
std::string quotedCell(std::string_view cell, const CellReading& reading) {
    return "\u201C" + utf8Of(cell, reading) + "\u201D";
}

CellChange keep(std::string note = {}) {
    return {CellChange::Kind::Keep, {}, std::move(note)};
}
CellChange changed() {
    return {CellChange::Kind::Change, {}, {}};
}
CellChange rejected(std::string reason) {
    return {CellChange::Kind::Reject, std::move(reason), {}};
}

// The editor's message of a broken range, without its leading blanks.
std::string rangeMessage(const PluRangeRule& rule) {
    std::string_view message = rule.message;
    message.remove_prefix(std::min(message.find_first_not_of(' '), message.size()));
    return std::string(message);
}

constexpr const char* kLocaleFix =
    "open the file with the language set to English (USA), or export and edit a .xlsx "
    "workbook instead";

// A cell that no value is taken from, whatever its column: a formula, an error value.
std::optional<CellChange> refusedCell(const ColumnInfo& info, const Cell& cell,
                                      const CellReading& reading) {
    if (cell.type == CellType::Formula) {
        return rejected(std::string(info.header) +
                        " holds a formula, and a formula is never taken as a value: replace it "
                        "by its value (copy, then paste values only)");
    }
    if (cell.type == CellType::Error || celltext::isErrorValue(cell.text)) {
        return rejected(std::string(info.header) + " holds the spreadsheet error value " +
                        quotedCell(trimmed(cell.text), reading) +
                        ", which a formula that failed leaves: type the value again");
    }
    return std::nullopt;
}

// The first character of single-byte text that the scale's character set has as a control
// character (below 0x20, 0x7F and 0x80 to 0x9F), named; empty when there is none.
std::string controlCharacterIn(std::string_view text, const CellReading& reading) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (scaleHoldsCharacter(byte)) {
            continue;
        }
        char name[64];
        const std::string position = " at character " + std::to_string(i + 1);
        if (byte == '\n' || byte == '\r') {
            return "a line break" + position;
        }
        if (byte < 0x80 || reading.coding == TextCoding::Utf8) {
            std::snprintf(name, sizeof name, "the control character U+%04X", byte);
            return name + position;
        }
        std::snprintf(name, sizeof name, "the byte 0x%02X", byte);
        std::string text1252;
        if (const char32_t code = windows1252Of(byte); code != 0) {
            char codeName[16];
            std::snprintf(codeName, sizeof codeName, "U+%04X", static_cast<unsigned>(code));
            std::string utf8;
            if (code < 0x800) {
                utf8 = {static_cast<char>(0xC0 | (code >> 6)),
                        static_cast<char>(0x80 | (code & 0x3F))};
            } else {
                utf8 = {static_cast<char>(0xE0 | (code >> 12)),
                        static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                        static_cast<char>(0x80 | (code & 0x3F))};
            }
            text1252 = " (\u201C" + utf8 + "\u201D " + codeName + " in Windows-1252)";
        }
        return name + text1252 + position;
    }
    return {};
}

CellChange applyText(const ColumnInfo& info, const Cell& cell, const CellReading& reading,
                     PluValues& values) {
    std::string_view raw = reading.csv() ? celltext::unguardedCell(cell.text) : cell.text;
    const std::string& current = values.*info.text;
    // A text the PLU already holds, the usual case, is known without a copy: single-byte text
    // as it is, UTF-8 when it is plain ASCII.
    std::string_view same = raw;
    same.remove_suffix(same.size() - (same.find_last_not_of(' ') + 1));
    const bool plain = reading.coding == TextCoding::SingleByte ||
                       std::all_of(same.begin(), same.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (plain && same == current && cell.type == CellType::Text) {
        return keep();
    }
    if (std::optional<CellChange> refused = refusedCell(info, cell, reading)) {
        return *refused;
    }
    std::string text;
    if (reading.coding == TextCoding::Utf8) {
        SingleByteText converted = utf8ToSingleByte(raw);
        if (!converted.unfit.empty()) {
            return rejected(std::string(info.header) + " holds " + describeUnfit(converted) +
                            ", which is not in the scale's character set (Latin-1)");
        }
        text = std::move(converted.text);
    } else {
        text = raw;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    if (text == current) {
        return keep();
    }
    if (const std::string control = controlCharacterIn(text, reading); !control.empty()) {
        return rejected(std::string(info.header) + " holds " + control +
                        ", a control character in the scale's character set (Latin-1)");
    }
    if (const std::string_view sequence = utf8SequenceIn(text); !sequence.empty()) {
        return rejected(std::string(info.header) + " holds " +
                        quotedCell(latin1ToUtf8(std::string(sequence)), {}) +
                        ", which is UTF-8 text read in another character set (for " +
                        quotedCell(sequence, {}) +
                        "): open the file as UTF-8 (in LibreOffice, character set \u201CUnicode "
                        "(UTF-8)\u201D), or use a .xlsx workbook");
    }
    if (const std::string how = celltext::spreadsheetConversion(current, text); !how.empty()) {
        return keep(std::string(info.header) + " " + how + " in the spreadsheet");
    }
    if (cell.type == CellType::Number) {
        return rejected(std::string(info.header) + " is a number cell (" +
                        quotedCell(cell.text, reading) +
                        "): the spreadsheet converted what was typed; format the cells as text "
                        "and type it again");
    }
    if (text.size() > static_cast<std::size_t>(info.limit)) {
        return rejected(std::string(info.header) + " is longer than " + std::to_string(info.limit) +
                        " characters");
    }
    values.*info.text = std::move(text);
    return changed();
}

// A whole number cell: digits, or a number cell of a whole value.
std::optional<std::string> wholeDigits(const Cell& cell) {
    if (allDigits(cell.text)) {
        return std::string(cell.text);
    }
    if (cell.type != CellType::Number) {
        return std::nullopt;
    }
    const std::optional<celltext::DecimalNumber> number = celltext::parseDecimal(cell.text);
    celltext::UnitsProblem problem{};
    const std::optional<celltext::Units> units =
        number ? celltext::unitsOf(*number, 0, problem) : std::nullopt;
    if (!units) {
        return std::nullopt;
    }
    return std::to_string(units->value);
}

CellChange applyDigits(const ColumnInfo& info, const Cell& cell, const CellReading& reading,
                       PluValues& values) {
    if (std::optional<CellChange> refused = refusedCell(info, cell, reading)) {
        return *refused;
    }
    const std::optional<std::string> digits = wholeDigits(cell);
    if (!digits) {
        if (const std::string how = celltext::spreadsheetConversion(values.*info.text, cell.text);
            !how.empty()) {
            return keep(std::string(info.header) + " " + how + " in the spreadsheet");
        }
        return rejected(std::string(info.header) +
                        " is not a whole number: " + quotedCell(cell.text, reading));
    }
    const std::string number = plainNumber(*digits);
    if (number == plainNumber(values.*info.text)) {
        if (info.keepsZeros && *digits != values.*info.text && !(values.*info.text).empty()) {
            return keep(std::string(info.header) + " lost its leading zeros in the spreadsheet");
        }
        return keep();
    }
    if (info.limit > 0 && number.size() > static_cast<std::size_t>(info.limit)) {
        return rejected(std::string(info.header) + " has more than " + std::to_string(info.limit) +
                        (info.limit == 1 ? " digit: " : " digits: ") +
                        quotedCell(cell.text, reading));
    }
    if (const PluRangeRule* rule = rangeRuleOf(info.rule);
        rule != nullptr && intValue(number) > rule->largest) {
        return rejected(std::string(info.header) + " " + quotedCell(cell.text, reading) + ": " +
                        rangeMessage(*rule));
    }
    values.*info.text = info.keepsZeros ? *digits : number;
    return changed();
}

// Floating-point noise, exponents and the decimal separators of other locales: an amount cell
// is read exactly, or refused with what went wrong. In a CSV file a decimal comma is taken in
// a file separated by semicolons; in one separated by commas a comma may be a decimal comma or
// a thousands separator, and the cell is taken only when it holds the PLU's value either way.
CellChange applyAmount(const ColumnInfo& info, const Cell& cell, const CellReading& reading,
                       PluValues& values) {
    if (std::optional<CellChange> refused = refusedCell(info, cell, reading)) {
        return *refused;
    }
    const std::string& current = values.*info.text;
    const bool currentIsUnits = current.empty() || allDigits(current);
    const std::int64_t currentUnits = decimalToUnits(current, 0);
    const std::string_view text = cell.text;
    const std::string quoted = quotedCell(text, reading);
    const std::string header(info.header);
    const auto unitsOfText = [&](std::string_view t, char point) -> std::optional<std::int64_t> {
        const std::optional<celltext::DecimalNumber> n = celltext::parseDecimal(t, point);
        celltext::UnitsProblem problem{};
        const std::optional<celltext::Units> u =
            n ? celltext::unitsOf(*n, info.decimals, problem) : std::nullopt;
        return u ? std::optional<std::int64_t>(u->value) : std::nullopt;
    };

    std::optional<celltext::DecimalNumber> number;
    const bool comma = text.find(',') != std::string_view::npos;
    const bool point = text.find('.') != std::string_view::npos;
    if (cell.type == CellType::Number || !reading.csv()) {
        number = celltext::parseDecimal(text);
    } else if (comma && !point) {
        number = celltext::parseDecimal(text, ',');
        if (number && reading.separator == ',') {
            std::string ungrouped(text);
            std::erase(ungrouped, ',');
            if (currentIsUnits && (unitsOfText(text, ',') == currentUnits ||
                                   unitsOfText(ungrouped, '.') == currentUnits)) {
                return keep();
            }
            return rejected(header + " " + quoted +
                            " has a comma, which is a decimal comma in some locales and a "
                            "thousands separator in others: write the number with a point "
                            "as the decimal separator and no thousands separator, or use a "
                            ".xlsx workbook");
        }
    } else {
        number = celltext::parseDecimal(text);
    }
    if (!number) {
        if (celltext::looksLikeDate(text)) {
            return rejected(header + " " + quoted +
                            " is a date: the spreadsheet took the number for a date (a locale "
                            "that writes numbers differently); " +
                            kLocaleFix);
        }
        if (comma && point) {
            return rejected(header + " " + quoted +
                            " has a thousands separator: the file was saved in a locale that "
                            "groups digits; " +
                            kLocaleFix);
        }
        return rejected(header + " is not a number: " + quoted);
    }
    celltext::UnitsProblem problem{};
    const std::optional<celltext::Units> units = celltext::unitsOf(*number, info.decimals, problem);
    std::int64_t scale = 1;
    for (int i = 0; i < info.decimals; ++i) {
        scale *= 10;
    }
    if (problem == celltext::UnitsProblem::TooManyDecimals) {
        return rejected(header + " has more than " + std::to_string(info.decimals) +
                        " decimals: " + quoted);
    }
    if (!units ||
        std::to_string(units->value / scale).size() + static_cast<std::size_t>(info.decimals) >
            info.field.width) {
        return rejected(header + " is too large for the PLU record: " + quoted);
    }
    if (currentIsUnits && units->value == currentUnits) {
        return keep();
    }
    if (reading.csv() && cell.type == CellType::Text && info.decimals == 3 && currentIsUnits &&
        currentUnits != 0 && units->value == currentUnits * 1000) {
        return rejected(header + " " + quoted + " is 1000 times the PLU's " +
                        unitsToDecimal(currentUnits, info.decimals) +
                        ": a spreadsheet in a locale that groups thousands with \u201C.\u201D "
                        "(German, for example) read " +
                        unitsToDecimal(currentUnits, info.decimals) + " as " +
                        std::to_string(currentUnits) + "; " + kLocaleFix);
    }
    if (const PluRangeRule* rule = rangeRuleOf(info.rule);
        rule != nullptr && units->value / scale > rule->largest) {
        return rejected(header + " " + quoted + ": " + rangeMessage(*rule));
    }
    values.*info.text = std::to_string(units->value);
    return changed();
}

CellChange applyYesNo(const ColumnInfo& info, const Cell& cell, const CellReading& reading,
                      PluValues& values) {
    if (std::optional<CellChange> refused = refusedCell(info, cell, reading)) {
        return *refused;
    }
    // The words of an export, the usual case, without normalising.
    if (cell.type == CellType::Text && cell.text == (values.*info.flag ? "yes" : "no")) {
        return keep();
    }
    const std::string word = normalised(cell.text);
    bool value = false;
    if (word == "yes" || word == "y" || word == "true" || word == "1" || word == "x") {
        value = true;
    } else if (word == "no" || word == "n" || word == "false" || word == "0") {
        value = false;
    } else {
        return rejected(std::string(info.header) +
                        " is not yes or no: " + quotedCell(cell.text, reading));
    }
    if (values.*info.flag == value) {
        return keep();
    }
    values.*info.flag = value;
    return changed();
}

// The alignment and the print formats: a name the editor shows, or the code as a number.
CellChange applyChoice(const ColumnInfo& info, const Cell& cell, const CellReading& reading,
                       PluValues& values) {
    if (std::optional<CellChange> refused = refusedCell(info, cell, reading)) {
        return *refused;
    }
    const bool alignment = info.kind == Kind::Alignment;
    const int choices = alignment ? kAlignments : info.choices;
    const auto nameOf = [&](int i) {
        return alignment ? kAlignmentNames[i] : kPrintFormatNames[i];
    };
    // The entry of an export, the usual case, without normalising.
    if (const int current = values.*info.code;
        current >= 0 && current < choices && cell.text == nameOf(current)) {
        return keep();
    }
    std::optional<int> code;
    if (allDigits(cell.text)) {
        code = cell.text.size() <= 4 ? intValue(cell.text) : -1;
    } else {
        for (int i = 0; i < choices; ++i) {
            if (sameWord(cell.text, nameOf(i))) {
                code = i;
            }
        }
        if (alignment && sameWord(cell.text, "centre")) {
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
                        quotedCell(cell.text, reading));
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

PluCellKind cellKindOf(PluColumn column) {
    const ColumnInfo& info = infoOf(column);
    switch (info.kind) {
        case Kind::Digits:
            return info.keepsZeros ? PluCellKind::Text : PluCellKind::Whole;
        case Kind::Text:
            return PluCellKind::Text;
        case Kind::Amount:
            return PluCellKind::Amount;
        case Kind::YesNo:
        case Kind::Alignment:
        case Kind::PrintFormat:
            return PluCellKind::Choice;
    }
    return PluCellKind::Text;
}

int decimalsOf(PluColumn column) {
    return infoOf(column).decimals;
}

std::vector<std::string> choicesOf(PluColumn column) {
    const ColumnInfo& info = infoOf(column);
    switch (info.kind) {
        case Kind::YesNo:
            return {"yes", "no"};
        case Kind::Alignment:
            return {std::begin(kAlignmentNames), std::end(kAlignmentNames)};
        case Kind::PrintFormat:
            return {kPrintFormatNames, kPrintFormatNames + info.choices};
        default:
            return {};
    }
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

CellChange applyCell(PluColumn column, const Cell& cell, const CellReading& reading,
                     PluValues& values) {
    const ColumnInfo& info = infoOf(column);
    if (info.kind == Kind::Text) {
        return applyText(info, cell, reading, values);
    }
    Cell value = cell;
    value.text = trimmed(cell.text);
    if (value.text.empty() && cell.type != CellType::Formula) {
        return keep();
    }
    switch (info.kind) {
        case Kind::Digits:
            return applyDigits(info, value, reading, values);
        case Kind::Amount:
            return applyAmount(info, value, reading, values);
        case Kind::YesNo:
            return applyYesNo(info, value, reading, values);
        case Kind::Alignment:
        case Kind::PrintFormat:
            return applyChoice(info, value, reading, values);
        case Kind::Text:
            break;
    }
    return keep();
}

}  // namespace vorn
