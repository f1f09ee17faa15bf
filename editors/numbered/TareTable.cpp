#include "editors/numbered/TareTable.h"

#include "platform/Prompter.h"
#include "tables/NumberText.h"

namespace vorn {

namespace {

// Add first checks the weight, then the number.
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

}  // namespace

const NumberedTableKind& tareTable() {
    static const NumberedTableKind kind{
        .numberWidth = 2,
        .numberMaxLength = 2,
        .valueMaxLength = 5,
        .addCheck = &checkTareEntry,
        .lowestHeld = 1,
        .highestHeld = 16,
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

}  // namespace vorn
