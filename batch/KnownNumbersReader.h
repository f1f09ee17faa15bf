#pragma once
// The numbers that the tables of the current (scale) directory hold, for the checks of what one
// table names in another: the PLUs of plurec.dat, and the groups, tares, advertisement texts,
// extra texts and date texts of their table files. A table without its file is left out.

#include <vector>

#include "batch/BatchSelection.h"
#include "editors/kit/TableReferences.h"

namespace vorn {

KnownNumbers readScaleDirectoryNumbers(const ReferredTables& tables = kEveryReferredTable);

// What the ticked categories of a batch send name (in their files) that the known tables do not
// have: the preset keys' PLUs, and each PLU's group, tare and texts.
std::vector<std::string> batchSendReferenceProblems(const BatchSelection& selection,
                                                    const KnownNumbers& known);

}  // namespace vorn
