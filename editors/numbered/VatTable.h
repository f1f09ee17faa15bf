#pragma once
// The VAT rates: up to 8 rates in percent, numbered 1 to 8, kept in VAT.dat.

#include "editors/kit/NumberedTable.h"

namespace vorn {

const NumberedTableKind& vatTable();

}  // namespace vorn
