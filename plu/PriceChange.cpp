#include "plu/PriceChange.h"

#include <string>

#include "tables/NumberText.h"

namespace vorn {

namespace {

constexpr std::int64_t kCentsPerPercentUnit = 10000;  // hundredths of a percent in a whole

std::int64_t priceOf(const PluPair& pair) {
    return decimalToUnits(
        std::string_view(pair.plu).substr(plurecord::kPrice.pos, plurecord::kPrice.width), 0);
}

// a / b rounded half away from zero, for b > 0.
std::int64_t dividedRounded(std::int64_t a, std::int64_t b) {
    return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b);
}

// The nearest price of the ending (cents below the whole unit), the higher one on a tie. A price
// of 0.00 (a PLU priced at the scale) stays.
std::int64_t toEnding(std::int64_t price, std::int64_t ending) {
    if (price == 0) {
        return 0;
    }
    if (price <= ending) {
        return ending;
    }
    const std::int64_t below = (price - ending) / 100 * 100 + ending;  // the highest not above
    const std::int64_t above = below + 100;
    return price - below < above - price ? below : above;
}

std::string priceText(std::int64_t cents) {
    return unitsToDecimal(cents, 2);
}

}  // namespace

std::int64_t highestPrice() {
    std::int64_t highest = 1;
    for (std::size_t i = 0; i < plurecord::kPrice.width; ++i) {
        highest *= 10;
    }
    return highest - 1;
}

std::optional<std::int64_t> parseHundredths(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto digits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if ((whole.empty() && fraction.empty()) || whole.size() > 12 || fraction.size() > 2 ||
        !digits(whole) || !digits(fraction)) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : whole) {
        value = value * 10 + (c - '0');
    }
    for (std::size_t i = 0; i < 2; ++i) {
        value = value * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
    }
    return negative ? -value : value;
}

std::int64_t changedPrice(std::int64_t oldPrice, const PriceChange& change) {
    std::int64_t price = oldPrice;
    switch (change.kind) {
        case PriceChangeKind::Set:
            price = change.value;
            break;
        case PriceChangeKind::Percent:
            price = dividedRounded(oldPrice * (kCentsPerPercentUnit + change.value),
                                   kCentsPerPercentUnit);
            break;
        case PriceChangeKind::Amount:
            price = oldPrice + change.value;
            break;
    }
    switch (change.rounding) {
        case PriceRounding::Cent:
            return price;
        case PriceRounding::Ending99:
            return price < 0 ? price : toEnding(price, 99);
        case PriceRounding::Ending49:
            return price < 0 ? price : toEnding(price, 49);
    }
    return price;
}

PriceChangePlan planPriceChange(const PluList& list, const std::vector<std::size_t>& rows,
                                const PriceChange& change) {
    PriceChangePlan plan;
    for (std::size_t row : rows) {
        if (row >= list.size() || !list.pair(row).intact()) {
            continue;
        }
        const std::int64_t oldPrice = priceOf(list.pair(row));
        const std::int64_t newPrice = changedPrice(oldPrice, change);
        plan.rows.push_back({row, list.number(row), oldPrice, newPrice});
        if (plan.problem.empty() && (newPrice < 0 || newPrice > highestPrice())) {
            plan.problem = "PLU " + std::to_string(list.number(row)) + ": the new price " +
                           priceText(newPrice) + " is outside 0.00 to " +
                           priceText(highestPrice()) + ".";
        }
    }
    return plan;
}

std::vector<std::size_t> rowsOfGroup(const PluList& list, int group) {
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string_view plu = list.pair(i).plu;
        if (plu.size() >= plurecord::kGroupNumber.pos + plurecord::kGroupNumber.width &&
            decimalToUnits(plu.substr(plurecord::kGroupNumber.pos, plurecord::kGroupNumber.width),
                           0) == group) {
            rows.push_back(i);
        }
    }
    return rows;
}

std::size_t applyPriceChange(PluList& list, const PriceChangePlan& plan) {
    if (!plan.problem.empty()) {
        return 0;
    }
    std::size_t changed = 0;
    for (const PriceChangeRow& r : plan.rows) {
        if (r.newPrice == r.oldPrice || r.row >= list.size() || list.number(r.row) != r.number) {
            continue;
        }
        PluPair pair = list.pair(r.row);
        const PluValues before = decodePair(pair);
        PluValues after = before;
        after.priceHundredths = std::to_string(r.newPrice);
        if (!encodeChangedValues(before, after, pair).empty()) {
            continue;
        }
        list.add(std::move(pair));
        ++changed;
    }
    return changed;
}

}  // namespace vorn
