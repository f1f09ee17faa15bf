#pragma once
// PLU items for tests: a pair made from the templates with its number, description and price
// set, and the bytes of a PLU file holding pairs.

#include <algorithm>
#include <string>
#include <vector>

#include "plu/PluFile.h"
#include "plu/PluRecord.h"
#include "tables/PrintfFormat.h"

namespace vorn::test {

// Writes text over the field of a record line, as far as it goes.
inline void setField(std::string& record, RecordField field, const std::string& text) {
    record.replace(field.pos, std::min(text.size(), field.width), text, 0, field.width);
}

// A template pair numbered in both records, with the description and the price in hundredths.
inline PluPair samplePluPair(int number, const std::string& description = "ITEM",
                             const std::string& hundredths = "100") {
    PluPair pair = templatePair();
    const std::string digits = cformat("%06d", {number});
    setField(pair.plu, plurecord::kPluNumber, digits);
    setField(pair.label, labelrecord::kPluNumber, digits);
    setField(pair.plu, plurecord::kDescription, description);
    setField(pair.plu, plurecord::kPrice, cformat("%08s", {hundredths}));
    return pair;
}

// The bytes of a PLU file: the header line, then each pair.
inline std::string pluFileOf(const std::vector<PluPair>& pairs) {
    std::string bytes = pluFileStart();
    for (const PluPair& p : pairs) {
        appendPluPair(bytes, p);
    }
    return bytes;
}

}  // namespace vorn::test
