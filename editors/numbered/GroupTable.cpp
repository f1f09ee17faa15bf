#include "editors/numbered/GroupTable.h"

namespace vorn {

const NumberedTableKind& groupTable() {
    static const NumberedTableKind kind{
        .numberWidth = 4,
        .numberMaxLength = 4,
        .valueMaxLength = 20,
        .numberLimits = {{Limit::Below, 0, "The Number must be Num & plus!"},
                         {Limit::Above, 20, "The Max Number is 20!"}},
        .proposedNumberMax = 20,
        .file = tablefile::kGroups,
        .trimValueOnOpen = true,
        .fileValueMax = 20,
        // number 4 digits (16-19), name 20 characters (20-39), "0000" (40-43)
        .recordFormat = "0002100000000100%04d%-20s0000\n",
        .recordNumberDigits = 4,
        .recordValueWidth = 20,
        .requestLine = "00021000070001000000",
        .transferMessage = "Transfering Articlegroup information,please wait...",
        .errorSuffix = "error!",
        .missingAnswerMessage = "Can't Write file!",
    };
    return kind;
}

const NumberedTableKind& groupBatchTable() {
    static const NumberedTableKind kind = [] {
        NumberedTableKind k = groupTable();
        // number 4 digits (16-19), name 20 characters (20-39), "0001" (40-43)
        k.recordFormat = "0002100000000100%04d%-20s0001\n";
        k.emptyTableMark = true;
        return k;
    }();
    return kind;
}

}  // namespace vorn
