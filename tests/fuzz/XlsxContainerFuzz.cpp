// The import of a workbook on any bytes: the ZIP container and every part in it, against a list
// that holds PLUs the editor would not take (from a scale) and a damaged one.
// Properties: a plan's counts add up; what the import makes of the list, exported as a workbook
// and imported again, changes nothing and rejects nothing.

#include <cstdint>
#include <string>
#include <string_view>

#include "plu/PluList.h"
#include "plu/PluRecord.h"
#include "tab/PluImport.h"
#include "tab/XlsxExport.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

void fillList(vorn::PluList& list) {
    vorn::PluPair plain = vorn::templatePair();
    vorn::PluValues v = vorn::decodePair(plain);
    v.pluNumber = "5";
    v.description1 = "=1+2";
    v.description2 = "Caf\xE9";
    v.itemNumber = "0000000000815";
    v.priceHundredths = "150";
    vorn::encodeValues(v, plain);

    vorn::PluPair odd = vorn::templatePair();
    odd.plu.replace(16, 6, "000012");
    odd.label.replace(16, 6, "000012");
    odd.plu.replace(35, 8,
                    "0815\x10"
                    "1/2");
    odd.plu.replace(170, 4, "0025");
    odd.label.replace(74, 11, "00000031000");

    vorn::PluPair damaged = vorn::templatePair();
    damaged.plu.replace(16, 6, "000040");
    damaged.label.resize(20);

    list.addAll({plain, odd, damaged});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vorn::PluList list;
    fillList(list);

    vorn::ImportPlan plan = vorn::planWorkbookImport(list, bytes);
    if (!plan.usable()) {
        return 0;
    }
    vorn::fuzz::require(plan.pairs.size() == plan.added + plan.changed &&
                        plan.changes.size() == plan.pairs.size());
    if (!plan.writes()) {
        return 0;
    }
    vorn::applyImportPlan(plan, list);
    const vorn::WorkbookExport exported = vorn::exportWorkbook(list);
    vorn::fuzz::require(exported.problem.empty());
    const vorn::ImportPlan again = vorn::planWorkbookImport(list, exported.bytes);
    vorn::fuzz::require(again.usable() && again.added == 0 && again.changed == 0 &&
                        again.rejected.empty());
    return 0;
}
