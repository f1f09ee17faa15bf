#pragma once
// The date texts: 3 texts printed before the dates of a label, numbered 1 to 3, kept in
// dattxt.dat.

#include "editors/kit/NumberedTable.h"

namespace vorn {

const NumberedTableKind& dateTextTable();

}  // namespace vorn
