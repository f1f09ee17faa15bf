#pragma once
// The operators: up to 4 operator names, numbered 1 to 4, kept in Opt.dat.

#include "editors/kit/NumberedTable.h"

namespace vorn {

const NumberedTableKind& operatorTable();

}  // namespace vorn
