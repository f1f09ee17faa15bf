#include "editors/numbered/OperatorTable.h"

namespace vorn {

const NumberedTableKind& operatorTable() {
    static const NumberedTableKind kind{
        .numberWidth = 3,
        .numberMaxLength = 3,
        .valueMaxLength = 20,
        .numberLimits = {{Limit::Below, 1, "The Number must be plus!"},
                         {Limit::Above, 4, "The Max Number is 5!"}},
        // The scale's table also holds an operator 0, which it may send first, and again later.
        .lowestHeld = 0,
        .highestHeld = 4,
        .proposedNumberMax = 4,
        .trimPickedValue = true,
        .file = tablefile::kOperators,
        .fileValueMax = 20,
        // number 3 digits (16-18), name 20 characters (19-38)
        .recordFormat = "0002040000000000%03d%-20s\n",
        .recordNumberDigits = 3,
        .recordValueWidth = 20,
        .requestLine = "0002040007000000000",
        .skipFirstZeroNumber = true,
        .batchSendsEmptyTable = true,
        .transferMessage = "Transfering Operator information,please wait...",
        .errorSuffix = "error",
    };
    return kind;
}

}  // namespace vorn
