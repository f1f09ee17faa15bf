#pragma once
// The article groups: up to 21 group names, numbered 0 to 20, kept in Artgrp.dat.

#include "editors/kit/NumberedTable.h"

namespace vorn {

const NumberedTableKind& groupTable();
// The article groups as the batch transfer sends them: the record ends in "0001" where the group
// editor writes "0000", and an answer with '4' at position 6 is an empty table; all else is the
// group editor's.
const NumberedTableKind& groupBatchTable();

}  // namespace vorn
