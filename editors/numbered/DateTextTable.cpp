#include "editors/numbered/DateTextTable.h"

namespace vorn {

const NumberedTableKind& dateTextTable() {
    static const NumberedTableKind kind{
        .numberWidth = 2,
        .numberMaxLength = 2,
        .valueMaxLength = 18,
        .numberLimits = {{Limit::Below, 1, "The Number must be plus!"},
                         {Limit::Above, 3, "The Max Number is 3!"}},
        .proposedNumberMax = 0,
        .file = tablefile::kDateTexts,
        .fileRows = FileRows::NumberWord,
        .fileValueMax = 40,
        // number 2 digits (16-17), text 30 characters (18-47)
        .recordFormat = "0002190000000000%02d%-030s\n",
        .recordNumberDigits = 2,
        .recordValueWidth = 30,
        .requestLine = "000219000700000000",
        .transferMessage = "Transfering Date Text information,please wait...",
        .errorSuffix = "error!",
    };
    return kind;
}

}  // namespace vorn
