#pragma once
// The printed price list of the PLU list: one row per PLU (number, both description lines,
// price, unit, group), a heading with the store, the scale and the date, and page numbers. The
// texts are made here; the dialog lays them out on pages.

#include <cstddef>
#include <string>
#include <vector>

#include "plu/PluList.h"

namespace vorn {

namespace pricelist {
inline constexpr const char* kColumnCaptions[] = {"PLU", "Description", "Price", "Unit", "Group"};
// The unit a price is for, in the words of the list's "PLU type" column.
inline constexpr const char* kByCount = "Count";
inline constexpr const char* kByWeight = "Weight";
}  // namespace pricelist

struct PriceListRow {
    std::string number;
    std::string description1;
    std::string description2;
    std::string price;  // "12.34"
    std::string unit;
    std::string group;
};

// The rows of the list's rows (list indexes) in that order; damaged rows are left out.
std::vector<PriceListRow> priceListRows(const PluList& list, const std::vector<std::size_t>& rows);

// The heading of every page: "Price list  Store: <store>  Scale: <scale>  <date>".
std::string priceListHeading(const std::string& store, const std::string& scale,
                             const std::string& date);
// "Page 2 of 5".
std::string pageNumberText(int page, int pages);

}  // namespace vorn
