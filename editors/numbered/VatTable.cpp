#include "editors/numbered/VatTable.h"

namespace vorn {

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
