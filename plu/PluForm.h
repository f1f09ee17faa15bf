#pragma once
// The PLU editor's rules without a window: the form its controls show, how a decoded PLU (or a
// new one) fills it, the checks of OK in their order with their messages, what OK hands back,
// and the values that "Save Default" and "Load Default" keep.

#include <span>
#include <string>

#include "plu/PluDefaults.h"
#include "plu/PluRecord.h"
#include "widgets/NumericText.h"

namespace vorn {

// What the editor's controls hold. Every field is in `values` as its control shows it, except
// the price and the fixweight: those are shown as amounts (`price` with two decimals,
// `fixweight` in pounds with three) and reach `values` in hundredths and thousandths only when
// OK passes its checks.
struct PluForm {
    PluValues values;
    std::string price;
    std::string fixweight;

    bool operator==(const PluForm&) const = default;
};

// The print-format lists: the pack-date list offers codes 0 to 2, the others 0 to 3. The
// entries' texts by code.
inline constexpr int kPackFormats = 3;
inline constexpr int kDateFormats = 4;
inline constexpr const char* kPrintFormatNames[kDateFormats] = {"Not print date", "MM/DD/YYYY",
                                                                "DD/MM/YYYY", "days"};
// The alignment buttons by value.
inline constexpr int kAlignments = 3;
inline constexpr const char* kAlignmentNames[kAlignments] = {"left", "Center", "Auto"};

// The most characters each field of the editor takes. The second line's font size has no limit
// of its own (its range check bounds it).
namespace pluentry {
inline constexpr int kPluNumber = 6;
inline constexpr int kItemNumber = 13;
inline constexpr int kDescription = 36;
inline constexpr int kVatNumber = 2;
inline constexpr int kGroupNumber = 2;
inline constexpr int kTareNumber = 5;
inline constexpr int kLabelNumber = 2;
inline constexpr int kFontSize = 2;
inline constexpr int kAdvertisingText = 2;
inline constexpr int kExtraText = 3;
inline constexpr int kDateText = 1;
inline constexpr int kDays = 3;
inline constexpr NumericLimits kPrice{7, 2};
inline constexpr NumericLimits kFixweight{6, 3};
}  // namespace pluentry

// The form of a PLU opened for editing: leading zeros and blanks removed from the numbers
// (group "0" when nothing is left; the item number keeps its zeros), trailing blanks removed
// from the description lines, the price and the fixweight as amounts, print formats the lists do
// not offer (and an alignment that is none of the three) shown as the first entry.
PluForm formOfValues(const PluValues& decoded);
// The form of "Add": every field empty but the proposed PLU number, group "0", price 0.00.
PluForm newPluForm(int proposedNumber);

// The controls that a failed check of OK names.
enum class PluFormField {
    None,
    Description1,
    PluNumber,
    BestBeforeDays,
    SellByDays,
    LabelNumber,
    GroupNumber,
    PackDateText,
    BestBeforeDateText,
    SellByDateText,
    AdvertisingTextNumber,
    ExtraTextNumber,
    ExtraFontSize,
    TareNumber,
    FontSize1,
    FontSize2,
    Fixweight,
};

struct PluFormCheck {
    PluFormField field = PluFormField::None;
    const char* message = nullptr;
    bool passed() const { return field == PluFormField::None; }
};

// A range that OK checks: the field's text read as a decimal number (the fixweight by its whole
// pounds, an empty text as 0) may not exceed `largest`.
struct PluRangeRule {
    PluFormField field;
    int largest;
    const char* message;
};
// The range checks of OK in their order.
std::span<const PluRangeRule> pluRangeRules();
// The rule of one field; nullptr when OK checks no range on it.
const PluRangeRule* rangeRuleOf(PluFormField field);
// The messages of the two fields OK requires.
inline constexpr const char* kNoDescriptionMessage = "Fill the PLU description!";
inline constexpr const char* kNoPluNumberMessage = "Fill the PLU No.!";
// PLU 0 is no PLU: the editor, the list and the import refuse it alike.
inline constexpr const char* kZeroPluNumberMessage =
    "PLU No. 0 is not taken: PLU numbers start at 1.";

// OK: empties the fixweight of an item not sold by count, removes trailing blanks from the
// first description line, then checks the description, the PLU number (not empty, not 0) and the
// ranges in their order. The first that fails is returned; a range that fails has its field
// emptied. When all pass, the description lines lose their trailing blanks and `values` gets the
// price in hundredths and the fixweight in thousandths ("0" for an item not sold by count).
PluFormCheck acceptForm(PluForm& form);

// "Save Default": the form as it stands, the price in hundredths, nothing checked.
PluDefaults defaultsOfForm(const PluForm& form);
// "Load Default": every value of the defaults but the PLU number, which is emptied; the price
// shown with two decimals, the fixweight as it was saved.
PluForm formOfDefaults(const PluDefaults& defaults);

}  // namespace vorn
