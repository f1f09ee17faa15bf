#pragma once
// What a PLU names in other tables: its group and tare, its advertisement text, extra text and
// three date texts, as "PLU 5". A number 0 (or an empty field) names nothing.

#include <vector>

#include "editors/kit/TableReferences.h"
#include "plu/PluRecord.h"

namespace vorn {

// The tables that a PLU may name.
inline const ReferredTables kPluReferredTables = {
    ReferredTable::Group, ReferredTable::Tare, ReferredTable::Advertisement,
    ReferredTable::ExtraText, ReferredTable::DateText};

// The references of a PLU's field values, as the editor holds them or a pair decodes to.
std::vector<TableReference> pluReferences(const PluValues& values);
// The references of an intact pair.
std::vector<TableReference> pluReferences(const PluPair& pair);

}  // namespace vorn
