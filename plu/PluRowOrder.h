#pragma once
// Which rows of the PLU list are shown, and in which order: the rows that hold a search text
// (in the PLU number, the item number or either description line, as a substring, without
// regard to case), sorted by one of the list's columns. The list itself stays in PLU number
// order; this is only the order a view shows it in.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "plu/PluList.h"

namespace vorn {

// The list's columns, in the order they stand.
enum class PluColumn { Number, Description, Price, Kind };

struct PluRowOrder {
    std::string search;  // as typed; empty shows every row
    PluColumn column = PluColumn::Number;
    bool descending = false;

    // Every row in list order: the order needs no map.
    bool showsListAsItIs() const {
        return search.empty() && column == PluColumn::Number && !descending;
    }
    bool operator==(const PluRowOrder&) const = default;
};

// Whether a PLU record holds the search text: its PLU number (as a number, without leading
// zeros), its item number, or one of its description lines, compared without regard to case.
bool pluRecordHolds(std::string_view pluRecord, std::string_view search);

// The list indexes of the rows shown, in the order shown. Rows that sort alike keep their list
// order (PLU number), whichever way the column sorts.
std::vector<std::size_t> shownRows(const PluList& list, const PluRowOrder& order);

}  // namespace vorn
