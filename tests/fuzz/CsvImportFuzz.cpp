// The import of a PLU spreadsheet on any bytes, against a list that holds PLUs the editor would
// not take (from a scale) and a damaged one.
// Properties: what the import makes of the list, exported and imported again, changes nothing
// and rejects nothing; a plan's counts add up; the CSV reader reads back what the writer wrote
// of the records it read.

#include <cstdint>
#include <string>
#include <string_view>

#include "plu/PluList.h"
#include "plu/PluRecord.h"
#include "tab/Csv.h"
#include "tab/PluExport.h"
#include "tab/PluImport.h"

namespace {

void fillList(vorn::PluList& list) {
    vorn::PluPair plain = vorn::templatePair();
    vorn::PluValues v = vorn::decodePair(plain);
    v.pluNumber = "5";
    v.description1 = "APPLES, RED";
    v.description2 = "Caf\xE9";
    v.priceHundredths = "150";
    vorn::encodeValues(v, plain);

    // As a scale may send it: group 25, reserved characters, a fixweight without By Count, a
    // print format no list offers, a description with two line breaks.
    vorn::PluPair odd = vorn::templatePair();
    odd.plu.replace(16, 6, "000012");
    odd.label.replace(16, 6, "000012");
    odd.plu.replace(35, 12,
                    "AB  \x10"
                    "CD\x10"
                    "EF\"");
    odd.plu.replace(108, 8, "01234567");
    odd.plu.replace(116, 8, "RESERVED");
    odd.plu.replace(170, 4, "0025");
    odd.plu.replace(176, 4, "0104");
    odd.label.replace(51, 4, "01ff");
    odd.label.replace(74, 11, "00000031000");
    odd.label.replace(100, 5, "\xE9xyz\x05");

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

    vorn::ImportPlan plan = vorn::planImport(list, bytes);
    if (!plan.usable()) {
        return 0;
    }
    if (plan.pairs.size() != plan.added + plan.changed ||
        plan.changes.size() != plan.pairs.size()) {
        __builtin_trap();
    }
    vorn::applyImportPlan(plan, list);

    const std::string exported = vorn::exportPlus(list).bytes;
    const vorn::ImportPlan again = vorn::planImport(list, exported);
    if (!again.usable() || again.added != 0 || again.changed != 0 || !again.rejected.empty()) {
        __builtin_trap();
    }

    // The records the reader found, written and read again, are the same records.
    const char separator = vorn::csv::detectSeparator(bytes);
    vorn::csv::Reader reader(bytes, separator);
    std::vector<std::vector<std::string>> records;
    vorn::csv::Record record;
    std::string written;
    while (reader.next(record) && records.size() < 200) {
        records.push_back(record.fields);
        vorn::csv::appendRecord(written, record.fields, separator);
    }
    vorn::csv::Reader back(written, separator);
    for (const auto& fields : records) {
        if (!back.next(record) || record.fields != fields) {
            __builtin_trap();
        }
    }
    return 0;
}
