#include "plu/PluReferences.h"

#include <string>
#include <string_view>

#include "tables/NumberText.h"

namespace vorn {

std::vector<TableReference> pluReferences(const PluPair& pair) {
    const struct {
        const std::string& record;
        RecordField field;
        ReferredTable table;
    } fields[] = {
        {pair.plu, plurecord::kGroupNumber, ReferredTable::Group},
        {pair.plu, plurecord::kTareNumber, ReferredTable::Tare},
        {pair.label, labelrecord::kAdvertisingText, ReferredTable::Advertisement},
        {pair.label, labelrecord::kExtraText, ReferredTable::ExtraText},
        {pair.label, labelrecord::kPackDateText, ReferredTable::DateText},
        {pair.label, labelrecord::kBestBeforeDateText, ReferredTable::DateText},
        {pair.label, labelrecord::kSellByDateText, ReferredTable::DateText},
    };
    const std::string from = "PLU " + std::to_string(pluNumberOf(pair.plu));
    std::vector<TableReference> references;
    for (const auto& f : fields) {
        const long number = intValue(std::string_view(f.record).substr(f.field.pos, f.field.width));
        if (number != 0) {
            references.push_back({from, f.table, number});
        }
    }
    return references;
}

}  // namespace vorn
