#pragma once
// The five numbered tables: article groups, operators, date texts, tares and VAT rates, each
// described as data for the NumberedTable model.

#include "editors/kit/NumberedTable.h"

namespace vorn {

const NumberedTableKind& groupTable();
// The article groups as the batch transfer sends them: the record ends in "0001" where the group
// editor writes "0000"; all else is the group editor's.
const NumberedTableKind& groupBatchTable();
const NumberedTableKind& operatorTable();
const NumberedTableKind& dateTextTable();
const NumberedTableKind& tareTable();
const NumberedTableKind& vatTable();

// The tare editor's checks on Add: the weight first, then the number.
bool checkTareEntry(EntryFields& fields);

}  // namespace vorn
