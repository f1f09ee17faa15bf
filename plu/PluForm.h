#pragma once
// The PLU editor's rules without a window: the form its controls show, how a decoded PLU (or a
// new one) fills it, the checks of OK in their order with their messages, what OK hands back,
// and the values that "Save Default" and "Load Default" keep.

#include <string>

#include "plu/PluDefaults.h"
#include "plu/PluRecord.h"

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

// The print-format lists: the pack-date list offers codes 0 to 2, the others 0 to 3.
inline constexpr int kPackFormats = 3;
inline constexpr int kDateFormats = 4;

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

// OK: empties the fixweight of an item not sold by count, removes trailing blanks from the
// first description line, then checks the description, the PLU number and the ranges in their
// order. The first that fails is returned; a range that fails has its field emptied. When all
// pass, the description lines lose their trailing blanks and `values` gets the price in
// hundredths and the fixweight in thousandths ("0" for an item not sold by count).
PluFormCheck acceptForm(PluForm& form);

// "Save Default": the form as it stands, the price in hundredths, nothing checked.
PluDefaults defaultsOfForm(const PluForm& form);
// "Load Default": every value of the defaults but the PLU number, which is emptied; the price
// shown with two decimals, the fixweight as it was saved.
PluForm formOfDefaults(const PluDefaults& defaults);

}  // namespace vorn
