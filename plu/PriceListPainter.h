#pragma once
// Lays the price list out on the pages of a printer (paper or a PDF file): the heading and the
// column captions at the top of every page, the rows (two lines where a PLU has a second
// description line) and "Page n of m" at the foot.

#include <string>
#include <vector>

#include "plu/PriceList.h"

class QPrinter;

namespace vorn {

// False when the printer could not be started (its file cannot be written, say).
bool paintPriceList(QPrinter& printer, const std::string& heading,
                    const std::vector<PriceListRow>& rows);

}  // namespace vorn
