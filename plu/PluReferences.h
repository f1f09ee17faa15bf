#pragma once
// What a PLU names in other tables: its group and tare (PLU record), its advertisement text,
// extra text and three date texts (label-data record), as "PLU 5". A number 0 names nothing.

#include <vector>

#include "editors/kit/TableReferences.h"
#include "plu/PluRecord.h"

namespace vorn {

// The references of an intact pair.
std::vector<TableReference> pluReferences(const PluPair& pair);

}  // namespace vorn
