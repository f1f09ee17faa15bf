#pragma once
// The five numbered tables: article groups, operators, date texts, tares and VAT rates, each
// described as data for the NumberedTable model.

#include "editors/NumberedTable.h"

namespace vorn {

const NumberedTableKind& groupTable();
const NumberedTableKind& operatorTable();
const NumberedTableKind& dateTextTable();
const NumberedTableKind& tareTable();
const NumberedTableKind& vatTable();

// The tare editor's checks on Add: the weight first, then the number.
bool checkTareEntry(EntryFields& fields);

}  // namespace vorn
