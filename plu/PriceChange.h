#pragma once
// A change of many PLUs' prices at once, on chosen rows of the list: set every price, or change
// it by a percentage or an amount, then round to the cent or to a price ending (.99, .49). The
// plan lists each row's old and new price before anything changes; it is refused as a whole,
// with the reason, when a new price would leave the price field's range. Applying it changes the
// price field of those rows and nothing else. All in whole cents, exactly.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plu/PluList.h"

namespace vorn {

enum class PriceChangeKind { Set, Percent, Amount };
// To the cent, or to the nearest price ending in .99 or .49 (the higher one of two as near; a
// price of 0.00 stays).
enum class PriceRounding { Cent, Ending99, Ending49 };

struct PriceChange {
    PriceChangeKind kind = PriceChangeKind::Percent;
    // Set and Amount: cents (an amount may be negative); Percent: hundredths of a percent.
    std::int64_t value = 0;
    PriceRounding rounding = PriceRounding::Cent;
};

// The highest price the price field holds, in cents.
std::int64_t highestPrice();

// A number as typed for a change: optional sign, digits, optional point and at most two
// decimals, in hundredths ("-2.5" gives -250). No value for anything else.
std::optional<std::int64_t> parseHundredths(std::string_view text);

// The new price of an old one (cents), before the range is checked: a percentage rounds half
// away from zero to the cent, then the rounding's ending applies.
std::int64_t changedPrice(std::int64_t oldPrice, const PriceChange& change);

struct PriceChangeRow {
    std::size_t row;  // list index
    int number;
    std::int64_t oldPrice;
    std::int64_t newPrice;
};

struct PriceChangePlan {
    std::vector<PriceChangeRow> rows;  // every row of the choice, in list order
    std::string problem;               // why it cannot be applied; empty when it can
};

// The plan for the rows (list indexes). Damaged rows are left out; a new price below 0 or above
// the field's range refuses the whole plan, naming the first PLU.
PriceChangePlan planPriceChange(const PluList& list, const std::vector<std::size_t>& rows,
                                const PriceChange& change);

// The rows of a PLU group (by the group number field).
std::vector<std::size_t> rowsOfGroup(const PluList& list, int group);

// Writes each planned new price into its row's price field (the add rule replaces the row in
// place). A plan with a problem changes nothing. The rows whose price changed.
std::size_t applyPriceChange(PluList& list, const PriceChangePlan& plan);

}  // namespace vorn
