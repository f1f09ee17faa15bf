#include "plu/PluReferences.h"

#include <string>

#include "tables/NumberText.h"

namespace vorn {

std::vector<TableReference> pluReferences(const PluValues& values) {
    const struct {
        const std::string& number;
        ReferredTable table;
    } fields[] = {
        {values.groupNumber, ReferredTable::Group},
        {values.tareNumber, ReferredTable::Tare},
        {values.advertisingTextNumber, ReferredTable::Advertisement},
        {values.extraTextNumber, ReferredTable::ExtraText},
        {values.packDateText, ReferredTable::DateText},
        {values.bestBeforeDateText, ReferredTable::DateText},
        {values.sellByDateText, ReferredTable::DateText},
    };
    const std::string from = "PLU " + std::to_string(intValue(values.pluNumber));
    std::vector<TableReference> references;
    for (const auto& f : fields) {
        if (const int number = intValue(f.number); number != 0) {
            references.push_back({from, f.table, number});
        }
    }
    return references;
}

std::vector<TableReference> pluReferences(const PluPair& pair) {
    return pluReferences(decodePair(pair));
}

}  // namespace vorn
