#pragma once
// The tares: up to 16 tare weights in pounds, numbered 1 to 16, kept in Tare.dat.

#include "editors/kit/NumberedTable.h"

namespace vorn {

const NumberedTableKind& tareTable();

}  // namespace vorn
