#include "editors/numbered/NumberedTableKinds.h"

#include "platform/Prompter.h"
#include "tables/NumberText.h"

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
        return k;
    }();
    return kind;
}

const NumberedTableKind& operatorTable() {
    static const NumberedTableKind kind{
        .numberWidth = 3,
        .numberMaxLength = 3,
        .valueMaxLength = 20,
        .numberLimits = {{Limit::Below, 1, "The Number must be plus!"},
                         {Limit::Above, 4, "The Max Number is 5!"}},
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
        .transferMessage = "Transfering Operator information,please wait...",
        .errorSuffix = "error",
    };
    return kind;
}

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

bool checkTareEntry(EntryFields& fields) {
    if (fields.value.empty()) {
        tell("Fill the Tare!");
        return false;
    }
    if (intValue(fields.value) > 30) {
        tell("The Max Tare Weight is 30 lb!");
        fields.value.clear();
        return false;
    }
    if (fields.number.empty()) {
        tell("Fill the Tare!");
    }
    const int n = intValue(fields.number);
    if (n < 1 || n > 16) {
        tell("The Number is from 1 to 16!");
        fields.number.clear();
        return false;
    }
    return true;
}

const NumberedTableKind& tareTable() {
    static const NumberedTableKind kind{
        .numberWidth = 2,
        .numberMaxLength = 2,
        .valueMaxLength = 5,
        .addCheck = &checkTareEntry,
        .proposedNumberMax = 16,
        .file = tablefile::kTares,
        .fileValueMax = 10,
        // number 2 digits (16-17), tare in thousandths of a pound, 8 digits (18-25)
        .recordFormat = "0002150000000100%02d%08d\n",
        .recordNumberDigits = 2,
        .recordValueWidth = 8,
        .decimals = 3,
        .requestLine = "000215000700010000",
        .receivedValueFormat = "%5s",
        .transferMessage = "Transfering Tare information,please wait...",
        .errorSuffix = "error",
    };
    return kind;
}

const NumberedTableKind& vatTable() {
    static const NumberedTableKind kind{
        .numberWidth = 2,
        .numberMaxLength = 2,
        .valueMaxLength = 5,
        .numberLimits = {{Limit::Below, 1, "The Number must be + !"},
                         {Limit::Above, 8, "The Max Number is 8!"}},
        // The rate field of the record holds four digits of hundredths: 99.99 at most.
        .valueLimits = {{Limit::Below, 0, "The VAT must be plus!"},
                        {Limit::Above, 9999, "The Max VAT is 99.99% !"},
                        {Limit::Above, 99, "The VAT must be below 100% !"}},
        .addedValueFormat = "%4s",
        .proposedNumberMax = 0,
        .pickValueMax = 10,
        .file = tablefile::kVat,
        .fileValueMax = 5,
        // number 2 digits (16-17), rate in hundredths of a percent, 4 digits (18-21)
        .recordFormat = "0002180000000000%02d%04d\n",
        .recordNumberDigits = 2,
        .recordValueWidth = 4,
        .decimals = 2,
        .requestLine = "000218000700000000",
        .receivedValueFormat = "%5s",
        .transferMessage = "Transfering VAT information,please wait...",
        .errorSuffix = "error",
    };
    return kind;
}

}  // namespace vorn
