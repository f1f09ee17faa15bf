#include "plu/PriceList.h"

#include "tables/NumberText.h"

namespace vorn {

namespace {

PriceListRow priceListRowOf(const PluPair& pair) {
    const PluValues values = decodePair(pair);
    return {std::to_string(pluNumberOf(pair.plu)),
            values.description1,
            values.description2,
            unitsToDecimal(decimalToUnits(values.priceHundredths, 0), 2),
            values.byCount ? pricelist::kByCount : pricelist::kByWeight,
            std::to_string(decimalToUnits(values.groupNumber, 0))};
}

}  // namespace

std::vector<PriceListRow> priceListRows(const PluList& list, const std::vector<std::size_t>& rows) {
    std::vector<PriceListRow> out;
    out.reserve(rows.size());
    for (std::size_t row : rows) {
        if (row < list.size() && list.pair(row).intact()) {
            out.push_back(priceListRowOf(list.pair(row)));
        }
    }
    return out;
}

std::string priceListHeading(const std::string& store, const std::string& scale,
                             const std::string& date) {
    return "Price list  Store: " + store + "  Scale: " + scale + "  " + date;
}

std::string pageNumberText(int page, int pages) {
    return "Page " + std::to_string(page) + " of " + std::to_string(pages);
}

}  // namespace vorn
